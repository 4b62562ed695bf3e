#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

// A network sign on loopback: accepts connections on a port of its own and records what arrives,
// chunk by chunk, with the time.
class TcpSign {
 public:
  TcpSign();
  ~TcpSign();
  TcpSign(const TcpSign&) = delete;
  TcpSign& operator=(const TcpSign&) = delete;

  uint16_t port() const { return port_; }

  struct Chunk {
    std::string bytes;
    std::chrono::steady_clock::time_point at;
  };
  std::vector<Chunk> chunks();
  int connections() const { return connections_; }
  // Everything received so far, in order.
  std::string received();

 private:
  void run();

  int fd_ = -1;
  uint16_t port_ = 0;
  std::thread thread_;
  std::mutex mutex_;
  std::vector<Chunk> chunks_;
  std::atomic<int> connections_{0};
};

}  // namespace testing_support
