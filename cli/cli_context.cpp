#include "cli/cli_context.h"

#include <iostream>

#include "platform/data_dir.h"

namespace cli {

const std::string& CliContext::dataDir() {
  if (!dataDirResolved_) {
    dataDirResolved_ = true;
    std::string error;
    dataDir_ = platform::resolveDataDir(dataDirOption, "varnel", &error);
    if (dataDir_.empty()) fail(error);
  }
  return dataDir_;
}

void CliContext::fail(const std::string& text) {
  std::cerr << "varnel-cli: " << text << "\n";
  exitCode_ = 1;
}

}  // namespace cli
