#include "signlink/sign_data_file.h"

#include <cstdio>
#include <cstdlib>

#include "platform/atomic_file.h"
#include "platform/data_dir.h"

namespace signlink {
namespace {

constexpr char kVersionDigits[] = "35";  // "%d%d" with 3 and 5
constexpr size_t kReservedBytes = 10;

std::string temporaryDirectory() {
  const char* tmp = std::getenv("TMPDIR");
  return tmp && *tmp ? tmp : "/tmp";
}

}  // namespace

std::string signDataFileBytes(std::string_view stream) {
  std::string bytes(kSignDataFileMagic);
  bytes += kVersionDigits;
  bytes.append(kReservedBytes, '\0');
  bytes.append(stream);
  return bytes;
}

std::string signDataFileName(const platform::LocalTime& t) {
  char name[64];
  std::snprintf(name, sizeof(name), "Z2500%d%02d%02d%02d%02d%02d.bin", t.year, t.month, t.day,
                t.hour, t.minute, t.second);
  return name;
}

std::string writeSignDataFile(std::string_view stream, const platform::LocalTime& t,
                              const std::string& directory) {
  const std::string path =
      platform::joinPath(directory.empty() ? temporaryDirectory() : directory, signDataFileName(t));
  if (!platform::writeFileAtomic(path, signDataFileBytes(stream), platform::kDataFileMode).ok()) {
    return {};
  }
  return path;
}

bool signDataFileStream(std::string_view fileBytes, std::string_view* stream) {
  if (fileBytes.size() < kSignDataFileHeaderSize ||
      fileBytes.substr(0, kSignDataFileMagic.size()) != kSignDataFileMagic) {
    return false;
  }
  *stream = fileBytes.substr(kSignDataFileHeaderSize);
  return true;
}

}  // namespace signlink
