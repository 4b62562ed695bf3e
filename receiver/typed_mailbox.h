#pragma once

#include <string>

#include "receiver/receiver_settings.h"

namespace receiver {

// The POP3 dialog's fields as typed (UTF-8).
struct TypedMailbox {
  std::string server;
  std::string account;
  std::string password;
  int port = MailboxRecord{}.port;
};

// The POP3 dialog's check before OK. The server, account and password are stored in Set.dat and
// sent to the server as Windows-1252, so each must hold only characters Windows-1252 has (a
// character turned into '?' would make the log-in fail without a hint); then the server and the
// account must not be blank. Returns the first field refused (kNone when all are good), with
// *refusal its text; *record (its name left alone) takes the fields once they are good.
MailboxField checkTypedMailbox(const TypedMailbox& typed, MailboxRecord* record,
                               std::string* refusal);

}  // namespace receiver
