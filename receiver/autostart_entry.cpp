#include "receiver/autostart_entry.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

#include "platform/atomic_file.h"
#include "platform/data_dir.h"

namespace receiver {

namespace {

// Characters that make an Exec argument need quoting.
constexpr char kReservedCharacters[] = " \t\"'\\><~|&;$*?#()`";
// Characters that must be escaped with a backslash inside a quoted Exec argument.
constexpr char kQuotedEscapes[] = "\"`$\\";

// A desktop entry's string values escape backslashes once more on top of the Exec quoting.
std::string escapeStringValue(const std::string& value) {
  std::string out;
  for (char c : value) {
    if (c == '\\') out += '\\';
    out += c;
  }
  return out;
}

bool hasLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

}  // namespace

std::string autostartDirectory() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/') return platform::joinPath(xdg, "autostart");
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') return {};
  return platform::joinPath(platform::joinPath(home, ".config"), "autostart");
}

std::string autostartEntryPath() {
  const std::string dir = autostartDirectory();
  return dir.empty() ? std::string() : platform::joinPath(dir, kAutostartFileName);
}

std::string quoteExecArgument(const std::string& argument) {
  std::string out;
  const bool quote =
      argument.empty() || argument.find_first_of(kReservedCharacters) != std::string::npos;
  if (quote) out += '"';
  for (char c : argument) {
    if (quote && std::strchr(kQuotedEscapes, c) != nullptr) out += '\\';
    if (c == '%') out += '%';
    out += c;
  }
  if (quote) out += '"';
  return out;
}

std::string autostartEntryText(const std::string& programPath, const std::string& dataDir) {
  std::string exec = quoteExecArgument(programPath);
  if (!dataDir.empty()) exec += " --data-dir " + quoteExecArgument(dataDir);
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=mailpump\n"
         "Comment=Receives sign data by e-mail and forwards it to the sign\n"
         "Exec=" +
         escapeStringValue(exec) +
         "\n"
         "Terminal=false\n"
         "X-GNOME-Autostart-enabled=true\n"
         "X-Varnel-Run-Name=" +
         kAutostartRunName + "\n";
}

platform::Status writeAutostartEntry(const std::string& programPath, const std::string& dataDir) {
  using platform::Status;
  if (hasLineBreak(programPath) || hasLineBreak(dataDir)) {
    return Status::refused("The program's path cannot be written into an autostart entry");
  }
  const std::string dir = autostartDirectory();
  if (dir.empty()) {
    return Status::cannotOpen("No autostart folder: neither XDG_CONFIG_HOME nor HOME is set");
  }
  if (!platform::makeDirectories(dir)) return Status::cannotWrite("Cannot create " + dir);
  return platform::writeFileAtomic(platform::joinPath(dir, kAutostartFileName),
                                   autostartEntryText(programPath, dataDir),
                                   platform::kDataFileMode);
}

platform::Status removeAutostartEntry() {
  const std::string path = autostartEntryPath();
  if (path.empty() || ::unlink(path.c_str()) == 0 || errno == ENOENT) {
    return platform::Status::success();
  }
  return platform::Status::cannotWrite("Cannot remove " + path + ": " + std::strerror(errno));
}

}  // namespace receiver
