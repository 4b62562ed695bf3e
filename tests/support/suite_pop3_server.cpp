#include "tests/support/suite_pop3_server.h"

#include <gtest/gtest.h>

#include <cctype>

namespace testing_support {
namespace {

std::string userFor(std::string testName) {
  for (char& c : testName)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return testName;
}

}  // namespace

void SuitePop3Server::start(const std::string& password) {
  if (!Pop3Server::available()) return;
  server_ = std::make_unique<Pop3Server>();
  const ::testing::TestSuite* suite = ::testing::UnitTest::GetInstance()->current_test_suite();
  for (int i = 0; i < suite->total_test_count(); ++i)
    server_->addUser(userFor(suite->GetTestInfo(i)->name()), password);
  if (!server_->start(&startError_)) server_.reset();
}

void SuitePop3Server::stop() {
  server_.reset();
  startError_.clear();
}

std::string SuitePop3Server::currentUser() {
  return userFor(::testing::UnitTest::GetInstance()->current_test_info()->name());
}

}  // namespace testing_support
