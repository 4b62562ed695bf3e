// SMTP replies: the reply readers on their own, then the SMTP client through a whole delivery
// against a loopback server whose replies are the input's records (separated by 0x1E), one record
// each time the client waits for a reply. The first byte chooses the log-in.

#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/support/fuzz_support.h"
#include "mail/smtp_connection.h"
#include "mail/smtp_reply.h"

namespace {

void readReplyPieces(std::string_view text) {
  int code = 0;
  mail::smtpReplyComplete(text, "\r\n", false);
  mail::smtpReplyComplete(text, "\r\n", true);
  mail::smtpReplyLineCode(text);
  mail::smtpReplyHasCode(text, "\r\n", 250, &code);
  mail::smtpReplyHasCode(text, "\n", 334, &code);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const auto method = static_cast<mail::AuthMethod>(data[0] % 3);
  std::vector<std::string> replies;
  for (std::string_view record : fuzzing::splitRecords(fuzzing::inputView(data + 1, size - 1))) {
    readReplyPieces(record);
    replies.emplace_back(record);
  }

  static fuzzing::LoopbackPeer peer;
  peer.reset(std::move(replies));
  fuzzing::PeerPump pump(peer);
  mail::CQVRSMTPConnection smtp(pump);
  smtp.SetHeloHostName("fuzz.example");
  smtp.SetReplyTimeoutMs(2000);
  mail::SmtpServerLogin login;
  login.host = "127.0.0.1";
  login.port = peer.port();
  login.authMethod = method;
  login.userName = "user";
  login.password = "secret";
  if (smtp.Connect(login)) {
    const std::vector<mail::MailAddress> to = {{"Sign", "sign@example.com"},
                                               {"", "other@example.com"}};
    smtp.SendMessage("Subject: x\r\n\r\nbody\r\n", to, {"Me", "me@example.com"}, 7);
    smtp.Disconnect(true);
  }
  if (smtp.LastErrorText().find("secret") != std::string::npos) std::abort();
  return 0;
}
