#include "receiver/receiver_paths.h"

#include "platform/data_dir.h"
#include "receiver/receiver_settings.h"

namespace receiver {

std::string ReceiverPaths::settingsFile() const {
  return platform::joinPath(dataDir_, kSettingsFileName);
}
std::string ReceiverPaths::saveDir() const {
  return platform::joinPath(dataDir_, kSaveDirName);
}
std::string ReceiverPaths::logDir() const {
  return platform::joinPath(dataDir_, kLogDirName);
}
std::string ReceiverPaths::profileFile() const {
  return platform::joinPath(dataDir_, kProfileFileName);
}

bool ReceiverPaths::createWorkingDirectories() const {
  const bool save = platform::makeDirectories(saveDir());
  const bool log = platform::makeDirectories(logDir());
  return save && log;
}

}  // namespace receiver
