#pragma once

// Pieces the fuzz targets share: cutting one input into several records, a scratch directory for
// readers that take a path, and a loopback peer that answers a protocol client from the input.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/message_pump.h"

namespace fuzzing {

// The byte that separates the records of one input (ASCII record separator).
inline constexpr char kRecordSeparator = '\x1e';

// The input cut at every kRecordSeparator (an input without one is one record).
std::vector<std::string_view> splitRecords(std::string_view data);

// The bytes libFuzzer hands over, as a view.
inline std::string_view inputView(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A private directory made once per process under $TMPDIR (else /tmp) and removed at exit.
const std::string& scratchDir();

// Writes `bytes` to scratchDir()/name, replacing what was there, and returns the path. Aborts
// when the file cannot be written: a target that cannot set up its input must not pass.
std::string writeScratchFile(const std::string& name, std::string_view bytes);

// Removes every file directly inside scratchDir()/sub (the folder itself stays).
void clearScratchFolder(const std::string& sub);

// A server on a loopback port that plays one connection at a time from a list of answers. It is
// driven by PeerPump from the client's own waits, so one thread plays both ends and the run is
// the same every time: whenever the client waits to read, the peer sends its next answer; once the
// answers are used up it ends its side of the connection. What the client sends is read and
// dropped.
class LoopbackPeer {
 public:
  LoopbackPeer();
  ~LoopbackPeer();
  LoopbackPeer(const LoopbackPeer&) = delete;
  LoopbackPeer& operator=(const LoopbackPeer&) = delete;

  uint16_t port() const { return port_; }

  // Ends any connection of the previous run and sets the answers of the next one.
  void reset(std::vector<std::string> answers);
  // Accepts the client when it has connected, reads what it sent, writes pending output.
  void step();
  // Queues the next answer, or ends the peer's side once all are out.
  void answerNext();

 private:
  void closeConnection();

  int listenFd_ = -1;
  int connFd_ = -1;
  uint16_t port_ = 0;
  std::vector<std::string> answers_;
  size_t nextAnswer_ = 0;
  std::string output_;   // Bytes still to be written.
  bool ending_ = false;  // Shut the write side once output_ is out.
};

// A pump on a fake clock (time-outs pass without sleeping) that steps the peer on every wait and
// lets it answer whenever the client waits to read.
class PeerPump final : public platform::MessagePump {
 public:
  explicit PeerPump(LoopbackPeer& peer) : peer_(peer) {}
  uint64_t tickMs() override { return now_; }
  void dispatch(int maxWaitMs) override;
  void waitForDescriptor(int fd, Readiness readiness, int maxWaitMs) override;

 private:
  LoopbackPeer& peer_;
  uint64_t now_ = 1000;
};

}  // namespace fuzzing
