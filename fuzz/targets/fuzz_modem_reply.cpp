// The modem reply classifier: any text gets one of the known codes, and the status text and the
// end-of-dial rule take every code.

#include <cstdlib>

#include "fuzz/support/fuzz_support.h"
#include "signlink/modem_reply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const signlink::ModemReplyCode code =
      signlink::classifyModemReply(fuzzing::inputView(data, size));
  switch (code) {
    case signlink::kModemReplyOk:
    case signlink::kModemReplyConnect:
    case signlink::kModemReplyRing:
    case signlink::kModemReplyNoCarrier:
    case signlink::kModemReplyError:
    case signlink::kModemReplyNoDialTone:
    case signlink::kModemReplyBusy:
    case signlink::kModemReplyUnknown:
      break;
    default:
      std::abort();
  }
  signlink::modemReplyStatusTextId(code);
  signlink::modemReplyEndsDial(code);
  return 0;
}
