#pragma once

#include <string>
#include <vector>

namespace receiver {

inline constexpr char kSaveDirName[] = "Save";  // Decoded attachments.
inline constexpr char kLogDirName[] = "Logo";   // The daily receive and send logs.
inline constexpr char kProfileFileName[] = "mailpump.ini";

// Where the receiver keeps its files: everything lives in one data directory (the program's own
// directory when it may write there, see platform::resolveDataDir).
class ReceiverPaths {
 public:
  explicit ReceiverPaths(std::string dataDir) : dataDir_(std::move(dataDir)) {}

  const std::string& dataDir() const { return dataDir_; }
  std::string settingsFile() const;  // "Set.dat"
  std::string saveDir() const;       // "Save"
  std::string logDir() const;        // "Logo"
  // The profile: section "Ports" maps COM numbers to devices, "ProgramStatus" holds
  // "IsMinimize".
  std::string profileFile() const;

  // Creates the Save and Logo directories when missing. False when either is not there
  // afterwards.
  bool createWorkingDirectories() const;

  // The same, saying what could not be made: one text per directory with the system's reason
  // (none when both are there). *saveReady tells whether Save is there: without it no sign mail
  // can be taken off a server, while a missing Logo only costs the log entries.
  std::vector<std::string> makeWorkingDirectories(bool* saveReady) const;

 private:
  const std::string dataDir_;
};

}  // namespace receiver
