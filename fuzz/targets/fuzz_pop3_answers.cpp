// POP3 answers: the POP3 client through a whole receive (log-in, STAT, LIST, RETR, DELE, QUIT)
// against a loopback server whose answers are the input's records (separated by 0x1E), one record
// each time the client waits for an answer.

#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/support/fuzz_support.h"
#include "pop3/pop3_connection.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> answers;
  for (std::string_view record : fuzzing::splitRecords(fuzzing::inputView(data, size)))
    answers.emplace_back(record);

  static fuzzing::LoopbackPeer peer;
  peer.reset(std::move(answers));
  fuzzing::PeerPump pump(peer);
  pop3::Pop3Options options;
  options.guardMs = 2000;
  options.maxMailBytes = 4096;
  pop3::POP3Connection client(pump, "127.0.0.1", peer.port(), "user", "secret", {}, {}, options);
  if (client.Connect()) {
    client.Stat();
    client.List(1);
    pop3::MailItem item;
    client.Retrieve(1, &item);
    client.Delete(1);
    client.Quit();
  }
  if (client.ErrorText().find("secret") != std::string::npos) std::abort();
  return 0;
}
