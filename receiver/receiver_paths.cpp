#include "receiver/receiver_paths.h"

#include <cerrno>
#include <cstring>

#include "i18n/text_format.h"
#include "platform/data_dir.h"
#include "receiver/receiver_settings.h"
#include "receiver/receiver_texts.h"

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

std::vector<std::string> ReceiverPaths::makeWorkingDirectories(bool* saveReady) const {
  std::vector<std::string> problems;
  const auto make = [&problems](const std::string& dir, const char* consequence) {
    if (platform::makeDirectories(dir)) return true;
    problems.push_back(
        i18n::formatText(texts::kCannotCreateDirectory, {dir, std::string(std::strerror(errno))}) +
        consequence);
    return false;
  };
  *saveReady = make(saveDir(), "");
  make(logDir(), texts::kNoLogFiles);
  return problems;
}

}  // namespace receiver
