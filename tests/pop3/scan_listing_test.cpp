// A whole mailbox's sizes from one LIST: the listing's lines, and a listing that is refused, cut
// off, endless or announced for an absurd number of mails.

#include "pop3/scan_listing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pop3/pop3_connection.h"
#include "tests/support/fake_pop3_server.h"
#include "tests/support/scripted_pump.h"

namespace {

using Sizes = std::vector<long long>;

TEST(ScanListing, SizesByMessageNumberWithGapsAndOddLines) {
  EXPECT_EQ(pop3::parseScanListing("1 120\r\n2 3400\r\n3 5\r\n", 3), (Sizes{120, 3400, 5}));
  // Out of order, extra words, numbers out of range, lines that are no listing, a bare LF.
  EXPECT_EQ(pop3::parseScanListing("3 7 extra\r\n0 9\r\n4 9\r\nx 1\r\n1 x\r\n1 99\n", 3),
            (Sizes{99, -1, 7}));
  EXPECT_EQ(pop3::parseScanListing("1 99999999999999999999999\r\n", 1), (Sizes{-1}));
  EXPECT_EQ(pop3::parseScanListing("", 0), Sizes{});
}

// A client and a scripted server sharing one pump, logged in.
class ListAllTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pump_.onDispatch = [this](int) { server_.step(); };
    server_.reply = [this](const std::string& line) -> std::string {
      return line == "LIST" ? listing_ : "+OK\r\n";
    };
    ASSERT_TRUE(client_.Connect());
  }

  testing_support::ScriptedPump pump_;
  pop3_test::FakePop3Server server_;
  pop3::POP3Connection client_{pump_, "127.0.0.1", server_.port(), "u", "p", {}, {}};
  std::string listing_;
};

TEST_F(ListAllTest, OneListingGivesEverySizeAndTheConnectionGoesOn) {
  listing_ = "+OK 2 messages\r\n1 300\r\n2 4000\r\n.\r\n";
  server_.piece = 3;  // The listing comes in small pieces.
  EXPECT_EQ(client_.ListAll(2), (Sizes{300, 4000}));
  EXPECT_TRUE(client_.Delete(1));
  EXPECT_EQ(server_.commands().back(), "DELE 1");
  listing_ = "+OK\r\n.\r\n";
  EXPECT_EQ(client_.ListAll(1), (Sizes{-1}));
  EXPECT_TRUE(client_.Connected());
}

TEST_F(ListAllTest, ARefusalLeavesTheConnectionUsable) {
  listing_ = "-ERR not now\r\n";
  EXPECT_EQ(client_.ListAll(2), Sizes{});
  EXPECT_EQ(client_.ErrorText(), "Could not LIST message");
  EXPECT_TRUE(client_.Connected());
}

TEST_F(ListAllTest, AnAbsurdCountSendsNothing) {
  const size_t before = server_.commands().size();
  EXPECT_EQ(client_.ListAll(0), Sizes{});
  EXPECT_EQ(client_.ListAll(pop3::POP3Connection::kMaxListedMessages + 1), Sizes{});
  EXPECT_EQ(server_.commands().size(), before);
  EXPECT_TRUE(client_.Connected());
}

TEST_F(ListAllTest, AnEndlessOrUnendedListingEndsTheConnection) {
  // Far more lines than one message can have: read up to its bound, then given up.
  listing_ = "+OK\r\n";
  for (int i = 0; i < 1000; ++i)
    listing_ += "1 100\r\n";
  EXPECT_EQ(client_.ListAll(1), Sizes{});
  EXPECT_FALSE(client_.Connected());
  EXPECT_EQ(client_.ErrorText(), "Socket Error");
}

TEST_F(ListAllTest, AListingWithoutItsEndIsGivenUpAtItsDeadline) {
  listing_ = "+OK\r\n1 100\r\n";  // The terminating line never comes.
  const uint64_t start = pump_.tickMs();
  EXPECT_EQ(client_.ListAll(1), Sizes{});
  EXPECT_FALSE(client_.Connected());
  EXPECT_LE(pump_.tickMs() - start, 31000u);
}

}  // namespace
