#pragma once

#include <string_view>

namespace signlink {

// The classification of a modem's reply text. The codes are the characters the dialogue has
// always stored; kModemReplyNone marks "nothing classified yet".
enum ModemReplyCode : int {
  kModemReplyNone = -1,
  kModemReplyOk = '0',
  kModemReplyConnect = '1',
  kModemReplyRing = '2',
  kModemReplyNoCarrier = '3',
  kModemReplyError = '4',
  kModemReplyNoDialTone = '6',
  kModemReplyBusy = '7',
  kModemReplyUnknown = 255,
};

// Classifies a reply text. The text is compared in upper case and the first rule that matches
// wins: "OK"; "CON"; "RING"; "NO CARRIER"; "ERROR"; "NO DIALTONE", "NO DIAL TONE" or "NO DIA";
// "BUSY"; anything else is kModemReplyUnknown. A text holding both "OK" and "CONNECT" is thus OK.
ModemReplyCode classifyModemReply(std::string_view reply);

// The string-table id of the status line shown for `code` ("Connect Status:\r..."); RING and
// unknown replies share "Connect Status:\rUnknow status".
int modemReplyStatusTextId(ModemReplyCode code);

// True for the replies that end a dial: CONNECT, and the refusals NO CARRIER, ERROR, NO DIALTONE
// and BUSY.
bool modemReplyEndsDial(ModemReplyCode code);

}  // namespace signlink
