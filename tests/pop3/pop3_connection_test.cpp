#include "pop3/pop3_connection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "i18n/string_table.h"
#include "tests/support/fake_pop3_server.h"
#include "tests/support/scripted_pump.h"

namespace {

using pop3::MailItem;
using pop3::POP3Connection;
using pop3_test::FakePop3Server;
using testing_support::ScriptedPump;

constexpr char kUser[] = "signs";
constexpr char kPassword[] = "s3cret-pw";

// A client and a scripted server sharing one pump; the status sink's lines are collected.
struct Fixture {
  explicit Fixture(pop3::Pop3Options options = {}) {
    pump.onDispatch = [this](int) { server.step(); };
    options.clock = &clock;
    client = std::make_unique<POP3Connection>(
        pump, "127.0.0.1", server.port(), kUser, kPassword,
        [this](const std::string& s) { status.push_back(s); },
        [this](size_t bytes) { progress.push_back(bytes); }, options);
  }
  bool statusShows(const std::string& text) const {
    for (const std::string& s : status)
      if (s == text) return true;
    return false;
  }

  ScriptedPump pump;
  FakePop3Server server;
  platform::FixedClock clock{platform::LocalTime{2026, 12, 8, 9, 15, 0, 2, 60}};
  std::vector<std::string> status;
  std::vector<size_t> progress;
  std::unique_ptr<POP3Connection> client;
};

// Serves one mail for RETR 1 (already dot-stuffed, end mark included) and "+OK" otherwise.
std::function<std::string(const std::string&)> serveMail(const std::string& wire) {
  return [wire](const std::string& line) -> std::string {
    if (line == "RETR 1") return "+OK " + std::to_string(wire.size()) + " octets\r\n" + wire;
    return "+OK\r\n";
  };
}

constexpr char kSignMail[] =
    "Return-Path: <sender@example.org>\r\n"
    "From: Sender <sender@example.org>\r\n"
    "To: Signs <signs@example.org>; other@example.org\r\n"
    "Date: Tue, 08 Dec 2026 09:00:00 +0100\r\n"
    "Subject: Data for Z2500 series\r\n"
    "Cc: copy@example.org\r\n"
    "\r\n"
    "Data for Z2500 series\r\n"
    "..\r\n"
    "..\r\n"
    "..leading dots stay\r\n"
    ".\r\n";

TEST(Pop3Connect, LogsInWithoutEverShowingThePassword) {
  Fixture f;
  ASSERT_TRUE(f.client->Connect()) << f.client->ErrorText();
  EXPECT_TRUE(f.client->Connected());
  EXPECT_EQ(f.client->ErrorText(), "OK");
  EXPECT_EQ(f.server.commands(), (std::vector<std::string>{"USER signs", "PASS s3cret-pw"}));
  EXPECT_EQ(f.status, (std::vector<std::string>{"USER signs", "PASS<...>"}));
  // Connecting again is a no-op.
  EXPECT_TRUE(f.client->Connect());
  EXPECT_EQ(f.server.commands().size(), 2u);
}

TEST(Pop3Connect, EachRefusalHasItsOwnTextAndClosesTheSocket) {
  struct Case {
    std::string refusedLine;  // The command answered with -ERR ("" for the greeting).
    const char* text;
  };
  for (const Case& c : {Case{"", "Server didn't connect"}, Case{"USER", "Bad user name"},
                        Case{"PASS", "Invalid username/password combination"}}) {
    Fixture f;
    if (c.refusedLine.empty()) f.server.greeting = "-ERR go away\r\n";
    f.server.reply = [&](const std::string& line) -> std::string {
      return line.rfind(c.refusedLine, 0) == 0 && !c.refusedLine.empty() ? "-ERR no\r\n"
                                                                         : "+OK\r\n";
    };
    EXPECT_FALSE(f.client->Connect());
    EXPECT_EQ(f.client->ErrorText(), c.text);
    EXPECT_TRUE(f.statusShows(c.text));
    EXPECT_FALSE(f.client->Connected());
    // The server sees the connection end.
    for (int i = 0; i < 100 && !f.server.clientClosed(); ++i)
      f.server.step();
    EXPECT_TRUE(f.server.clientClosed()) << c.text;
  }
}

TEST(Pop3Connect, LineBreaksInTheCredentialsAreNeverSent) {
  ScriptedPump pump;
  FakePop3Server server;
  pump.onDispatch = [&](int) { server.step(); };
  POP3Connection client(pump, "127.0.0.1", server.port(), "signs\r\nDELE 1", "pw", nullptr,
                        nullptr);
  EXPECT_FALSE(client.Connect());
  EXPECT_EQ(client.ErrorText(), "Bad user name");
  EXPECT_TRUE(server.commands().empty());
}

TEST(Pop3Connect, ConnectFailureTextsOfBothPrograms) {
  uint16_t closedPort;
  {
    FakePop3Server gone;
    closedPort = gone.port();
  }
  ScriptedPump pump;
  POP3Connection receiver(pump, "127.0.0.1", closedPort, kUser, kPassword, nullptr, nullptr);
  EXPECT_FALSE(receiver.Connect());
  EXPECT_EQ(receiver.ErrorText(), "Unable to connect to server");
  EXPECT_EQ(receiver.SocketError(), 10061);

  pop3::Pop3Options varnelOptions;
  varnelOptions.connectTexts = pop3::ConnectTexts::kLanguageTable;
  POP3Connection english(pump, "127.0.0.1", closedPort, kUser, kPassword, nullptr, nullptr,
                         varnelOptions);
  EXPECT_FALSE(english.Connect());
  EXPECT_EQ(english.ErrorText(), "Couldn't connect to server!, Error:10061");

  i18n::setLanguageLookup(
      [](int id) -> std::string { return id == 33092 ? "Keine Verbindung, Fehler:%d" : ""; });
  POP3Connection varnel(pump, "127.0.0.1", closedPort, kUser, kPassword, nullptr, nullptr,
                        varnelOptions);
  EXPECT_FALSE(varnel.Connect());
  EXPECT_EQ(varnel.ErrorText(), "Keine Verbindung, Fehler:10061");
  POP3Connection badPort(pump, "127.0.0.1", 70000, kUser, kPassword, nullptr, nullptr,
                         varnelOptions);
  EXPECT_FALSE(badPort.Connect());
  EXPECT_EQ(badPort.ErrorText(), "Keine Verbindung, Fehler:10022");
  i18n::setLanguageLookup(nullptr);
}

TEST(Pop3Commands, StatAndListReadTheirNumbers) {
  Fixture f;
  f.server.reply = [](const std::string& line) -> std::string {
    if (line == "STAT") return "+OK 3 1200\r\n";
    if (line == "LIST 12") return "+OK 12 3456\r\n";
    if (line == "LIST 2") return "+OK 2 \r\n";
    if (line == "LIST 4") return "-ERR no such message\r\n";
    return "+OK\r\n";
  };
  ASSERT_TRUE(f.client->Connect());
  EXPECT_EQ(f.client->Stat(), 3);
  EXPECT_EQ(f.client->List(12), 3456);
  EXPECT_EQ(f.client->List(4), -1);
  EXPECT_EQ(f.client->ErrorText(), "Could not LIST message");
  EXPECT_EQ(f.client->List(2), -1);  // no size in the answer
  EXPECT_TRUE(f.statusShows("STAT"));
  EXPECT_TRUE(f.statusShows("LIST 12"));
}

TEST(Pop3Commands, StatRefusedOrWithoutCountFails) {
  for (const char* answer : {"-ERR locked\r\n", "+OK\r\n"}) {
    Fixture f;
    f.server.reply = [&](const std::string& line) -> std::string {
      return line == "STAT" ? answer : "+OK\r\n";
    };
    ASSERT_TRUE(f.client->Connect());
    EXPECT_EQ(f.client->Stat(), -1) << answer;
    EXPECT_EQ(f.client->ErrorText(), "STATus couldn't be retrieved");
  }
}

TEST(Pop3Commands, EmptyMailboxCountsZero) {
  Fixture f;
  f.server.reply = [](const std::string& line) -> std::string {
    return line == "STAT" ? "+OK 0 0\r\n" : "+OK\r\n";
  };
  ASSERT_TRUE(f.client->Connect());
  EXPECT_EQ(f.client->Stat(), 0);
}

TEST(Pop3Commands, DeleteAndQuitTakeEffectInOrder) {
  Fixture f;
  f.server.reply = [](const std::string& line) -> std::string {
    return line == "DELE 9" ? "-ERR no such message\r\n" : "+OK\r\n";
  };
  ASSERT_TRUE(f.client->Connect());
  EXPECT_TRUE(f.client->Delete(1));
  EXPECT_FALSE(f.client->Delete(9));
  EXPECT_EQ(f.client->ErrorText(), "Could not DELEte message");
  EXPECT_TRUE(f.client->Quit());
  EXPECT_FALSE(f.client->Connected());
  EXPECT_EQ(f.server.commands(),
            (std::vector<std::string>{"USER signs", "PASS s3cret-pw", "DELE 1", "DELE 9", "QUIT"}));
  EXPECT_TRUE(f.client->Quit());  // not connected: nothing sent
  EXPECT_EQ(f.server.commands().size(), 5u);
}

TEST(Pop3Commands, RefusedQuitStillDisconnects) {
  Fixture f;
  f.server.reply = [](const std::string& line) -> std::string {
    return line == "QUIT" ? "-ERR cannot\r\n" : "+OK\r\n";
  };
  ASSERT_TRUE(f.client->Connect());
  EXPECT_FALSE(f.client->Quit());
  EXPECT_EQ(f.client->ErrorText(), "Error while QUITting");
  EXPECT_FALSE(f.client->Connected());
}

TEST(Pop3Commands, DestructorQuitsALiveConnection) {
  Fixture f;
  ASSERT_TRUE(f.client->Connect());
  f.client.reset();
  EXPECT_EQ(f.server.commands().back(), "QUIT");
}

TEST(Pop3Commands, SilentServerFailsAfterTheGuardWithSocketError) {
  Fixture f;
  f.server.reply = [](const std::string& line) -> std::string {
    return line == "STAT" ? "" : "+OK\r\n";
  };
  ASSERT_TRUE(f.client->Connect());
  const uint64_t start = f.pump.tickMs();
  EXPECT_EQ(f.client->Stat(), -1);
  EXPECT_EQ(f.client->ErrorText(), "Socket Error");
  EXPECT_GE(f.pump.tickMs() - start, 30000u);
  EXPECT_LT(f.pump.tickMs() - start, 31000u);
}

TEST(Pop3Commands, AfterATimeOutNoFurtherCommandReachesTheServer) {
  Fixture f;
  f.server.reply = [](const std::string& line) -> std::string {
    return line == "STAT" ? "" : "+OK\r\n";
  };
  ASSERT_TRUE(f.client->Connect());
  EXPECT_EQ(f.client->Stat(), -1);
  EXPECT_FALSE(f.client->Connected());
  EXPECT_EQ(f.client->List(1), -1);
  EXPECT_EQ(f.client->ErrorText(), "Socket Error");
  EXPECT_EQ(f.server.commands().back(), "STAT");
}

TEST(Pop3Commands, ConnectionClosedByTheServerIsAFailureNotAnEmptyAnswer) {
  Fixture f;
  f.server.closeOn = "STAT";
  ASSERT_TRUE(f.client->Connect());
  EXPECT_EQ(f.client->Stat(), -1);
  EXPECT_EQ(f.client->ErrorText(), "Socket Error");
}

TEST(Pop3Commands, AnswerCutIntoPiecesIsReadAsOneLine) {
  Fixture f;
  f.server.piece = 2;
  f.server.reply = [](const std::string& line) -> std::string {
    return line == "STAT" ? "+OK 17 9000\r\n" : "+OK\r\n";
  };
  ASSERT_TRUE(f.client->Connect());
  EXPECT_EQ(f.client->Stat(), 17);
  EXPECT_EQ(f.client->Delete(1), true);  // the rest of the STAT line was not taken for this
  EXPECT_EQ(f.client->LastResponse(), "+OK\r\n");
}

TEST(Pop3Retrieve, ParsesTheMailAndUndoesDotStuffing) {
  Fixture f;
  f.server.reply = serveMail(kSignMail);
  ASSERT_TRUE(f.client->Connect());
  MailItem item;
  item.subject = "stale";
  ASSERT_TRUE(f.client->Retrieve(1, &item)) << f.client->ErrorText();
  EXPECT_EQ(item.from, "Sender <sender@example.org>");
  ASSERT_EQ(item.to.size(), 2u);
  EXPECT_EQ(item.to[0].friendlyName, "Signs");
  EXPECT_EQ(item.to[0].emailAddress, "signs@example.org");
  EXPECT_EQ(item.to[1].emailAddress, "other@example.org");
  EXPECT_EQ(item.subject, "Data for Z2500 series");
  ASSERT_EQ(item.cc.size(), 1u);
  EXPECT_EQ(item.cc[0].emailAddress, "copy@example.org");
  EXPECT_EQ(item.body, "Data for Z2500 series\r\n.\r\n.\r\n..leading dots stay\r\n");
  EXPECT_EQ(item.header.rfind("Return-Path: <sender@example.org>\r\n", 0), 0u);
  EXPECT_EQ(item.receiveTime.hour, 9);
  EXPECT_EQ(item.receiveTime.minute, 15);
  EXPECT_TRUE(f.statusShows("RETR 1"));
}

TEST(Pop3Retrieve, MailInOnePacketNeedsNoFurtherReceive) {
  Fixture f;
  f.server.reply = serveMail("From: a\r\n\r\nhi\r\n.\r\n");
  ASSERT_TRUE(f.client->Connect());
  MailItem item;
  ASSERT_TRUE(f.client->Retrieve(1, &item));
  EXPECT_EQ(item.body, "hi\r\n");
  EXPECT_TRUE(f.progress.empty());
}

TEST(Pop3Retrieve, EndMarkSplitAcrossPiecesIsFound) {
  for (size_t piece : {1u, 2u, 3u, 4u, 7u}) {
    Fixture f;
    f.server.reply = serveMail(kSignMail);
    ASSERT_TRUE(f.client->Connect());
    f.server.piece = piece;
    MailItem item;
    ASSERT_TRUE(f.client->Retrieve(1, &item)) << piece;
    EXPECT_EQ(item.subject, "Data for Z2500 series");
    EXPECT_EQ(item.body, "Data for Z2500 series\r\n.\r\n.\r\n..leading dots stay\r\n");
    ASSERT_FALSE(f.progress.empty());
    EXPECT_TRUE(std::is_sorted(f.progress.begin(), f.progress.end()));
    // Progress counts what came after the first answer, up to the end mark.
    EXPECT_LT(f.progress.back(), sizeof kSignMail + 32);
    // Nothing of the mail is left to be taken for the next answer.
    f.server.piece = 1 << 20;
    EXPECT_TRUE(f.client->Delete(1));
    EXPECT_EQ(f.client->LastResponse(), "+OK\r\n");
  }
}

TEST(Pop3Retrieve, RefusedRetrieveHasItsText) {
  Fixture f;
  f.server.reply = [](const std::string&) -> std::string { return "+OK\r\n"; };
  ASSERT_TRUE(f.client->Connect());
  f.server.reply = [](const std::string&) -> std::string { return "-ERR no such message\r\n"; };
  MailItem item;
  EXPECT_FALSE(f.client->Retrieve(5, &item));
  EXPECT_EQ(f.client->ErrorText(), "RETRieve failed");
}

TEST(Pop3Retrieve, MailOverTheCeilingIsRefusedAndTheConnectionStaysInStep) {
  pop3::Pop3Options options;
  options.maxMailBytes = 4096;
  Fixture f(options);
  std::string big = "From: a\r\n\r\n";
  while (big.size() < 20000)
    big += "0123456789012345678901234567890123456789012345678901234567\r\n";
  big += ".\r\n";
  f.server.reply = [big](const std::string& line) -> std::string {
    if (line == "RETR 1") return "+OK\r\n" + big;
    if (line == "STAT") return "+OK 1 20000\r\n";
    return "+OK\r\n";
  };
  ASSERT_TRUE(f.client->Connect());
  f.server.piece = 1000;
  MailItem item;
  EXPECT_FALSE(f.client->Retrieve(1, &item));
  EXPECT_EQ(f.client->ErrorText(),
            "RETRieve failed: the mail is larger than 4096 bytes and was left on the server");
  EXPECT_TRUE(f.client->Connected());
  EXPECT_EQ(f.client->Stat(), 1);
  EXPECT_TRUE(f.client->Quit());
  for (const std::string& c : f.server.commands())
    EXPECT_NE(c.rfind("DELE", 0), 0u) << c;
}

TEST(Pop3Retrieve, MailAtTheCeilingIsAccepted) {
  const std::string wire = "From: a\r\n\r\nbody\r\n.\r\n";
  pop3::Pop3Options options;
  options.maxMailBytes = wire.size();
  Fixture f(options);
  f.server.reply = serveMail(wire);
  ASSERT_TRUE(f.client->Connect());
  MailItem item;
  EXPECT_TRUE(f.client->Retrieve(1, &item)) << f.client->ErrorText();
  EXPECT_EQ(item.body, "body\r\n");
}

TEST(Pop3Retrieve, ServerStoppingMidMailFailsAfterTheGuardKeepingTheErrorText) {
  Fixture f;
  f.server.reply = [](const std::string& line) -> std::string {
    return line == "RETR 1" ? "+OK\r\nFrom: a\r\n\r\nhalf a mail" : "+OK\r\n";
  };
  ASSERT_TRUE(f.client->Connect());
  const uint64_t start = f.pump.tickMs();
  MailItem item;
  EXPECT_FALSE(f.client->Retrieve(1, &item));
  EXPECT_EQ(f.client->ErrorText(), "OK");
  EXPECT_GE(f.pump.tickMs() - start, 30000u);
}

TEST(Pop3Retrieve, ServerClosingMidMailEndsTheConnection) {
  Fixture f;
  f.server.reply = [](const std::string& line) -> std::string {
    return line == "RETR 1" ? "+OK\r\nFrom: a\r\n\r\nhalf a mail" : "+OK\r\n";
  };
  f.server.hangUpAfter = "RETR";
  ASSERT_TRUE(f.client->Connect());
  MailItem item;
  EXPECT_FALSE(f.client->Retrieve(1, &item));
  EXPECT_FALSE(f.client->Connected());
  EXPECT_TRUE(f.client->Quit());  // nothing left to quit
}

TEST(Pop3Retrieve, AMailTricklingInIsAbandonedAtTheDeadlineOfItsAnnouncedSize) {
  Fixture f;
  std::string wire = "+OK\r\nFrom: a\r\n\r\n" + std::string(5000, 'x') + "\r\n.\r\n";
  f.server.reply = [wire](const std::string& line) -> std::string {
    return line == "RETR 1" ? wire : "+OK\r\n";
  };
  ASSERT_TRUE(f.client->Connect());
  // Ten bytes every nine seconds: each wait is well inside the 30 s guard.
  f.server.piece = 10;
  uint64_t next = 0;
  f.pump.onDispatch = [&f, &next](int) {
    if (f.pump.tickMs() < next) return;
    f.server.step();
    next = f.pump.tickMs() + 9000;
  };
  EXPECT_EQ(pop3::mailDeadlineMs(5000), 60305);
  const uint64_t start = f.pump.tickMs();
  MailItem item;
  EXPECT_FALSE(f.client->Retrieve(1, &item, 5000));
  EXPECT_GE(f.pump.tickMs() - start, 60305u);
  EXPECT_LT(f.pump.tickMs() - start, 61000u);
  EXPECT_EQ(f.client->ErrorText(),
            "RETRieve failed: the mail did not arrive within 60 seconds and was left on the "
            "server");
  EXPECT_FALSE(f.client->Connected());
}

}  // namespace
