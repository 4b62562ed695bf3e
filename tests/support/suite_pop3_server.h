#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/support/pop3_server.h"

namespace testing_support {

// One Dovecot for a whole test suite, with a mailbox of its own for every test of the suite, named
// after the test in lower case (Dovecot folds log-in names) and known before the server starts.
// SuitePop3Test below is the usual way to use it.
class SuitePop3Server {
 public:
  void start(const std::string& password);
  void stop();

  Pop3Server* server() const { return server_.get(); }
  const std::string& startError() const { return startError_; }
  // The mailbox of the running test.
  static std::string currentUser();

 private:
  std::unique_ptr<Pop3Server> server_;
  std::string startError_;
};

// A fixture for suites that share one Dovecot: `Derived` names the password of its mailboxes in
// `static constexpr char kSuitePassword[]`. SetUp() skips the test when Dovecot is missing and
// fails it when the server did not start; otherwise server_ and user_ are the running test's.
// A derived SetUp() calls this one first and returns when IsSkipped() or HasFatalFailure().
template <class Derived>
class SuitePop3Test : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { suite_.start(Derived::kSuitePassword); }
  static void TearDownTestSuite() { suite_.stop(); }

  void SetUp() override {
    if (!Pop3Server::available()) GTEST_SKIP() << "dovecot is not installed";
    server_ = suite_.server();
    ASSERT_NE(server_, nullptr) << suite_.startError();
    user_ = SuitePop3Server::currentUser();
  }

  static inline SuitePop3Server suite_;
  Pop3Server* server_ = nullptr;
  std::string user_;
};

}  // namespace testing_support
