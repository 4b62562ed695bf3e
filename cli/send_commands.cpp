// varnel-cli send: the send pipeline against the data directory's address book, with the progress
// window's texts on stderr.

#include <iostream>

#include "app/varnel_profile.h"
#include "cli/cli_context.h"
#include "cli/workspace_loading.h"
#include "mailtransfer/email_transfer.h"
#include "platform/cp1252.h"
#include "platform/data_dir.h"
#include "signlink/modem_list.h"
#include "signlink/send_pipeline.h"
#include "signlink/sign_data_file.h"

namespace cli {
namespace {

inline constexpr char kModemListFileName[] = "modems.ini";

struct SendOptions {
  std::string kind;  // "workspace", "test" or "clear"
  std::string workspacePath;
  std::string site;
  std::string group;
  bool old = false;
};

// The progress window of a terminal: each text on its own line of stderr as it is set.
class StderrProgress final : public signlink::SendProgressUi, public signlink::DialUpView {
 public:
  void setProgressRange(int) override {}
  void setProgress(int) override {}
  void setStatus(const std::string& text) override { line(text); }
  void setCommandLine(const std::string& text) override { line(text); }
  void setDestinationLine(const std::string& text) override { line(text); }
  void setAddressLine(const std::string& text) override { line(text); }
  void showMessage(const std::string& text, SendProgressUi::Icon) override { line(text); }
  void setWaitCursor(bool) override {}
  void showDialUpWindow(bool) override {}
  // The dial-up window.
  void setStatusLine(const std::string& text) override { line(text); }
  void showDialledNumber(const std::string&) override {}
  void showMessageBox(const std::string&, const std::string& text, DialUpView::Icon) override {
    line(text);
  }
  void hide() override {}

 private:
  static void line(const std::string& text) {
    if (text.empty()) return;
    std::string shown = platform::cp1252ToUtf8(text);
    for (char& c : shown) {
      if (c == '\r') c = ' ';
    }
    std::cerr << shown << "\n" << std::flush;
  }
};

signlink::SendCommand commandOf(const std::string& kind) {
  if (kind == "workspace") return signlink::SendCommand::kWorkspace;
  return kind == "clear" ? signlink::SendCommand::kClearMemory : signlink::SendCommand::kTest;
}

// Sends what `ws` and the options name through every link the address book offers.
void sendThroughLinks(CliContext& ctx, const SendOptions& o, addressbook::CAddressBook& book,
                      const WorkspaceToSend& ws) {
  const std::string& dataDir = ctx.dataDir();
  platform::SleepingPump pump;
  platform::SystemClock clock;
  StderrProgress progress;
  signlink::SignLink link(varnel_profile::open(dataDir).path());
  signlink::TcpLinkSocket tcp(pump);
  const signlink::ModemList modems =
      signlink::ModemList::load(platform::joinPath(dataDir, kModemListFileName));
  signlink::ModemDialer dialer(
      link, pump, progress, [&modems](const std::string& name) { return modems.modemPort(name); });
  mailtransfer::EmailTransfer email(book, pump, clock);
  email.setTlsProfile(varnel_profile::open(dataDir).path());

  // A port whose set-up failed is still used; the user hears of it.
  link.setWarningPresenter([](const std::string&, const std::string& text) {
    std::string line = platform::cp1252ToUtf8(text);
    for (char& c : line) {
      if (c == '\n' || c == '\r') c = ' ';
    }
    warn(line);
  });
  const signlink::SendCommand command = commandOf(o.kind);
  if (command == signlink::SendCommand::kWorkspace) {
    for (const std::string& note : app::workspaceLeftOutNotes(ws.content))
      warn(platform::cp1252ToUtf8(note));
  }
  signlink::SendEnvironment env(book, link, pump, progress,
                                app::sendStreamBuilder(command, &ws.content, clock));
  env.tcp = &tcp;
  env.dialer = &dialer;
  env.email = &email;
  env.clock = &clock;
  env.tempDir = signlink::signDataFileBase(dataDir);
  const signlink::SendChoice choice{!o.group.empty(), o.group.empty() ? o.site : o.group};
  const signlink::SendSummary summary = signlink::runSendCommand(env, command, choice);
  if (!summary.allSucceeded()) {
    ctx.fail("sent to " + std::to_string(summary.succeeded) + " of " +
             std::to_string(summary.destinations) + " destinations");
  }
}

void runSend(CliContext& ctx, const SendOptions& o) {
  if (o.site.empty() == o.group.empty()) {
    ctx.fail("send needs exactly one of --site NAME and --group NAME");
    return;
  }
  if (o.kind == "workspace" && o.workspacePath.empty()) {
    ctx.fail("send workspace needs the workspace file");
    return;
  }
  addressbook::CAddressBook book;
  if (!ctx.loadAddressBook(&book)) return;
  WorkspaceToSend ws;
  if (o.kind == "workspace" && !loadWorkspaceToSend(ctx, o.workspacePath, o.old, &ws)) return;
  sendThroughLinks(ctx, o, book, ws);
}

}  // namespace

void addSendCommands(CLI::App& app, CliContext& ctx) {
  auto o = std::make_shared<SendOptions>();
  CLI::App* send = app.add_subcommand(
      "send",
      "Send the workspace, the test sequence or the clear-memory command to a site or group");
  send->add_option("kind", o->kind, "workspace, test or clear")
      ->required()
      ->check(CLI::IsMember({"workspace", "test", "clear"}));
  send->add_option("file", o->workspacePath, "Workspace file (for workspace)");
  send->add_option("--site", o->site, "Site of the address book");
  send->add_option("--group", o->group, "Group of the address book");
  send->add_flag("--old", o->old, "Read a workspace file without header (old version)");
  send->callback([&ctx, o] { runSend(ctx, *o); });
}

}  // namespace cli
