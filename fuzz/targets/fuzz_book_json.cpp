// The address book as JSON, through varnel-cli's own commands: "book import" into a scratch data
// directory, then "book show --json" of what was written. A book the import accepts must show
// without a fault.

#include <CLI/CLI.hpp>

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_context.h"
#include "fuzz/support/fuzz_support.h"

namespace {

// Runs varnel-cli with `args` (after the program name); its exit status. Output is dropped.
int runCli(std::vector<std::string> args) {
  CLI::App app;
  cli::CliContext ctx;
  app.add_option("--data-dir", ctx.dataDirOption);
  cli::addAddressCommands(app, ctx);
  app.require_subcommand(1);
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError&) {
    return 2;
  }
  return ctx.exitCode();
}

// Keeps the commands' texts off the terminal while it lives.
class Silence {
 public:
  Silence() : out_(std::cout.rdbuf(sink_.rdbuf())), err_(std::cerr.rdbuf(sink_.rdbuf())) {}
  ~Silence() {
    std::cout.rdbuf(out_);
    std::cerr.rdbuf(err_);
  }

 private:
  std::ostringstream sink_;
  std::streambuf* const out_;
  std::streambuf* const err_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string json = fuzzing::writeScratchFile("book.json", fuzzing::inputView(data, size));
  fuzzing::clearScratchFolder("data");
  const std::string dataDir = fuzzing::scratchDir() + "/data";
  const Silence silence;
  if (runCli({"--data-dir", dataDir, "book", "import", json}) != 0) return 0;
  if (runCli({"--data-dir", dataDir, "book", "show", "--json"}) != 0) std::abort();
  return 0;
}
