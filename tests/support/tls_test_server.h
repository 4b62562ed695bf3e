#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace testing_support {

// A one-connection loopback server for TLS tests, on its own thread. It may first speak a plain
// line protocol from a script (a greeting, then an answer per command's first word) until the
// upgrade command; then it either serves TLS with the given certificate or, to play a server that
// offers an upgrade it cannot make, sends garbage instead of a handshake. Over TLS it sends
// `tlsGreeting` and `bulkBytes` bytes of filler, then answers every line with "echo <line>\r\n",
// and "QUIT" with "bye\r\n" and a close. Everything the client sent is recorded, in the clear
// and inside TLS apart, so that a test can show what crossed the wire unencrypted.
class TlsTestServer {
 public:
  struct Options {
    std::string certFile;  // The server's certificate and key (PEM).
    std::string keyFile;
    std::string greeting;  // Plain text sent on connecting; empty for implicit TLS.
    std::map<std::string, std::string> answers;  // Plain answers by the command's first word.
    std::string upgradeCommand;                  // After its answer, TLS starts.
    std::string garbage;      // When set: sent instead of the handshake, then the close.
    std::string tlsGreeting;  // Sent first over TLS.
    size_t bulkBytes = 0;     // Filler bytes sent after the TLS greeting.
  };

  explicit TlsTestServer(Options options);
  ~TlsTestServer();
  TlsTestServer(const TlsTestServer&) = delete;
  TlsTestServer& operator=(const TlsTestServer&) = delete;

  // Starts listening on 127.0.0.1 and serving; returns the port.
  int start();

  // What the client sent in the clear, and inside TLS.
  std::string plainReceived() const;
  std::string tlsReceived() const;
  // True once a TLS handshake succeeded with the client.
  bool handshakeDone() const { return handshakeDone_; }
  // Waits (real time, at most `ms`) until the connection has ended. False on time-out.
  bool waitUntilDone(int ms) const;

 private:
  void serve();
  // The plain part up to and including the upgrade command's answer. False when the client left.
  bool servePlain(int fd);
  void serveTls(int fd);

  Options options_;
  int listenFd_ = -1;
  std::atomic<bool> stop_{false};
  std::atomic<bool> done_{false};
  std::atomic<bool> handshakeDone_{false};
  mutable std::mutex mutex_;
  std::string plain_;  // Guarded by mutex_.
  std::string tls_;    // Guarded by mutex_.
  std::thread thread_;
};

}  // namespace testing_support
