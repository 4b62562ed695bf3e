#pragma once

#include <sys/types.h>

#include <cstdint>
#include <map>
#include <string>

namespace testing_support {

// A real POP3 server for tests: Debian's Dovecot (/usr/sbin/dovecot) started in the foreground
// with its own configuration in a private temporary directory (never the system one): POP3 only,
// on a free loopback port, no TLS unless enableTls() is called, plaintext login allowed, a
// passwd-file user database and one Maildir per user. Login processes run as "dovenull" and mail
// processes as "dovecot" when the tests run as root (Dovecot refuses root for both); otherwise
// everything runs as the current user. The server is stopped and its directory removed when the
// object dies.
class Pop3Server {
 public:
  Pop3Server();
  ~Pop3Server();
  Pop3Server(const Pop3Server&) = delete;
  Pop3Server& operator=(const Pop3Server&) = delete;

  // True when Dovecot is installed here.
  static bool available();

  // Adds a user with a plaintext password and an empty Maildir. Dovecot folds the names that
  // clients log in with to lower case, so `user` should be lower case. Users added while the
  // server runs may stay unknown for up to a second (Dovecot looks at the user file at most once
  // a second), so add them before start() when a test logs in at once.
  void addUser(const std::string& user, const std::string& password);

  // Serves TLS with this certificate and key (PEM files) once started: STLS on port(), under
  // "ssl = required" (no log-in before the upgrade), and implicit TLS on tlsPort(). Call before
  // start().
  void enableTls(const std::string& certFile, const std::string& keyFile);

  // Writes the configuration, starts Dovecot and waits until it accepts connections. False with
  // a reason (including the end of Dovecot's log) when it does not come up.
  bool start(std::string* error);

  // Stops Dovecot (SIGTERM to the process it started, SIGKILL if it lingers). Harmless twice.
  void stop();

  uint16_t port() const { return port_; }
  // The implicit-TLS listener's port once started with TLS (0 without).
  uint16_t tlsPort() const { return tlsPort_; }
  const std::string& directory() const { return dir_; }

  // Drops a mail into the user's Maildir (new/), exactly the given bytes; Dovecot serves bare LF
  // line ends as CRLF. Returns the file's path.
  std::string deliver(const std::string& user, const std::string& message);

  // The user's Maildir, for a test SMTP server to deliver into. Dovecot's mail processes run as
  // mailUid() and must be able to read what others put there (mode 0644 is enough).
  std::string maildir(const std::string& user) const { return dir_ + "/mail/" + user; }
  uid_t mailUid() const { return mailUid_; }
  gid_t mailGid() const { return mailGid_; }

  // Mails in the user's Maildir (new/ and cur/).
  size_t mailCount(const std::string& user) const;

  // Dovecot's log so far.
  std::string log() const;

 private:
  void writeUserFile();
  void writeConfig() const;
  // The configuration's TLS lines.
  std::string tlsConfig() const;

  std::string dir_;       // Private directory holding configuration, state, logs and Maildirs.
  uint16_t port_ = 0;     // The POP3 listener's port once started.
  uint16_t tlsPort_ = 0;  // The POP3S listener's port, when TLS is on.
  std::string certFile_;  // TLS certificate and key; empty: no TLS.
  std::string keyFile_;
  pid_t pid_ = -1;     // The Dovecot master process, or -1.
  uid_t mailUid_ = 0;  // Owner of the Maildirs (what the mail processes run as).
  gid_t mailGid_ = 0;
  std::string loginUser_;     // Account of the login processes.
  std::string internalUser_;  // Account of Dovecot's unprivileged internal processes.
  std::map<std::string, std::string> users_;  // User name to password.
  int delivered_ = 0;                         // Counter for unique Maildir file names.
  time_t userFileStamp_ = 0;  // Modification time given to the user file when last written.
};

// For programs that need a server to run at all (the benchmarks): adds `user` and starts `server`,
// saying on stderr why not when Dovecot is missing or does not come up.
bool startWithUser(Pop3Server& server, const std::string& user, const std::string& password);

}  // namespace testing_support
