#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace testing_support {

// A pseudo-terminal pair standing in for a serial line: the code under test opens slavePath() as
// its port, and the test plays the far end (a sign, a modem) on the master side. The pair keeps a
// slave descriptor of its own open, so the line stays up between the code's opens and closes, and
// so the test can see what is waiting in the slave's input queue. Neither side is put in raw mode
// here: making the slave raw is the job of the code under test (the master is raw by default).
class PtyPair {
 public:
  PtyPair();  // Aborts the test program when no pseudo-terminal can be had.
  ~PtyPair();
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  const std::string& slavePath() const { return slavePath_; }
  int masterFd() const { return master_; }
  int slaveFd() const { return slave_; }

  // Writes bytes on the master side (towards the code's port). True when all were written.
  bool writeMaster(std::string_view bytes);

  // Writes bytes on the master side and waits until they are in the port's input queue, so the
  // code under test finds them on its next look. Assumes nobody reads the port meanwhile.
  bool sendToPort(std::string_view bytes, int timeoutMs = 2000);

  // Reads from the master side until `count` bytes have arrived or `timeoutMs` passed.
  std::string readMaster(size_t count, int timeoutMs);

  // Reads whatever arrives on the master side until nothing more comes for `quietMs`.
  std::string drainMaster(int quietMs);

  // Waits until the slave's input queue holds at least `count` bytes (what the master wrote has
  // reached the port). False after `timeoutMs`.
  bool waitSlaveInput(size_t count, int timeoutMs);

  // Starts a thread that reads the master side into a buffer, as a sign reading its line would;
  // stopCollecting() ends it and returns everything read. Without it, what the port writes waits
  // in the pseudo-terminal's buffers.
  void startCollecting();
  std::string stopCollecting();

  // Closes the master side, as a USB serial adapter pulled out mid-transfer: the port's writes
  // then fail.
  void closeMaster();

 private:
  int master_ = -1;        // Master side, raw.
  int slave_ = -1;         // The pair's own slave descriptor.
  std::string slavePath_;  // Device the code under test opens.
  std::thread collector_;  // Reads the master side while collecting.
  std::atomic<bool> collecting_{false};
  std::mutex collectedMutex_;
  std::string collected_;  // What the collector read.
};

}  // namespace testing_support
