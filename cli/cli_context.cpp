#include "cli/cli_context.h"

#include <iostream>

#include "platform/cp1252.h"
#include "platform/data_dir.h"

namespace cli {

const std::string& CliContext::dataDir() {
  if (!dataDirResolved_) {
    dataDirResolved_ = true;
    const platform::Result<std::string> dir = platform::resolveDataDir(dataDirOption, "varnel");
    if (dir.ok()) {
      dataDir_ = *dir;
    } else {
      fail(dir.message());
    }
  }
  return dataDir_;
}

void CliContext::fail(const std::string& text) {
  std::cerr << "varnel-cli: " << text << "\n";
  exitCode_ = 1;
}

bool CliContext::loadAddressBook(addressbook::CAddressBook* book) {
  const std::string& dir = dataDir();
  if (dir.empty()) return false;
  const platform::Status loaded = book->load(addressbook::sitePath(dir));
  if (!loaded.ok()) {
    fail(platform::cp1252ToUtf8(loaded.message()));
    return false;
  }
  return true;
}

void warn(const std::string& utf8Text) {
  std::cerr << "varnel-cli: warning: " << utf8Text << "\n";
}

}  // namespace cli
