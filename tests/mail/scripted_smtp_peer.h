#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace mail_testing {

// A tiny SMTP server on a loopback port that answers from a script, for the replies a real
// server will not produce on demand: replies split over packets, odd multi-line replies, and
// silence. It serves one connection and records every byte the client sent.
class ScriptedSmtpPeer {
 public:
  // Packets of one answer; each is sent by itself, with a short pause between them. An empty
  // list is silence.
  using Answer = std::vector<std::string>;

  ScriptedSmtpPeer();
  ~ScriptedSmtpPeer();
  ScriptedSmtpPeer(const ScriptedSmtpPeer&) = delete;
  ScriptedSmtpPeer& operator=(const ScriptedSmtpPeer&) = delete;

  // Sets what is sent on connecting, and the answer to each command, keyed by its first word
  // in capitals ("EHLO", "AUTH", "MAIL", ...); "LINE" answers a line that is not a command (a
  // base64 login line), "DOT" answers the end of the mail data. Several answers for one verb
  // are used in turn, the last one for every further use. Call before start().
  void setGreeting(Answer a) { greeting_ = std::move(a); }
  void setAnswer(const std::string& verb, Answer a) { answers_[verb] = {std::move(a)}; }
  void setAnswers(const std::string& verb, std::vector<Answer> a) { answers_[verb] = std::move(a); }

  // The pause between the packets of one answer (30 ms unless set). Call before start().
  void setPacketGapMs(int ms) { packetGapMs_ = ms; }

  // Starts serving; returns the port.
  int start();

  // Everything received so far.
  std::string received() const;

  // Waits (real time, at most `ms`) until the client has closed the connection and everything
  // it sent has been read. False on time-out.
  bool waitUntilClosed(int ms) const;

 private:
  void serve();
  void sendAnswer(int fd, const Answer& answer);
  // The next answer for `verb` (falling back to "LINE"); false when there is none.
  bool nextAnswer(const std::string& verb, Answer* answer);

  int listenFd_ = -1;
  int port_ = 0;
  int packetGapMs_ = 30;
  Answer greeting_ = {"220 scripted ESMTP\r\n"};
  std::map<std::string, std::vector<Answer>> answers_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> closed_{false};  // The client's connection has ended.
  mutable std::mutex mutex_;
  std::string received_;  // Guarded by mutex_.
  std::thread thread_;
};

}  // namespace mail_testing
