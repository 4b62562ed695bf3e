#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/local_clock.h"
#include "platform/message_pump.h"
#include "platform/tcp_socket.h"
#include "platform/tls_policy.h"
#include "pop3/mail_item.h"

namespace pop3 {

// Shows a one-line text: each command when it is sent (never the password) and failure texts.
using StatusSink = std::function<void(const std::string& text)>;
// Sets the position of a progress bar: bytes of the mail received so far.
using ProgressSink = std::function<void(size_t bytes)>;

// Where the texts of a failed socket creation or connection come from.
enum class ConnectTexts {
  kFixedEnglish,   // The receiver's fixed texts: "Unable to create the socket.", "Unable to
                   // connect to server".
  kLanguageTable,  // Varnel's language-table texts 33172 and 33092 (the latter with the
                   // socket error number).
};

struct Pop3Options {
  // The guard on every send and receive: a server that does not answer within this time fails
  // the command with "Socket Error". Connecting is bounded by the same time.
  int guardMs = 30000;
  // The largest mail Retrieve() accepts, counted as it comes over the wire. A larger mail is read
  // to its end and thrown away, Retrieve() fails with a text saying so, and the mail stays on
  // the server (nothing here deletes it).
  size_t maxMailBytes = size_t{64} << 20;
  ConnectTexts connectTexts = ConnectTexts::kFixedEnglish;
  // The clock that stamps MailItem::receiveTime; the system clock when null. Not owned.
  const platform::LocalClock* clock = nullptr;
  // How the session uses TLS (implicit on 995, STLS after CAPA, or plain).
  platform::TlsSettings tls{platform::TlsPolicy::kPlain, {}};
  // Under TlsPolicy::kRequired, connections to this port start in TLS as well as those to the
  // POP3S port (platform::startsInTls). The programs leave it; a test server listens elsewhere.
  uint16_t implicitTlsPort = platform::kPop3sPort;
};

// The longest a mail of `announcedBytes` (as LIST gave it) may take to arrive as a whole, however
// it trickles in: kMailDeadlineBaseMs plus one second for every kMailDeadlineBytesPerSecond bytes
// announced. A 3 KB mail gets 60 s, a 1 MB mail 124 s, a 64 MB mail about 68 minutes.
inline constexpr long long kMailDeadlineBaseMs = 60000;
inline constexpr long long kMailDeadlineBytesPerSecond = 16384;
long long mailDeadlineMs(long long announcedBytes);

// A minimal POP3 client (RFC 1939: USER, PASS, STAT, LIST, RETR, DELE, QUIT; no APOP), over TLS
// as Pop3Options::tls says: from the first byte (implicit TLS on the POP3S port), or after the
// greeting with STLS (RFC 2595) when CAPA lists it. Under TlsPolicy::kRequired a server that does
// not offer STLS gets no USER or PASS; once STLS was offered, a refused or failed upgrade ends the
// connection, never falling back to plain text.
// The receiver fetches and deletes mails with it; varnel only logs in and quits, which some mail
// servers require before they accept mail over SMTP.
//
// Every command's answer is examined from a single status line of at most kAnswerBytes bytes:
// an answer starting with "-ERR" fails the command with that command's error text, any other
// answer is success. Every operation reports failure by its return value and leaves the reason
// in ErrorText(), which is also shown in the status sink; nothing is retried. Message numbers
// are those of the current connection; deletions take effect at Quit(), and a connection that
// ends without QUIT deletes nothing.
//
// All waits go through the pump given at construction, which must outlive the connection.
class POP3Connection {
 public:
  // Bytes of a command's answer that are examined (longer answers are cut).
  static constexpr size_t kAnswerBytes = 1024;

  POP3Connection(platform::MessagePump& pump, std::string server, int port, std::string user,
                 std::string password, StatusSink status, ProgressSink progress,
                 Pop3Options options = {});
  // Quits (QUIT, so that deletions take effect) when still connected.
  ~POP3Connection();
  POP3Connection(const POP3Connection&) = delete;
  POP3Connection& operator=(const POP3Connection&) = delete;

  // Connects, reads the greeting and logs in with USER and PASS. True at once when already
  // connected. On failure the socket is closed: "Unable to create the socket.", "Unable to
  // connect to server" (or varnel's texts, see ConnectTexts), "Server didn't connect", "Bad user
  // name", "Invalid username/password combination" or "Socket Error"; or a TLS text naming why
  // the connection could not be secured (mail/tls_failure_text.h).
  bool Connect();

  // The number of messages in the mailbox, or -1 ("STATus couldn't be retrieved", "Socket
  // Error"). An answer without a count is a failure.
  int Stat();

  // The size in bytes of message n, or -1 ("Could not LIST message", "Socket Error").
  long long List(int n);

  // The sizes of messages 1..count from one LIST without an argument (see parseScanListing: -1
  // for a message the listing leaves out), so that a whole mailbox costs one round trip instead
  // of one per mail. Empty, with nothing sent, for a count outside 1..kMaxListedMessages; empty
  // when the server refuses ("Could not LIST message") or the connection fails ("Socket Error").
  // A listing longer than kMaxScanLineBytes per message, or slower than mailDeadlineMs() of that
  // length, ends the connection.
  std::vector<long long> ListAll(int count);
  static constexpr int kMaxListedMessages = 100000;

  // Fetches message n into *item (see parseRetrievedMail). False with "RETRieve failed" when the
  // server refuses, with the size text when the mail is larger than Pop3Options::maxMailBytes,
  // or when the connection fails while the mail comes in (the error text then stays as it was).
  // With `announcedBytes` (0 or more, LIST's size) the whole mail must arrive within
  // mailDeadlineMs(announcedBytes); a mail that takes longer fails with a text saying so. A mail
  // that did not arrive whole leaves the connection closed. The progress sink follows the bytes
  // received after the first answer.
  bool Retrieve(int n, MailItem* item, long long announcedBytes = -1);

  // Marks message n for deletion ("Could not DELEte message", "Socket Error").
  bool Delete(int n);

  // Sends QUIT, reads the answer and closes the connection; the result is whether the answer
  // was positive ("Error while QUITting"). True at once when not connected.
  bool Quit();

  // Bounds every later wait: none goes past pump tick `tickMs` (0 lifts the bound). A wait cut
  // short by it fails as a time-out would.
  void SetDeadline(uint64_t tickMs) { deadline_ = tickMs; }

  // False once logged out, and once the connection failed: after a socket error, a time-out or a
  // close by the server the connection is out of step and closed, and every later command fails
  // with "Socket Error" without reaching the server.
  bool Connected() const { return connected_; }
  // The reason of the last failure; "OK" before any.
  const std::string& ErrorText() const { return errorText_; }
  // The last answer read from the server (at most kAnswerBytes bytes for single-line answers).
  const std::string& LastResponse() const { return lastResponse_; }
  // The Windows Sockets number of the last socket failure (0 when none).
  int SocketError() const { return socket_.lastError().code; }

 private:
  // USER and PASS, after the greeting.
  bool LogIn();
  // Secures the connection (implicit TLS, or after STLS); on failure reports why and closes.
  bool StartTls();
  // After the greeting on a plain connection: CAPA, and STLS when offered, as the policy says.
  bool NegotiateStls();
  // Sends CAPA and reads its list; *stlsOffered tells whether it names STLS. A server without
  // CAPA ("-ERR") offers nothing. False on a socket failure (the connection is dropped).
  bool ReadCapabilities(bool* stlsOffered);
  // Reads one status line into LastResponse(); false (dropped, "Socket Error") when it fails.
  bool ReadStatusLine();
  // Sends one command line ("\r\n" appended); the status sink shows `shown`.
  bool SendCommand(const std::string& line, const std::string& shown);
  // Reads one answer; failure texts as described above. `failureText` is the command's text.
  bool ReadAnswer(const char* failureText);
  // Retrieve() within whatever deadline is set.
  bool ReceiveMail(int n, MailItem* item);
  // Sends a command and reads its answer.
  bool Command(const std::string& line, const std::string& shown, const char* failureText);
  void Fail(const std::string& text);
  void CloseSocket();
  // Closes a connection that can no longer be trusted to be in step with the server.
  void Drop();
  // The time the next wait may take: the guard, cut to what is left before the deadline.
  int WaitMs();

  const std::string server_;
  const int port_;
  const std::string user_;
  const std::string password_;  // Sent with PASS only; never shown.
  const StatusSink status_;
  const ProgressSink progress_;
  const Pop3Options options_;
  platform::MessagePump& pump_;
  platform::TcpSocket socket_;    // Waits through the pump given at construction.
  uint64_t deadline_ = 0;         // No wait goes past this tick (0: no bound).
  bool connected_ = false;        // Logged in and not yet quit.
  std::string errorText_ = "OK";  // Reason of the last failure.
  std::string lastResponse_;      // Text of the last answer.
};

}  // namespace pop3
