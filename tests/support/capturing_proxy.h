#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace testing_support {

// A TCP relay for tests, on its own thread: it listens on `address`:`port` (port 0: a free one)
// and passes each connection's bytes both ways to 127.0.0.1:`targetPort`, one connection after
// the other. It keeps everything the clients sent, as someone listening on the loopback would
// see it, so that a test can show what crossed the wire in the clear.
class CapturingProxy {
 public:
  CapturingProxy(std::string address, uint16_t port, uint16_t targetPort);
  ~CapturingProxy();
  CapturingProxy(const CapturingProxy&) = delete;
  CapturingProxy& operator=(const CapturingProxy&) = delete;

  // Starts listening. False with the system's reason when it cannot (a port below 1024 needs
  // root).
  bool start(std::string* error);

  uint16_t port() const { return port_; }
  const std::string& address() const { return address_; }

  // Everything the clients sent so far, and how many connections came.
  std::string clientBytes() const;
  int connections() const { return connections_; }

 private:
  void serve();
  // Relays one accepted connection until either side closes or the proxy stops.
  void relay(int client);

  std::string address_;
  uint16_t port_;
  uint16_t targetPort_;
  int listenFd_ = -1;
  std::atomic<bool> stop_{false};
  std::atomic<int> connections_{0};
  mutable std::mutex mutex_;
  std::string sent_;  // Guarded by mutex_.
  std::thread thread_;
};

// A loopback address other than 127.0.0.1, picked at random from 127.0.0.0/8, where a test can
// take a well-known port (995, 465) without meeting another test run on the same machine.
std::string randomLoopbackAddress();

}  // namespace testing_support
