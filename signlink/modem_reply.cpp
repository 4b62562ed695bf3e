#include "signlink/modem_reply.h"

#include <cctype>
#include <string>

#include "i18n/string_ids.h"

namespace signlink {

ModemReplyCode classifyModemReply(std::string_view reply) {
  std::string upper(reply);
  for (char& c : upper)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  auto has = [&upper](std::string_view what) { return upper.find(what) != std::string::npos; };
  if (has("OK")) return kModemReplyOk;
  if (has("CON")) return kModemReplyConnect;
  if (has("RING")) return kModemReplyRing;
  if (has("NO CARRIER")) return kModemReplyNoCarrier;
  if (has("ERROR")) return kModemReplyError;
  // "NO DIA" covers both spellings of the dial-tone reply.
  if (has("NO DIA")) return kModemReplyNoDialTone;
  if (has("BUSY")) return kModemReplyBusy;
  return kModemReplyUnknown;
}

int modemReplyStatusTextId(ModemReplyCode code) {
  switch (code) {
    case kModemReplyOk:
      return i18n::IDS_MODEM_COMMAND_OK;
    case kModemReplyConnect:
      return i18n::IDS_MODEM_CONNECTED;
    case kModemReplyNoCarrier:
      return i18n::IDS_MODEM_NO_CARRIER;
    case kModemReplyError:
      return i18n::IDS_MODEM_INVALID_COMMAND;
    case kModemReplyNoDialTone:
      return i18n::IDS_MODEM_NO_DIALTONE;
    case kModemReplyBusy:
      return i18n::IDS_MODEM_BUSY;
    case kModemReplyRing:
    case kModemReplyUnknown:
    case kModemReplyNone:
      break;
  }
  return i18n::IDS_MODEM_UNKNOWN_STATUS;
}

bool modemReplyEndsDial(ModemReplyCode code) {
  return code == kModemReplyConnect || code == kModemReplyNoCarrier || code == kModemReplyError ||
         code == kModemReplyNoDialTone || code == kModemReplyBusy;
}

}  // namespace signlink
