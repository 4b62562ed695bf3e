#pragma once

#include "platform/profile_file.h"
#include "platform/status.h"
#include "pop3/pop3_connection.h"
#include "receiver/receiver_paths.h"
#include "receiver/receiver_settings.h"

// The mailboxes' TLS choices, kept in mailpump.ini beside Set.dat (see mail/tls_profile.h for the
// keys). A mailbox is known by its name there, as everywhere in the receiver: two records of one
// name share one choice, the first record's.
namespace receiver {

// Gives every mailbox the choice stored for its name (none stored: it follows its port).
void readMailboxTls(const platform::ProfileFile& profile, ReceiverSettings* settings);

// Stores every mailbox's choice. With `forgetOthers` the choices of names no longer in the list
// (removed or renamed mailboxes) are removed too; without, they stay (their records may still be
// in a Set.dat that could not be read).
platform::Status writeMailboxTls(const platform::ProfileFile& profile,
                                 const ReceiverSettings& settings, bool forgetOthers);

// The options of a connection to `box`: `base` with the mailbox's TLS settings.
pop3::Pop3Options mailboxPop3Options(pop3::Pop3Options base, const MailboxRecord& box);

// Set.dat (loadSettingsFile) and then, when it loaded, the TLS choices.
platform::Status loadReceiverSettings(const ReceiverPaths& paths, ReceiverSettings* settings);

// The whole list as it now stands: Set.dat (saveSettingsFile) and then the TLS choices, those of
// names not in the list removed.
platform::Status saveReceiverSettings(const ReceiverPaths& paths, const ReceiverSettings& settings);

}  // namespace receiver
