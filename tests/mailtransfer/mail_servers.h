#pragma once

// Real mail servers on loopback for the e-mail transfer tests, started once per test program: an
// SMTP server that relays without a log-in, one that wants AUTH LOGIN first, and Dovecot for the
// POP3 log-in before sending (when it is installed).

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "addressbook/address_records.h"
#include "tests/support/pop3_server.h"
#include "tests/support/smtp_server.h"
#include "tests/support/temp_dir.h"

namespace mail_transfer_testing {

inline constexpr char kLoopback[] = "127.0.0.1";
inline constexpr char kUser[] = "signuser";
inline constexpr char kPassword[] = "S3cret-pa$$";
inline constexpr char kRefusedText[] = "refused";  // Recipients holding it get 550.

class MailServers : public ::testing::Environment {
 public:
  void SetUp() override {
    dir_ = std::make_unique<testing_support::TempDir>();
    open_ = start(false, "open");
    auth_ = start(true, "auth");
    if (testing_support::Pop3Server::available()) {
      pop3_ = std::make_unique<testing_support::Pop3Server>();
      pop3_->addUser(kUser, kPassword);
      if (!pop3_->start(&error_)) pop3_.reset();
    }
  }
  void TearDown() override {
    open_.reset();
    auth_.reset();
    pop3_.reset();
    dir_.reset();
  }

  static MailServers* get() { return instance_; }
  static void install() {
    instance_ = new MailServers;
    ::testing::AddGlobalTestEnvironment(instance_);
  }

  // Null when a server did not come up; error() says why.
  testing_support::SmtpTestServer* open() const { return open_.get(); }
  testing_support::SmtpTestServer* auth() const { return auth_.get(); }
  testing_support::Pop3Server* pop3() const { return pop3_.get(); }
  const std::string& error() const { return error_; }

  // A mail server record for the open SMTP server whose POP3 side is Dovecot (port 1, where
  // nothing listens, when Dovecot is missing).
  addressbook::CMailServer openServerRecord() const {
    addressbook::CMailServer s;
    s.name = "Office";
    s.smtpServer = kLoopback;
    s.smtpPort = open_ ? open_->port() : 1;
    s.mailAddress = "sender@example.com";
    s.pop3Server = kLoopback;
    s.pop3Port = pop3_ ? pop3_->port() : 1;
    s.pop3Account = kUser;
    s.pop3Password = kPassword;
    return s;
  }

 private:
  std::unique_ptr<testing_support::SmtpTestServer> start(bool requireAuth, const char* name) {
    testing_support::SmtpTestServer::Options options;
    options.maildir = dir_->file(std::string("Maildir-") + name);
    options.user = kUser;
    options.password = kPassword;
    options.refuse = kRefusedText;
    options.requireAuth = requireAuth;
    auto server = std::make_unique<testing_support::SmtpTestServer>(options);
    if (!server->start(&error_)) return nullptr;
    return server;
  }

  static inline MailServers* instance_ = nullptr;
  std::unique_ptr<testing_support::TempDir> dir_;
  std::unique_ptr<testing_support::SmtpTestServer> open_;
  std::unique_ptr<testing_support::SmtpTestServer> auth_;
  std::unique_ptr<testing_support::Pop3Server> pop3_;
  std::string error_;
};

}  // namespace mail_transfer_testing
