#include "receiver/exit_sequence.h"

#include <string>

#include "platform/atomic_file.h"
#include "receiver/mailbox_tls.h"

namespace receiver {

namespace {

// Copies the file that failed to load beside it, so that writing over it loses nothing.
void keepUnreadableFile(const std::string& path) {
  const platform::Result<std::string> bytes = platform::readWholeFile(path);
  if (bytes.ok()) {
    // Best effort: the settings are written whether or not the copy could be made.
    platform::writeFileAtomic(path + kUnreadableSettingsSuffix, *bytes, platform::kPrivateFileMode);
  }
}

}  // namespace

platform::Status finishReceiving(Receiver* receiver, const ReceiverPaths& paths,
                                 const ReceiverSettings& settings, const platform::Status& load,
                                 SettingsEdits edits) {
  receiver->Clear();
  const std::string path = paths.settingsFile();
  if (!load.ok() && platform::pathExists(path)) {
    if (edits == SettingsEdits::kNone) return platform::Status::success();
    keepUnreadableFile(path);
  }
  const platform::Status saved = saveSettingsFile(path, settings);
  if (!saved.ok()) return saved;
  // The TLS choices of mailboxes in a file that did not load are kept: it may be mended.
  return writeMailboxTls(platform::ProfileFile(paths.profileFile()), settings, load.ok());
}

}  // namespace receiver
