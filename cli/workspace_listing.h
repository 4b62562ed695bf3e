#pragma once

#include <string>

#include "workspace/message_model.h"

namespace cli {

// A readable listing of a workspace for `varnel-cli show` (UTF-8): the sign settings, then each
// message with its lines, where characters appear as text and every other item, colour or font
// change and control in braces or brackets, then the scheduler settings when any is set.
std::string workspaceListing(const workspace::Workspace& ws, int version);

}  // namespace cli
