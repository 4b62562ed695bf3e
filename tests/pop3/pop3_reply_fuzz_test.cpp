// The POP3 client against servers whose answers are random or mutated: whatever arrives, every
// command ends with a result (no crash, no hang past the guard, bounded texts).

#include <gtest/gtest.h>

#include <random>

#include "pop3/pop3_connection.h"
#include "tests/support/fake_pop3_server.h"
#include "tests/support/scripted_pump.h"

namespace {

std::string mutate(std::string s, std::mt19937& rng) {
  auto pick = [&rng](size_t n) { return std::uniform_int_distribution<size_t>(0, n)(rng); };
  switch (pick(3)) {
    case 0:  // cut
      return s.substr(0, pick(s.size()));
    case 1:  // flip a byte
      if (!s.empty()) s[pick(s.size() - 1)] ^= static_cast<char>(1 + pick(254));
      return s;
    case 2: {  // random garbage line
      std::string g(pick(40), '\0');
      for (char& c : g)
        c = static_cast<char>(pick(255));
      return g + "\r\n";
    }
    default:
      return s;
  }
}

}  // namespace

TEST(Pop3ReplyFuzz, RandomAndMutatedAnswersAlwaysEndEveryCommand) {
  std::mt19937 rng(11);
  const std::string answers[] = {"+OK ready\r\n", "+OK 2 320\r\n", "+OK 1 120\r\n",
                                 "+OK 12 octets\r\nline\r\n..dot\r\n.\r\n", "-ERR no\r\n"};
  for (int round = 0; round < 150; ++round) {
    testing_support::ScriptedPump pump;
    pop3_test::FakePop3Server server;
    pump.onDispatch = [&server](int) { server.step(); };
    server.greeting = mutate(answers[0], rng);
    server.piece = 1 + std::uniform_int_distribution<size_t>(0, 20)(rng);
    server.reply = [&](const std::string& line) {
      const std::string& base = line.rfind("RETR", 0) == 0   ? answers[3]
                                : line.rfind("STAT", 0) == 0 ? answers[1]
                                : line.rfind("LIST", 0) == 0 ? answers[2]
                                                             : answers[0];
      std::string reply = mutate(base, rng);
      return reply.empty() ? std::string("-ERR\r\n") : reply;
    };
    pop3::Pop3Options options;
    options.guardMs = 2000;
    pop3::POP3Connection client(pump, "127.0.0.1", server.port(), "u", "p", {}, {}, options);
    if (client.Connect()) {
      client.Stat();
      client.List(1);
      pop3::MailItem item;
      if (client.Retrieve(1, &item)) {
        EXPECT_LE(item.body.size(), answers[3].size());
      }
      client.Delete(1);
      client.Quit();
    }
    EXPECT_LT(client.ErrorText().size(), 2000u);
  }
}
