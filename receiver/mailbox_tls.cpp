#include "receiver/mailbox_tls.h"

#include <algorithm>
#include <string>
#include <vector>

#include "mail/tls_profile.h"

namespace receiver {

void readMailboxTls(const platform::ProfileFile& profile, ReceiverSettings* settings) {
  for (MailboxRecord& box : settings->mailboxes)
    box.tls = mail::readTlsChoice(profile, box.name);
}

platform::Status writeMailboxTls(const platform::ProfileFile& profile,
                                 const ReceiverSettings& settings, bool forgetOthers) {
  std::vector<std::string> names;
  for (const MailboxRecord& box : settings.mailboxes) {
    if (std::find(names.begin(), names.end(), box.name) != names.end()) continue;
    names.push_back(box.name);
    const platform::Status written = mail::writeTlsChoice(profile, box.name, box.tls);
    if (!written.ok()) return written;
  }
  return forgetOthers ? mail::forgetOtherTlsChoices(profile, names) : platform::Status::success();
}

pop3::Pop3Options mailboxPop3Options(pop3::Pop3Options base, const MailboxRecord& box) {
  base.tls = mail::tlsSettingsFor(box.tls, box.port);
  return base;
}

platform::Status loadReceiverSettings(const ReceiverPaths& paths, ReceiverSettings* settings) {
  const platform::Status loaded = loadSettingsFile(paths.settingsFile(), settings);
  if (loaded.ok()) readMailboxTls(platform::ProfileFile(paths.profileFile()), settings);
  return loaded;
}

platform::Status saveReceiverSettings(const ReceiverPaths& paths,
                                      const ReceiverSettings& settings) {
  const platform::Status saved = saveSettingsFile(paths.settingsFile(), settings);
  if (!saved.ok()) return saved;
  return writeMailboxTls(platform::ProfileFile(paths.profileFile()), settings, true);
}

}  // namespace receiver
