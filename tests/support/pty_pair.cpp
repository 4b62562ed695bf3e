#include "tests/support/pty_pair.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace testing_support {
namespace {

using Clock = std::chrono::steady_clock;

int msLeft(Clock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

PtyPair::PtyPair() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
    std::perror("posix_openpt");
    std::abort();
  }
  char name[128];
  if (ptsname_r(master_, name, sizeof name) != 0) std::abort();
  slavePath_ = name;
  slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave_ < 0) std::abort();
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
}

PtyPair::~PtyPair() {
  if (collecting_) stopCollecting();
  if (slave_ >= 0) ::close(slave_);
  if (master_ >= 0) ::close(master_);
}

void PtyPair::closeMaster() {
  if (collecting_) stopCollecting();
  if (master_ >= 0) ::close(master_);
  master_ = -1;
}

bool PtyPair::writeMaster(std::string_view bytes) {
  size_t done = 0;
  const auto deadline = Clock::now() + std::chrono::seconds(5);
  while (done < bytes.size()) {
    const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
    if (msLeft(deadline) == 0) return false;
    pollfd p{master_, POLLOUT, 0};
    poll(&p, 1, 10);
  }
  return true;
}

std::string PtyPair::readMaster(size_t count, int timeoutMs) {
  std::string out;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  char buffer[4096];
  while (out.size() < count) {
    const ssize_t n = ::read(master_, buffer, std::min(sizeof buffer, count - out.size()));
    if (n > 0) {
      out.append(buffer, static_cast<size_t>(n));
      continue;
    }
    const int left = msLeft(deadline);
    if (left == 0) break;
    pollfd p{master_, POLLIN, 0};
    poll(&p, 1, left);
  }
  return out;
}

std::string PtyPair::drainMaster(int quietMs) {
  std::string out;
  char buffer[4096];
  for (;;) {
    pollfd p{master_, POLLIN, 0};
    if (poll(&p, 1, quietMs) <= 0 || (p.revents & POLLIN) == 0) break;
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n <= 0) break;
    out.append(buffer, static_cast<size_t>(n));
  }
  return out;
}

bool PtyPair::sendToPort(std::string_view bytes, int timeoutMs) {
  int before = 0;
  if (ioctl(slave_, FIONREAD, &before) != 0 || before < 0) before = 0;
  return writeMaster(bytes) &&
         waitSlaveInput(static_cast<size_t>(before) + bytes.size(), timeoutMs);
}

bool PtyPair::waitSlaveInput(size_t count, int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    int queued = 0;
    if (ioctl(slave_, FIONREAD, &queued) == 0 && queued >= 0 &&
        static_cast<size_t>(queued) >= count) {
      return true;
    }
    if (msLeft(deadline) == 0) return false;
    usleep(200);
  }
}

void PtyPair::startCollecting() {
  collecting_ = true;
  collector_ = std::thread([this] {
    char buffer[4096];
    while (collecting_) {
      pollfd p{master_, POLLIN, 0};
      if (poll(&p, 1, 5) <= 0) continue;
      const ssize_t n = ::read(master_, buffer, sizeof buffer);
      if (n > 0) {
        std::lock_guard<std::mutex> lock(collectedMutex_);
        collected_.append(buffer, static_cast<size_t>(n));
      }
    }
  });
}

std::string PtyPair::stopCollecting() {
  collecting_ = false;
  if (collector_.joinable()) collector_.join();
  std::string rest = drainMaster(20);
  std::lock_guard<std::mutex> lock(collectedMutex_);
  std::string all = std::move(collected_);
  collected_.clear();
  return all + rest;
}

}  // namespace testing_support
