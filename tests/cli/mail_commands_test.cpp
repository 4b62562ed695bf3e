// varnel-cli with e-mail destinations: the rendered sign data mail, and a workspace sent to a
// site on an e-mail device through the real servers, its temporary data file gone either way.

#include <dirent.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "addressbook/address_book.h"
#include "mail/base64.h"
#include "platform/atomic_file.h"
#include "signlink/sign_data_file.h"
#include "tests/mailtransfer/mail_servers.h"
#include "tests/support/hex_text.h"
#include "tests/support/mail_site_book.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "workspace/workspace_file.h"

using mail_transfer_testing::MailServers;
using testing_support::runCli;
using testing_support::TempDir;

namespace {

std::vector<std::string> filesIn(const std::string& dir) {
  std::vector<std::string> names;
  if (DIR* d = ::opendir(dir.c_str())) {
    while (const dirent* e = ::readdir(d)) {
      const std::string name = e->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(d);
  }
  return names;
}

// Lines of tests/mail/parse_mail.py about a mail file.
std::string parseWithPython(const std::string& path) {
  const testing_support::CommandResult parsed = testing_support::parseMailWithPython(path);
  return parsed.exitCode == 0 ? parsed.out : parsed.out + "(parser failed)";
}

std::string hex(std::string_view bytes) {
  return testing_support::lowerHex(bytes);
}

// The attachment of a delivered mail, decoded.
std::string attachmentOf(const std::string& mail) {
  const size_t name = mail.find("filename=\"Z2500");
  if (name == std::string::npos) return {};
  const size_t start = mail.find("\r\n\r\n", name);
  const size_t end = mail.find("\r\n\r\n", start + 4);
  if (start == std::string::npos || end == std::string::npos) return {};
  return mail::base64Decode(std::string_view(mail).substr(start + 4, end - start - 4));
}

class CliMailTest : public ::testing::Test {
 protected:
  // The mail servers start once for the suite.
  static void SetUpTestSuite() {
    servers_ = new MailServers;
    servers_->SetUp();
  }
  static void TearDownTestSuite() {
    servers_->TearDown();
    delete servers_;
    servers_ = nullptr;
  }

  void SetUp() override {
    ASSERT_NE(servers_->open(), nullptr) << servers_->error();
    server_ = servers_->openServerRecord();
    if (!servers_->pop3()) {
      // Without Dovecot the send logs in to SMTP instead of POP3.
      server_.smtpPort = servers_->auth()->port();
      server_.needsAuth = 1;
    }
  }

  void saveBook(const std::string& mailboxAddress) {
    const auto book = testing_support::emailSiteBook(server_, "Depot", "DepotBox", mailboxAddress);
    ASSERT_TRUE(book.save(addressbook::sitePath(data_.path())).ok());
  }

  // Runs varnel-cli send with its runtime directory (where the data file is made) in tmp_.
  testing_support::CommandResult sendWorkspace() {
    const platform::Status written =
        workspace::saveWorkspaceFile(data_.file("show.SDV"), workspace::Workspace());
    EXPECT_TRUE(written.ok()) << written.message();
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    const std::string saved = old ? old : "";
    ::setenv("XDG_RUNTIME_DIR", tmp_.path().c_str(), 1);
    auto r = runCli({"--data-dir", data_.path(), "send", "workspace", data_.file("show.SDV"),
                     "--site", "Depot"});
    if (old) {
      ::setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    } else {
      ::unsetenv("XDG_RUNTIME_DIR");
    }
    return r;
  }

  testing_support::SmtpTestServer* smtp() const {
    return server_.needsAuth ? servers_->auth() : servers_->open();
  }

  static inline MailServers* servers_ = nullptr;
  addressbook::CMailServer server_;
  TempDir data_;
  TempDir tmp_;
};

TEST_F(CliMailTest, RenderedMailReadsBackWithPython) {
  saveBook("depot@example.com");
  const std::string bin = data_.file("Z2500261208090507.bin");
  const std::string data("\x00\x01\r\n.\r\nsign\xFF", 12);
  testing_support::writeFile(bin, data);
  const auto r = runCli({"--data-dir", data_.path(), "mail", "render", bin, "--server", "Office",
                         "--mailbox", "DepotBox", "-o", data_.file("out.eml")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string mail = testing_support::readFile(data_.file("out.eml"));
  EXPECT_EQ(mail.substr(mail.size() - 2), "--");  // No end mark.
  const std::string out = parseWithPython(data_.file("out.eml"));
  const std::string subject = hex("Data for Z2500 series");
  EXPECT_NE(out.find("subject " + subject + "\n"), std::string::npos) << out;
  EXPECT_NE(out.find("text text/plain " + subject + "\n"), std::string::npos) << out;
  EXPECT_NE(out.find("attachment Z2500261208090507.bin " + hex(data) + "\n"), std::string::npos)
      << out;

  const auto missing = runCli({"--data-dir", data_.path(), "mail", "render", bin, "--server",
                               "Office", "--mailbox", "Nowhere", "-o", data_.file("no.eml")});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("Group Nowhere(Recv Mailbox) has been deleted by user"),
            std::string::npos)
      << missing.err;
}

TEST_F(CliMailTest, WorkspaceReachesTheSiteMailboxAndTheDataFileIsGone) {
  saveBook("depot@example.com");
  const size_t before = smtp()->deliveredMails().size();
  const auto r = sendWorkspace();
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.err.find("EMail:Office\n"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("send successfully,"), std::string::npos) << r.err;
  EXPECT_TRUE(filesIn(tmp_.path()).empty());

  const auto mails = smtp()->deliveredMails();
  ASSERT_EQ(mails.size(), before + 1);
  EXPECT_NE(mails.back().find("Subject: Data for Z2500 series\r\n"), std::string::npos);
  std::string_view stream;
  EXPECT_TRUE(signlink::signDataFileStream(attachmentOf(mails.back()), &stream));
  EXPECT_FALSE(stream.empty());
}

TEST_F(CliMailTest, FailedSendStillRemovesTheDataFile) {
  server_.smtpPort = 1;  // Nothing listens there.
  server_.pop3Port = servers_->pop3() ? servers_->pop3()->port() : 1;
  saveBook("depot@example.com");
  const auto r = sendWorkspace();
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Couldn't connect to server!, Error:"), std::string::npos) << r.err;
  EXPECT_TRUE(filesIn(tmp_.path()).empty());
}

// The book's fields go into the mail's header: a line break in one is refused, as send does.
TEST_F(CliMailTest, RenderRefusesLineBreaksInTheBook) {
  for (const std::string& address : {std::string("depot@example.com\r\nBcc: all@example.com"),
                                     std::string("depot@example.com\nX-Evil: 1")}) {
    saveBook(address);
    const std::string bin = data_.file("Z2500261208090507.bin");
    testing_support::writeFile(bin, "Z2500 series35" + std::string(10, '\0'));
    const auto r = runCli({"--data-dir", data_.path(), "mail", "render", bin, "--server", "Office",
                           "--mailbox", "DepotBox", "-o", data_.file("out.eml")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("A mail address holds a line break: depot@example.com"), std::string::npos)
        << r.err;
    EXPECT_FALSE(platform::pathExists(data_.file("out.eml")));
  }
}

}  // namespace
