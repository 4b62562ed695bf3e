#pragma once

#include <sys/types.h>
#include <string>
#include <vector>

namespace testing_support {

// A real SMTP server (Debian's aiosmtpd, see smtp_server.py) on a free loopback port, started by
// a test and stopped when the object dies. Mails it accepts land in a Maildir.
class SmtpTestServer {
 public:
  struct Options {
    std::string maildir;       // Where accepted mails go (created when missing).
    std::string user;          // The one account AUTH LOGIN and CRAM-MD5 accept ...
    std::string password;      // ... with this password.
    std::string refuse;        // Recipients containing this text get 550 (empty: none).
    bool requireAuth = false;  // MAIL needs a login first.
    // With a certificate and key (PEM files): STARTTLS, and no AUTH or MAIL before it; with
    // implicitTls, TLS from the first byte instead.
    std::string tlsCertFile;
    std::string tlsKeyFile;
    bool implicitTls = false;
  };

  explicit SmtpTestServer(Options options);
  ~SmtpTestServer();  // Stops the server.
  SmtpTestServer(const SmtpTestServer&) = delete;
  SmtpTestServer& operator=(const SmtpTestServer&) = delete;

  // Starts the server and waits (up to 20 s) for it to listen. False with *error otherwise.
  bool start(std::string* error);

  int port() const { return port_; }
  const std::string& maildir() const { return options_.maildir; }

  // The raw bytes of every mail delivered so far (Maildir "new" folder), in delivery order.
  std::vector<std::string> deliveredMails() const;

 private:
  void stop();

  Options options_;
  pid_t pid_ = -1;  // The server process, or -1.
  int port_ = 0;    // Its port once started.
};

}  // namespace testing_support
