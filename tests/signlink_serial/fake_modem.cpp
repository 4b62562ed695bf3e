#include "tests/signlink_serial/fake_modem.h"

#include <cctype>

#include <poll.h>

namespace serial_testing {

// The code's pauses are single long dispatches right after a command went out, so during those
// the modem waits (in real time) for the command to come through; the short dispatches of a wait
// loop only look.
constexpr int kPauseDispatchMs = 100;
constexpr int kCommandWaitMs = 200;
constexpr int kQuietMs = 2;
const char kOk[] = "\r\nOK\r\n";

std::string FakeModem::received() const {
  std::string all;
  for (const Arrival& a : arrivals_)
    all += a.bytes;
  return all;
}

void FakeModem::service(int maxWaitMs) {
  std::string bytes;
  if (maxWaitMs >= kPauseDispatchMs) {
    pollfd p{pty_.masterFd(), POLLIN, 0};
    poll(&p, 1, kCommandWaitMs);
  }
  bytes = pty_.drainMaster(kQuietMs);
  if (!bytes.empty()) {
    arrivals_.push_back({pump_.tickMs(), bytes});
    for (char c : bytes) {
      if (c != '\r') {
        line_.push_back(c);
        continue;
      }
      answer(line_);
      line_.clear();
    }
  }
  if (dialReplyAt_ != 0 && pump_.tickMs() >= dialReplyAt_) {
    dialReplyAt_ = 0;
    pty_.sendToPort(dialReply);
  }
}

void FakeModem::answer(const std::string& command) {
  std::string upper;
  for (char c : command)
    upper.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  if (upper.rfind("+++", 0) == 0) upper.erase(0, 3);  // The escape has no line end of its own.
  if (upper.rfind("ATDT", 0) == 0) {
    if (!dialReply.empty()) dialReplyAt_ = pump_.tickMs() + dialReplyDelayMs;
    return;
  }
  if (upper.rfind("AT", 0) == 0) pty_.sendToPort(kOk);
}

}  // namespace serial_testing
