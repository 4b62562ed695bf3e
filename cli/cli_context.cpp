#include "cli/cli_context.h"

#include <iostream>

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

}  // namespace cli
