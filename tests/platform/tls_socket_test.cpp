// TLS over TcpSocket against an in-process OpenSSL server with certificates made for the test.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>

#include "platform/tcp_socket.h"
#include "tests/support/fake_clock_pump.h"
#include "tests/support/loopback_listener.h"
#include "tests/support/test_certificates.h"
#include "tests/support/tls_test_server.h"

namespace {

using platform::SocketStatus;
using platform::TcpSocket;
using platform::TlsFailure;
using platform::TlsPolicy;
using platform::TlsSettings;
using testing_support::TestCertificates;
using testing_support::TlsTestServer;
using Server = TestCertificates::Server;

constexpr int kGuardMs = 10000;

const TestCertificates& certificates() {
  return testing_support::sharedTestCertificates();
}

TlsTestServer::Options implicitServer(Server which) {
  TlsTestServer::Options options;
  options.certFile = certificates().certFile(which);
  options.keyFile = certificates().keyFile(which);
  options.tlsGreeting = "+OK secure\r\n";
  return options;
}

TlsSettings trustingTestCa() {
  return {TlsPolicy::kRequired, certificates().caFile()};
}

// Receives until `text` holds `wanted` bytes or the socket fails.
SocketStatus receiveBytes(TcpSocket& socket, std::string* text, size_t wanted) {
  while (text->size() < wanted) {
    const SocketStatus status = socket.receiveAppend(text, 65536, kGuardMs);
    if (status != SocketStatus::kOk) return status;
  }
  return SocketStatus::kOk;
}

TEST(TlsSocket, TalksOverAVerifiedConnectionByNameAndByAddress) {
  for (const char* host : {"127.0.0.1", "localhost"}) {
    SCOPED_TRACE(host);
    TlsTestServer server(implicitServer(Server::kGood));
    const int port = server.start();
    platform::SleepingPump pump;
    TcpSocket socket(pump);
    ASSERT_EQ(socket.connect("127.0.0.1", static_cast<uint16_t>(port), kGuardMs),
              SocketStatus::kOk);
    ASSERT_EQ(socket.startTls(host, trustingTestCa(), kGuardMs), SocketStatus::kOk)
        << socket.lastError().text;
    EXPECT_TRUE(socket.isSecure());
    std::string text;
    ASSERT_EQ(receiveBytes(socket, &text, 12), SocketStatus::kOk);
    EXPECT_EQ(text, "+OK secure\r\n");
    ASSERT_EQ(socket.sendAll("NOOP\r\n", kGuardMs), SocketStatus::kOk);
    text.clear();
    ASSERT_EQ(receiveBytes(socket, &text, 11), SocketStatus::kOk);
    EXPECT_EQ(text, "echo NOOP\r\n");
    ASSERT_EQ(socket.sendAll("QUIT\r\n", kGuardMs), SocketStatus::kOk);
    text.clear();
    EXPECT_EQ(receiveBytes(socket, &text, 100), SocketStatus::kClosed);
    EXPECT_EQ(text, "bye\r\n");
    socket.close();
    ASSERT_TRUE(server.waitUntilDone(kGuardMs));
    EXPECT_EQ(server.tlsReceived(), "NOOP\r\nQUIT\r\n");
  }
}

// Records that arrive together are decrypted into the session at once: a wait must not sleep on
// the socket while the data is already inside, and discarding must empty the session too.
TEST(TlsSocket, DataBufferedInsideTheSessionIsSeenByWaitsAndDiscards) {
  TlsTestServer::Options options = implicitServer(Server::kGood);
  options.bulkBytes = 200000;
  TlsTestServer server(options);
  const int port = server.start();
  platform::SleepingPump pump;
  TcpSocket socket(pump);
  ASSERT_EQ(socket.connect("127.0.0.1", static_cast<uint16_t>(port), kGuardMs), SocketStatus::kOk);
  ASSERT_EQ(socket.startTls("localhost", trustingTestCa(), kGuardMs), SocketStatus::kOk);
  char small[5];
  size_t got = 0;
  ASSERT_EQ(socket.receive(small, sizeof small, kGuardMs, &got), SocketStatus::kOk);
  EXPECT_EQ(std::string(small, got), "+OK s");
  // The rest of that record is inside the session now, not on the socket.
  EXPECT_EQ(socket.waitReadable(0), SocketStatus::kOk);
  std::string text(small, got);
  ASSERT_EQ(receiveBytes(socket, &text, 12 + options.bulkBytes / 2), SocketStatus::kOk);
  // Let the rest arrive, then throw it all away without waiting.
  usleep(200000);
  size_t discarded = 0;
  ASSERT_EQ(socket.discardPending(&discarded), SocketStatus::kOk);
  EXPECT_EQ(text.size() + discarded, 12 + options.bulkBytes);
  EXPECT_EQ(socket.waitReadable(0), SocketStatus::kTimedOut);
}

// Writing to a peer that has gone reports the close; it must not raise SIGPIPE, which would end
// the program.
TEST(TlsSocket, SendingToAPeerThatLeftReportsTheClose) {
  TlsTestServer server(implicitServer(Server::kGood));
  const int port = server.start();
  platform::SleepingPump pump;
  TcpSocket socket(pump);
  ASSERT_EQ(socket.connect("127.0.0.1", static_cast<uint16_t>(port), kGuardMs), SocketStatus::kOk);
  ASSERT_EQ(socket.startTls("localhost", trustingTestCa(), kGuardMs), SocketStatus::kOk);
  ASSERT_EQ(socket.sendAll("QUIT\r\n", kGuardMs), SocketStatus::kOk);
  ASSERT_TRUE(server.waitUntilDone(kGuardMs));
  const std::string block(65536, 'x');
  SocketStatus status = SocketStatus::kOk;
  for (int i = 0; i < 100 && status == SocketStatus::kOk; ++i) {
    status = socket.sendAll(block, kGuardMs);
  }
  EXPECT_EQ(status, SocketStatus::kClosed);
  socket.close();
}

struct Refusal {
  Server certificate;
  bool useTestCa;
  TlsFailure expected;
};

class TlsRefusal : public ::testing::TestWithParam<Refusal> {};

// A certificate that does not verify ends the connection in the handshake: the socket is closed
// and nothing of the client's reaches the server.
TEST_P(TlsRefusal, CertificateThatDoesNotVerifyClosesTheSocket) {
  const Refusal& refusal = GetParam();
  TlsTestServer server(implicitServer(refusal.certificate));
  const int port = server.start();
  platform::SleepingPump pump;
  TcpSocket socket(pump);
  ASSERT_EQ(socket.connect("127.0.0.1", static_cast<uint16_t>(port), kGuardMs), SocketStatus::kOk);
  const TlsSettings settings =
      refusal.useTestCa ? trustingTestCa() : TlsSettings{TlsPolicy::kRequired, ""};
  EXPECT_EQ(socket.startTls("localhost", settings, kGuardMs), SocketStatus::kError);
  EXPECT_EQ(socket.lastError().tls, refusal.expected) << socket.lastError().text;
  EXPECT_EQ(socket.lastError().code, platform::wsa::kConnectionAborted);
  EXPECT_FALSE(socket.lastError().text.empty());
  EXPECT_FALSE(socket.isOpen());
  EXPECT_EQ(socket.sendAll("PASS secret\r\n", kGuardMs), SocketStatus::kError);
  ASSERT_TRUE(server.waitUntilDone(kGuardMs));
  EXPECT_FALSE(server.handshakeDone());
  EXPECT_EQ(server.tlsReceived(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, TlsRefusal,
    ::testing::Values(Refusal{Server::kOtherHost, true, TlsFailure::kWrongHost},
                      Refusal{Server::kExpired, true, TlsFailure::kExpired},
                      Refusal{Server::kUnknownIssuer, true, TlsFailure::kUnknownIssuer},
                      // A private CA is unknown to the system's store.
                      Refusal{Server::kGood, false, TlsFailure::kUnknownIssuer}));

TEST(TlsSocket, UnreadableCaFileFailsBeforeTheHandshake) {
  TlsTestServer server(implicitServer(Server::kGood));
  const int port = server.start();
  platform::SleepingPump pump;
  TcpSocket socket(pump);
  for (const std::string& caFile :
       {certificates().garbageCaFile(), certificates().caFile() + ".missing"}) {
    ASSERT_EQ(socket.connect("127.0.0.1", static_cast<uint16_t>(port), kGuardMs),
              SocketStatus::kOk);
    EXPECT_EQ(socket.startTls("localhost", {TlsPolicy::kRequired, caFile}, kGuardMs),
              SocketStatus::kError);
    EXPECT_EQ(socket.lastError().tls, TlsFailure::kCaFile);
    EXPECT_FALSE(socket.isOpen());
  }
}

TEST(TlsSocket, GarbageInsteadOfAHandshakeFailsIt) {
  TlsTestServer::Options options;
  options.greeting = "+OK ready\r\n";
  options.answers = {{"STLS", "+OK begin TLS\r\n"}};
  options.upgradeCommand = "STLS";
  options.garbage = "-ERR this is not TLS at all\r\n";
  TlsTestServer server(options);
  const int port = server.start();
  platform::SleepingPump pump;
  TcpSocket socket(pump);
  ASSERT_EQ(socket.connect("127.0.0.1", static_cast<uint16_t>(port), kGuardMs), SocketStatus::kOk);
  std::string text;
  ASSERT_EQ(socket.sendAll("STLS\r\n", kGuardMs), SocketStatus::kOk);
  ASSERT_EQ(receiveBytes(socket, &text, 26), SocketStatus::kOk);
  EXPECT_EQ(socket.startTls("localhost", trustingTestCa(), kGuardMs), SocketStatus::kError);
  EXPECT_EQ(socket.lastError().tls, TlsFailure::kHandshake);
  EXPECT_FALSE(socket.isOpen());
}

// A server that accepts the connection and never answers the handshake times out by the pump's
// clock, like every other wait.
TEST(TlsSocket, SilentServerTimesTheHandshakeOut) {
  uint16_t port = 0;
  const int listener = testing_support::listenOnLoopback(&port, 1);
  ASSERT_GE(listener, 0);
  testing_support::FakeClockPump pump;
  TcpSocket socket(pump);
  ASSERT_EQ(socket.connect("127.0.0.1", port, 1000), SocketStatus::kOk);
  const uint64_t before = pump.tickMs();
  EXPECT_EQ(socket.startTls("localhost", trustingTestCa(), 5000), SocketStatus::kTimedOut);
  EXPECT_GE(pump.tickMs() - before, 5000u);
  EXPECT_LT(pump.tickMs() - before, 5100u);
  EXPECT_FALSE(socket.isOpen());
  ::close(listener);
}

}  // namespace
