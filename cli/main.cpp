// varnel-cli: the message workspace, the address book and the sign links without windows, for
// scripts and cron.

#include <CLI/CLI.hpp>

#include <iostream>

#include "cli/cli_context.h"

int main(int argc, char** argv) {
  CLI::App app{"varnel-cli: inspect, convert, build and send Z2500 moving-sign data"};
  app.set_help_all_flag("--help-all", "Show the help of every command");
  cli::CliContext ctx;
  app.add_option("--data-dir", ctx.dataDirOption,
                 "Data directory (default: $XDG_DATA_HOME/varnel; for a program run from its "
                 "build folder, that folder when writable)");
  cli::addWorkspaceCommands(app, ctx);
  cli::addAddressCommands(app, ctx);
  cli::addSignDataCommands(app, ctx);
  cli::addSendCommands(app, ctx);
  cli::addMailCommands(app, ctx);
  app.require_subcommand(1);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? 0 : 1;
  }
  return ctx.exitCode();
}
