// The mail servers start once for the whole program.

#include <gtest/gtest.h>

#include "tests/mailtransfer/mail_servers.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  mail_transfer_testing::MailServers::install();
  return RUN_ALL_TESTS();
}
