// Mail commands: the sign data mail rendered for inspection.

#include <memory>
#include <string>

#include "addressbook/address_book.h"
#include "cli/cli_context.h"
#include "mail/sign_data_mail.h"
#include "platform/atomic_file.h"
#include "platform/cp1252.h"
#include "platform/local_clock.h"

namespace cli {
namespace {

struct MailRenderOptions {
  std::string file;
  std::string server;
  std::string mailbox;
  std::string out;
};

// A command-line name as the address book stores it.
bool bookName(CliContext& ctx, const std::string& utf8, std::string* name) {
  platform::Result<std::string> converted = platform::utf8ToCp1252(utf8);
  if (converted.ok()) {
    *name = std::move(converted).value();
    return true;
  }
  ctx.fail("'" + utf8 + "': " + converted.message());
  return false;
}

void runMailRender(CliContext& ctx, const MailRenderOptions& o) {
  mail::SignDataMailTarget target;
  if (!bookName(ctx, o.server, &target.serverName) ||
      !bookName(ctx, o.mailbox, &target.mailboxName)) {
    return;
  }
  if (!platform::pathExists(o.file)) {
    ctx.fail("cannot read " + o.file);
    return;
  }
  addressbook::CAddressBook book;
  if (!ctx.loadAddressBook(&book)) return;

  const platform::Result<std::unique_ptr<mail::SmtpMessage>> message =
      mail::buildSignDataMail(book, o.file, target);
  if (!message.ok()) {
    ctx.fail(platform::cp1252ToUtf8(message.message()));
    return;
  }
  const platform::Result<std::string> bytes =
      mail::renderSignDataMail(**message, platform::SystemClock());
  if (!bytes.ok()) {
    ctx.fail(platform::cp1252ToUtf8(bytes.message()));
    return;
  }
  const platform::Status written =
      platform::writeFileAtomic(o.out, *bytes, platform::kDataFileMode);
  if (!written.ok()) ctx.fail(written.message());
}

}  // namespace

void addMailCommands(CLI::App& app, CliContext& ctx) {
  CLI::App* mailCommand = app.add_subcommand("mail", "The sign data mail");
  mailCommand->require_subcommand(1);
  auto o = std::make_shared<MailRenderOptions>();
  CLI::App* render = mailCommand->add_subcommand(
      "render", "Write the mail that carries a sign data file, as the SMTP data phase sends it");
  render->add_option("file", o->file, "Sign data file (.bin)")->required();
  render->add_option("--server", o->server, "Mail server of the address book")->required();
  render->add_option("--mailbox", o->mailbox, "Mailbox of the address book")->required();
  render->add_option("-o,--output", o->out, "Where the mail goes (.eml)")->required();
  render->callback([&ctx, o] { runMailRender(ctx, *o); });
}

}  // namespace cli
