#pragma once

#include <CLI/CLI.hpp>

#include <string>

#include "addressbook/address_book.h"

namespace cli {

// State shared by all commands of one run of varnel-cli.
class CliContext {
 public:
  // The --data-dir option's value; empty selects the default data directory.
  std::string dataDirOption;

  // Resolves the data directory on first use. Empty (with the reason printed) when unusable.
  const std::string& dataDir();

  // Prints one line "varnel-cli: <text>" on stderr and records failure (exit status 1).
  void fail(const std::string& text);

  int exitCode() const { return exitCode_; }

  // Loads the data directory's address book (site manage file) into *book. False (with the
  // reason reported through fail()) when the data directory is unusable or the file unreadable.
  bool loadAddressBook(addressbook::CAddressBook* book);

 private:
  std::string dataDir_;
  bool dataDirResolved_ = false;
  int exitCode_ = 0;
};

// Prints one line "varnel-cli: warning: <text>" on stderr; `utf8Text` is already in UTF-8. A
// warning does not change the exit status.
void warn(const std::string& utf8Text);

// Each group of commands adds its subcommands to the application.
void addWorkspaceCommands(CLI::App& app, CliContext& ctx);
void addAddressCommands(CLI::App& app, CliContext& ctx);
void addSignDataCommands(CLI::App& app, CliContext& ctx);
void addSendCommands(CLI::App& app, CliContext& ctx);
void addMailCommands(CLI::App& app, CliContext& ctx);

}  // namespace cli
