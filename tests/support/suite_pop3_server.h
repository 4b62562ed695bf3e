#pragma once

#include <memory>
#include <string>

#include "tests/support/pop3_server.h"

namespace testing_support {

// One Dovecot for a whole test suite, with a mailbox of its own for every test of the suite, named
// after the test in lower case (Dovecot folds log-in names) and known before the server starts.
// Call start() from SetUpTestSuite() and stop() from TearDownTestSuite(); in SetUp(), skip when
// !Pop3Server::available() and assert server() with startError() as the message.
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

}  // namespace testing_support
