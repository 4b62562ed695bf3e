#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "mail/mail_address.h"
#include "mail/smtp_observer.h"
#include "platform/message_pump.h"
#include "platform/tcp_socket.h"
#include "platform/tls_policy.h"

namespace mail {

// How the client logs in after the greeting.
enum AuthMethod : int {
  kAuthNone = 0,     // Plain HELO, no login.
  kAuthCramMd5 = 1,  // EHLO, then AUTH CRAM-MD5.
  kAuthLogin = 2,    // EHLO, then AUTH LOGIN.
};

// Where Connect goes and how it logs in.
struct SmtpServerLogin {
  std::string host;  // A dotted address or a name.
  int port = 25;
  AuthMethod authMethod = kAuthNone;
  std::string userName;  // Not used by kAuthNone.
  std::string password;  // Not used by kAuthNone; never shown or reported.
  // The local address to bind to before connecting; empty for any.
  std::string bindAddress;
  // How the session uses TLS (implicit on 465, STARTTLS after EHLO, or plain).
  platform::TlsSettings tls{platform::TlsPolicy::kPlain, {}};
  // Under TlsPolicy::kRequired, connections to this port start in TLS as well as those to the
  // SMTPS port (platform::startsInTls). The programs leave it; a test server listens elsewhere.
  int implicitTlsPort = platform::kSmtpsPort;
};

// The SMTP client: delivers one already rendered mail to one server over TCP, secured by TLS as
// SmtpServerLogin::tls says: from the first byte (implicit TLS on the SMTPS port), or with
// STARTTLS (RFC 3207) after EHLO when the server offers it, then EHLO again. Under
// TlsPolicy::kRequired a server without STARTTLS gets no AUTH and no mail; once STARTTLS was
// offered, a refused or failed upgrade ends the session, never falling back to plain text. Every
// wait
// (connecting, each reply) is bounded by the reply time-out and goes through the message pump,
// so the window stays responsive. Typical use: Connect, SendMessage, Disconnect(true).
//
// Every failure returns false and leaves its reason in three places: SocketError() (the system's
// socket error, 10060 for a time-out, 10043 for an unexpected reply code, 22 "bad command" for a
// refused MAIL, RCPT or QUIT), LastResponseText() (the server's last reply, or what arrived of
// it), and LastErrorText() (also handed to the observer). The password never appears in any
// status, observer or reply text.
class CQVRSMTPConnection {
 public:
  static constexpr int kDefaultReplyTimeoutMs = 30000;
  static constexpr char kAutoHeloName[] = "auto";     // Stands for the local host name.
  static constexpr size_t kFirstReplyBuffer = 256;    // A reply buffer's first size ...
  static constexpr size_t kReplyBufferGrowth = 4096;  // ... and its growth step.
  static constexpr size_t kMaxReplyBytes = 65536;     // Longer replies are refused as garbage.
  static constexpr char kEndOfData[] = "\r\n.\r\n";

  // `pump` must outlive the connection.
  explicit CQVRSMTPConnection(platform::MessagePump& pump);
  // Disconnects with QUIT when still connected.
  ~CQVRSMTPConnection();
  CQVRSMTPConnection(const CQVRSMTPConnection&) = delete;
  CQVRSMTPConnection& operator=(const CQVRSMTPConnection&) = delete;

  // Where the connection reports its commands, progress and failures; null (the default)
  // reports to no one. The observer must outlive the connection or be replaced first.
  void SetObserver(SmtpObserver* observer) { observer_ = observer ? observer : &silent_; }

  // Reads one reply (terminator CR LF) and checks it carries `expectedCode`.
  bool ReadCommandResponse(int expectedCode, bool waitFor250Line);

  // Reads until the reply is complete (see smtpReplyComplete) into a buffer of `bufferSize`
  // bytes that grows by `growthStep` whenever a receive fills it, each wait bounded by the reply
  // time-out; then looks for a line carrying `expectedCode`. A time-out sets socket error 10060
  // and reports it as a failure; a closed connection or a socket error ends the read. Whatever
  // arrived is kept as the last response text in every case.
  bool ReadResponse(size_t bufferSize, std::string_view terminator, int expectedCode,
                    size_t growthStep, bool waitFor250Line);

  // Connects to login.host:login.port, binding first to login.bindAddress when it is not empty,
  // reads the greeting (220) and greets with HELO (method kAuthNone) or EHLO and the method's
  // login; with TLS as login.tls says (a plain connection that may upgrade always greets with
  // EHLO, to learn whether STARTTLS is offered). Every failure after the TCP connection stands
  // ends with Disconnect(true); a TLS failure leaves its reason (mail/tls_failure_text.h) as the
  // last error text.
  bool Connect(const SmtpServerLogin& login);

  // Sends the envelope (MAIL FROM with the sender's address, RCPT TO for each recipient in order,
  // the first refusal ending the send), then DATA and `data` in chunks of `chunkSize` bytes with
  // progress, then the end mark. `data` must already be dot-stuffed and must not end with the
  // end mark. MAIL, DATA and transfer failures go to the observer's status line; MAIL and
  // transfer failures also to its error box. The observer may stop the transfer between chunks.
  bool SendMessage(std::string_view data, const std::vector<MailAddress>& recipients,
                   const MailAddress& sender, size_t chunkSize);

  // Ends the session: with `sendQuit`, sends QUIT and waits for 221 (the result). The socket is
  // closed in every case. Not connected: reports so and returns false.
  bool Disconnect(bool sendQuit);

  void SetHeloHostName(std::string name) { heloHostName_ = std::move(name); }
  void SetReplyTimeoutMs(int ms) { replyTimeoutMs_ = ms; }

  bool Connected() const { return connected_; }
  const std::string& LastResponseText() const { return lastResponse_; }
  int LastResponseCode() const { return lastResponseCode_; }
  int SocketError() const { return socketError_; }
  // The last failure text reported to the observer.
  const std::string& LastErrorText() const { return lastErrorText_; }
  // Why the last Connect() could not secure the connection (the certificate, the handshake, a
  // refused or missing upgrade); empty when TLS did not fail. The text to show for such a failure:
  // the socket error number alone does not tell it.
  const std::string& TlsFailureText() const { return tlsFailureText_; }
  const std::string& HeloHostName() const { return heloHostName_; }

 private:
  bool ConnectSMTP();
  bool ConnectESMTP(const SmtpServerLogin& login);
  // EHLO and its 250 reply.
  bool SendEhlo();
  // The login of login.authMethod (none for kAuthNone).
  bool LogIn(const SmtpServerLogin& login);
  // EHLO, then STARTTLS when offered (or required), EHLO again and the login.
  bool ConnectWithStartTls(const SmtpServerLogin& login);
  // Secures the open connection; false with the reason kept for Connect().
  bool StartTls(const SmtpServerLogin& login);
  // Keeps `text` as the reason Connect() fails with; returns false.
  bool FailTls(const std::string& text);
  bool AuthLogin(const std::string& userName, const std::string& password);
  bool CramLogin(const std::string& userName, const std::string& password);
  bool SendRCPTForRecipient(const MailAddress& recipient);

  // Sends `bytes`; on failure records the socket's error and returns false.
  bool SendBytes(std::string_view bytes);
  // The prompt of a 334 reply: its text after the code and blank, base64-decoded.
  std::string ChallengeText() const;
  // Records a failure text and reports it to the observer.
  void Fail(const std::string& text);
  // One step of a dialogue: false, with `failure` recorded, when the bytes do not go out, the
  // reply does not carry `code`, or the 334 prompt is not `prompt`.
  bool SendOrFail(std::string_view bytes, const std::string& failure);
  bool ExpectOrFail(int code, const std::string& failure);
  bool ExpectPromptOrFail(std::string_view prompt, const std::string& failure);
  // SendMessage's failure report: status line, failure and (when `box`) an error box.
  void ReportSendFailure(const std::string& text, bool box);

  platform::TcpSocket socket_;  // Closed (invalid) when not connected.
  bool connected_ = false;      // Set once the TCP connection stands, cleared by Disconnect.
  bool dataOpen_ = false;       // DATA accepted and the end mark not yet sent.
  // A reply did not come (time-out) or the connection failed: a late reply could be taken for
  // QUIT's, so Disconnect closes without QUIT and the failure's reason stays.
  bool outOfStep_ = false;
  std::string lastResponse_;  // The last reply read, or what arrived of it.
  std::string heloHostName_ = kAutoHeloName;
  int replyTimeoutMs_ = kDefaultReplyTimeoutMs;
  int lastResponseCode_ = 0;           // Code of the reply line examined last.
  int socketError_ = 0;                // Windows Sockets number of the last failure.
  std::string lastErrorText_;          // The last failure text reported.
  std::string tlsFailureText_;         // Why securing the connection failed; empty when not.
  SmtpObserver silent_;                // Stands in when no observer is set.
  SmtpObserver* observer_ = &silent_;  // Not owned.
};

}  // namespace mail
