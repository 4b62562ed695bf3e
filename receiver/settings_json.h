#pragma once

#include <string>
#include <string_view>

#include "platform/status.h"
#include "receiver/receiver_settings.h"

namespace receiver {

// The settings as JSON, for editing them on a machine without the window:
//   {"selfReceiving":0,"interval":10,"comPort":1,"autostart":0,
//    "mailboxes":[{"name":"","server":"","account":"","password":"","port":110,
//                  "tls":"required","caFile":"/etc/ssl/private-ca.pem"}]}
// Text is UTF-8 in JSON and Windows-1252 in the settings. A mailbox's "tls" ("required",
// "starttls" or "plain") and "caFile" (a path, taken as it stands) are its TLS choice, kept in
// mailpump.ini; without them the mailbox follows its port and trusts the system's store.

// The settings as an indented JSON document ending with a line break.
std::string settingsToJson(const ReceiverSettings& settings);

// Reads settings from JSON. A missing key keeps its default (a mailbox's port 110); unknown keys
// are ignored; a "tls" that names no policy is refused. The flags take 0, 1, false or true; the
// interval must lie within 5..3600 seconds, the COM port within 0..255 and a mailbox's port
// within 1..65535; text must be representable in Windows-1252. On a fault the status names it:
// kNotOurFile when the text is not a JSON object, kRefused for a value out of its range or not of
// its kind.
platform::Result<ReceiverSettings> settingsFromJson(std::string_view json);

}  // namespace receiver
