// The SMTP client against a scripted loopback peer: the replies a real server will not give on
// demand (split packets, odd multi-line replies, silence, refusals at each step).

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "mail/base64.h"
#include "mail/smtp_connection.h"
#include "platform/message_pump.h"
#include "platform/tcp_socket.h"
#include "tests/mail/scripted_smtp_peer.h"
#include "tests/mail/smtp_test_support.h"

using mail::MailAddress;
using mail_testing::FastClockPump;
using mail_testing::loginTo;
using mail_testing::RecordingConnection;
using mail_testing::ScriptedSmtpPeer;

namespace {

constexpr char kLocalhost[] = "127.0.0.1";

std::string b64(const std::string& text) {
  return mail::base64Encode(text, mail::Base64Lines::kUnbroken);
}

bool contains(const std::vector<std::string>& list, const std::string& text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

// A peer that answers AUTH LOGIN with the usual prompts and accepts the login.
void scriptLogin(ScriptedSmtpPeer* peer) {
  peer->setAnswer("AUTH", {"334 " + b64("Username:") + "\r\n"});
  peer->setAnswers("LINE", {{"334 " + b64("Password:") + "\r\n"}, {"235 Welcome\r\n"}});
}

}  // namespace

TEST(SmtpConnection, EhloReplySpreadOverPacketsThenAuthLoginHidesThePassword) {
  ScriptedSmtpPeer peer;
  peer.setAnswer("EHLO", {"250-scripted greets you\r\n", "250-SIZE 1000\r\n250-8BITMIME\r\n",
                          "250 AUTH LOGIN\r\n"});
  scriptLogin(&peer);
  const int port = peer.start();
  platform::SleepingPump pump;
  RecordingConnection smtp(pump);
  smtp.SetHeloHostName("client.test");
  ASSERT_TRUE(smtp.Connect(loginTo(kLocalhost, port, mail::kAuthLogin, "signuser", "pa55word")))
      << (smtp.errors.empty() ? "" : smtp.errors.back());
  EXPECT_TRUE(smtp.Connected());
  EXPECT_TRUE(smtp.errors.empty());
  EXPECT_EQ(smtp.statusLines, (std::vector<std::string>{"EHLO client.test", "AUTH LOGIN",
                                                        "UserName:signuser", "Password:<...>"}));
  EXPECT_TRUE(smtp.Disconnect(true));
  const std::string sent = peer.received();
  EXPECT_EQ(sent, "EHLO client.test\r\nAUTH LOGIN\r\n" + b64("signuser") + "\r\n" +
                      b64("pa55word") + "\r\nQUIT\r\n");
  for (const std::string& line : smtp.statusLines)
    EXPECT_EQ(line.find("pa55word"), std::string::npos);
}

TEST(SmtpConnection, MultiLineReplyWhoseLaterLineCarriesTheCodeSucceeds) {
  ScriptedSmtpPeer peer;
  peer.setGreeting({"100-please wait\r\n220 ready now\r\n"});
  const int port = peer.start();
  platform::SleepingPump pump;
  RecordingConnection smtp(pump);
  ASSERT_TRUE(smtp.Connect(loginTo(kLocalhost, port)));
  EXPECT_EQ(smtp.LastResponseCode(), 250);
  // "auto" became the machine's host name.
  EXPECT_EQ(smtp.HeloHostName(), platform::localHostName());
  EXPECT_TRUE(smtp.Disconnect(true));
  // A second Disconnect has nothing to do.
  EXPECT_FALSE(smtp.Disconnect(true));
  EXPECT_EQ(smtp.errors.back(),
            "CQVRSMTPConnection::Disconnect, Already disconnected from SMTP server, doing nothing");
}

// A reply ends at the line whose code is followed by a blank, however its lines are spread over
// packets; the HELO path must not take the first line of a greeting for all of it.
TEST(SmtpConnection, GreetingSplitAcrossSlowPacketsIsReadToItsLastLine) {
  ScriptedSmtpPeer peer;
  peer.setPacketGapMs(300);
  peer.setGreeting({"220-first\r\n", "220 second\r\n"});
  peer.setAnswer("EHLO", {"250-scripted\r\n", "250 HELP\r\n"});
  peer.setAnswer("HELO", {"250-scripted\r\n", "250 hello\r\n"});
  const int port = peer.start();
  platform::SleepingPump pump;
  RecordingConnection smtp(pump);
  smtp.SetHeloHostName("client.test");
  ASSERT_TRUE(smtp.Connect(loginTo(kLocalhost, port)))
      << (smtp.errors.empty() ? "" : smtp.errors.back());
  EXPECT_EQ(smtp.LastResponseCode(), 250);
  EXPECT_TRUE(smtp.Disconnect(true));
  EXPECT_TRUE(peer.waitUntilClosed(5000));
  EXPECT_EQ(peer.received(), "HELO client.test\r\nQUIT\r\n");
}

TEST(SmtpConnection, SilentServerTimesOutAfterThirtySecondsWith10060) {
  ScriptedSmtpPeer peer;
  peer.setAnswer("EHLO", {});
  const int port = peer.start();
  FastClockPump pump;
  RecordingConnection smtp(pump);
  const uint64_t before = pump.tickMs();
  EXPECT_FALSE(smtp.Connect(loginTo(kLocalhost, port, mail::kAuthLogin, "u", "p")));
  EXPECT_GE(pump.tickMs() - before, 30000u);
  EXPECT_LT(pump.tickMs() - before, 60000u);
  EXPECT_TRUE(contains(smtp.errors,
                       "CQVRSMTPConnection::ReadResponse, Timed Out waiting for "
                       "response from SMTP server"));
  EXPECT_TRUE(contains(smtp.errors,
                       "CQVRSMTPConnection::ConnectESMTP, An unexpected response was "
                       "received occurred while sending the EHLO command"));
  EXPECT_EQ(smtp.errors.back(), "Connect, An unexpected HELO/EHLO response was received");
  EXPECT_FALSE(smtp.Connected());
}

TEST(SmtpConnection, TimeOutSetsErrorValueAndKeepsThePartialReply) {
  ScriptedSmtpPeer peer;
  peer.setAnswer("HELO", {"250 incomplete line without end"});
  const int port = peer.start();
  FastClockPump pump;
  RecordingConnection smtp(pump);
  EXPECT_FALSE(smtp.Connect(loginTo(kLocalhost, port)));
  ASSERT_EQ(smtp.errors.front(),
            "CQVRSMTPConnection::ReadResponse, Timed Out waiting for response from SMTP server");
  EXPECT_EQ(smtp.responsesAtError.front(), "250 incomplete line without end");
  // The QUIT that followed was answered; success leaves the error value as it was.
  EXPECT_EQ(smtp.SocketError(), platform::wsa::kTimedOut);
  EXPECT_EQ(smtp.errors.back(), "Connect, An unexpected HELO/EHLO response was received");
}

TEST(SmtpConnection, UnresolvableHostFailsWith10022AndTheConnectText) {
  platform::SleepingPump pump;
  RecordingConnection smtp(pump);
  EXPECT_FALSE(smtp.Connect(loginTo("no-such-host.invalid", 25)));
  EXPECT_EQ(smtp.SocketError(), platform::wsa::kInvalidArgument);
  ASSERT_EQ(smtp.errors.size(), 1u);
  EXPECT_EQ(smtp.errors[0],
            "Connect, Could not connect to the MAIL server no-such-host.invalid "
            "on port 25 , GetLastError returns: 10022");
  EXPECT_FALSE(smtp.Connected());
}

TEST(SmtpConnection, RefusedConnectionReportsTheSystemError) {
  platform::SleepingPump pump;
  RecordingConnection smtp(pump);
  // Port 1 on loopback is closed on any test machine.
  EXPECT_FALSE(smtp.Connect(loginTo(kLocalhost, 1)));
  EXPECT_EQ(smtp.SocketError(), platform::wsa::kConnectionRefused);
  EXPECT_EQ(smtp.errors.back(),
            "Connect, Could not connect to the MAIL server 127.0.0.1 on port "
            "1 , GetLastError returns: 10061");
}

TEST(SmtpConnection, WrongGreetingEndsWithQuit) {
  ScriptedSmtpPeer peer;
  peer.setGreeting({"554 go away\r\n"});
  const int port = peer.start();
  platform::SleepingPump pump;
  RecordingConnection smtp(pump);
  EXPECT_FALSE(smtp.Connect(loginTo(kLocalhost, port)));
  EXPECT_EQ(smtp.errors.front(), "Connect, An unexpected SMTP login response was received");
  EXPECT_EQ(smtp.SocketError(), platform::wsa::kProtocolNotSupported);
  EXPECT_EQ(peer.received(), "QUIT\r\n");
}

TEST(SmtpConnection, LoginPromptsAreCheckedAndUnknownMethodsFail) {
  {
    ScriptedSmtpPeer peer;
    peer.setAnswer("AUTH", {"334 " + b64("Password:") + "\r\n"});
    const int port = peer.start();
    platform::SleepingPump pump;
    RecordingConnection smtp(pump);
    EXPECT_FALSE(smtp.Connect(loginTo(kLocalhost, port, mail::kAuthLogin, "u", "p")));
    EXPECT_TRUE(contains(smtp.errors,
                         "CQVRSMTPConnection::AuthLogin, An unexpected request "
                         "received when expecting username request"));
    EXPECT_EQ(peer.received().find(b64("p")), std::string::npos);
  }
  {
    ScriptedSmtpPeer peer;
    peer.setAnswer("AUTH", {"504 Unrecognized authentication type\r\n"});
    const int port = peer.start();
    platform::SleepingPump pump;
    RecordingConnection smtp(pump);
    EXPECT_FALSE(smtp.Connect(loginTo(kLocalhost, port, mail::kAuthCramMd5, "u", "p")));
    EXPECT_TRUE(contains(smtp.errors,
                         "CQVRSMTPConnection::CramLogin, Server does not support AUTH CRAM-MD5"));
  }
  {
    ScriptedSmtpPeer peer;
    const int port = peer.start();
    platform::SleepingPump pump;
    RecordingConnection smtp(pump);
    EXPECT_FALSE(
        smtp.Connect(loginTo(kLocalhost, port, static_cast<mail::AuthMethod>(7), "u", "p")));
    EXPECT_EQ(smtp.errors.back(), "Connect, An unexpected HELO/EHLO response was received");
    EXPECT_EQ(peer.received().find("AUTH"), std::string::npos);
  }
}

TEST(SmtpConnection, RefusalsAtEachStepOfTheEnvelopeGiveTheirTexts) {
  const std::vector<MailAddress> two = {MailAddress("", "a@x"), MailAddress("", "b@x")};
  const MailAddress sender("Me", "me@x");
  platform::SleepingPump pump;
  {
    ScriptedSmtpPeer peer;
    peer.setAnswer("MAIL", {"451 later\r\n"});
    const int port = peer.start();
    RecordingConnection smtp(pump);
    ASSERT_TRUE(smtp.Connect(loginTo(kLocalhost, port)));
    smtp.statusLines.clear();
    EXPECT_FALSE(smtp.SendMessage("body", two, sender, 4096));
    EXPECT_EQ(smtp.SocketError(), platform::wsa::kBadCommand);
    EXPECT_EQ(
        smtp.statusLines,
        (std::vector<std::string>{"MAIL FROM:<me@x>", "An unexpected MAIL response was received"}));
    EXPECT_EQ(smtp.boxes, std::vector<std::string>{"An unexpected MAIL response was received"});
    EXPECT_EQ(smtp.errors.back(), "An unexpected MAIL response was received");
  }
  {
    ScriptedSmtpPeer peer;
    peer.setAnswers("RCPT", {{"250 OK\r\n"}, {"550 no such user\r\n"}});
    const int port = peer.start();
    RecordingConnection smtp(pump);
    ASSERT_TRUE(smtp.Connect(loginTo(kLocalhost, port)));
    const std::vector<MailAddress> three = {two[0], two[1], MailAddress("", "c@x")};
    EXPECT_FALSE(smtp.SendMessage("body", three, sender, 4096));
    EXPECT_EQ(smtp.SocketError(), platform::wsa::kBadCommand);
    EXPECT_EQ(smtp.LastResponseText(), "550 no such user\r\n");
    EXPECT_EQ(smtp.errors.back(),
              "CQVRSMTPConnection::SendRCPTForRecipient, An unexpected RCPT response was received");
    smtp.Disconnect(true);
    const std::string sent = peer.received();
    EXPECT_NE(sent.find("RCPT TO:<b@x>\r\n"), std::string::npos);
    EXPECT_EQ(sent.find("RCPT TO:<c@x>"), std::string::npos);
    EXPECT_EQ(sent.find("DATA"), std::string::npos);
  }
  {
    ScriptedSmtpPeer peer;
    peer.setAnswer("DATA", {"554 no data today\r\n"});
    const int port = peer.start();
    RecordingConnection smtp(pump);
    ASSERT_TRUE(smtp.Connect(loginTo(kLocalhost, port)));
    smtp.statusLines.clear();
    EXPECT_FALSE(smtp.SendMessage("body", two, sender, 4096));
    EXPECT_EQ(smtp.statusLines.back(), "SendMessage, An unexpected DATA response was received");
    EXPECT_TRUE(smtp.boxes.empty());
  }
}

TEST(SmtpConnection, DataGoesOutInChunksWithProgressAndOneEndMark) {
  ScriptedSmtpPeer peer;
  const int port = peer.start();
  platform::SleepingPump pump;
  RecordingConnection smtp(pump);
  ASSERT_TRUE(smtp.Connect(loginTo(kLocalhost, port)));
  const std::string data(10000, 'd');
  ASSERT_TRUE(smtp.SendMessage(data, {MailAddress("", "a@x")}, MailAddress("", "me@x"), 4096));
  EXPECT_EQ(smtp.range, 10000u);
  EXPECT_EQ(smtp.positions, (std::vector<size_t>{4096, 8192, 10000}));
  EXPECT_EQ(smtp.progress,
            (std::vector<std::pair<size_t, size_t>>{{4096, 10000}, {8192, 10000}, {10000, 10000}}));
  EXPECT_TRUE(smtp.Disconnect(true));
  const std::string sent = peer.received();
  EXPECT_NE(sent.find("DATA\r\n" + data + "\r\n.\r\nQUIT\r\n"), std::string::npos);
}

TEST(SmtpConnection, StoppedTransferSendsNoEndMarkAndNoQuit) {
  ScriptedSmtpPeer peer;
  const int port = peer.start();
  platform::SleepingPump pump;
  RecordingConnection smtp(pump);
  smtp.stopAtProgressCall = 2;
  ASSERT_TRUE(smtp.Connect(loginTo(kLocalhost, port)));
  EXPECT_FALSE(smtp.SendMessage(std::string(10000, 'd'), {MailAddress("", "a@x")},
                                MailAddress("", "me@x"), 4096));
  EXPECT_TRUE(smtp.errors.empty());
  EXPECT_FALSE(smtp.Disconnect(true));
  ASSERT_TRUE(peer.waitUntilClosed(5000));
  const std::string sent = peer.received();
  EXPECT_EQ(sent.find("\r\n.\r\n"), std::string::npos);
  EXPECT_EQ(sent.find("QUIT"), std::string::npos);
  EXPECT_EQ(sent.size() - sent.find("DATA\r\n") - 6, 4096u);
}

TEST(SmtpConnection, AddressesWithLineBreaksAreNeverSent) {
  ScriptedSmtpPeer peer;
  const int port = peer.start();
  platform::SleepingPump pump;
  RecordingConnection smtp(pump);
  ASSERT_TRUE(smtp.Connect(loginTo(kLocalhost, port)));
  EXPECT_FALSE(smtp.SendMessage("x", {MailAddress("", "a@x>\r\nRCPT TO:<evil@y")},
                                MailAddress("", "me@x"), 4096));
  smtp.Disconnect(true);
  EXPECT_EQ(peer.received().find("evil"), std::string::npos);
}

TEST(SmtpConnection, EndlessReplyIsRefusedAtTheCeiling) {
  ScriptedSmtpPeer peer;
  peer.setGreeting({std::string(mail::CQVRSMTPConnection::kMaxReplyBytes + 10, '2')});
  const int port = peer.start();
  platform::SleepingPump pump;
  RecordingConnection smtp(pump);
  smtp.SetReplyTimeoutMs(2000);
  EXPECT_FALSE(smtp.Connect(loginTo(kLocalhost, port)));
  EXPECT_TRUE(contains(smtp.errors,
                       "CQVRSMTPConnection::ReadResponse, The response from the SMTP "
                       "server is too long"));
}

TEST(SmtpConnection, WorksWithoutAnObserverAndAfterOneIsTakenAway) {
  ScriptedSmtpPeer peer;
  peer.setAnswer("MAIL", {"451 later\r\n"});
  const int port = peer.start();
  platform::SleepingPump pump;
  mail::CQVRSMTPConnection smtp(pump);
  RecordingConnection unused(pump);
  smtp.SetObserver(&unused);
  smtp.SetObserver(nullptr);
  ASSERT_TRUE(smtp.Connect(loginTo(kLocalhost, port)));
  EXPECT_FALSE(smtp.SendMessage("body", {MailAddress("", "a@x")}, MailAddress("", "me@x"), 4096));
  // The failure is still recorded, and nothing reached the observer that was taken away.
  EXPECT_EQ(smtp.LastErrorText(), "An unexpected MAIL response was received");
  EXPECT_TRUE(unused.statusLines.empty());
  EXPECT_TRUE(unused.boxes.empty());
  EXPECT_TRUE(smtp.Disconnect(true));
}
