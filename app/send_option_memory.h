#pragma once

#include "app/startup_sequence.h"
#include "signlink/send_option.h"

namespace app {

// The "Send option..." dialog's memory as the "SendInfo" values keep it: "iLastSiteInSendList"
// (1 a site, 0 a group), "LastSiteNameInSendList" and "LastGroupNameInSendList".
signlink::SendOptionMemory sendOptionMemory(const SendInfo& info);
void rememberSendOption(const signlink::SendOptionMemory& memory, SendInfo* info);

}  // namespace app
