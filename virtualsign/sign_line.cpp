#include "virtualsign/sign_line.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace virtualsign {
namespace {

std::string systemText(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

void closeFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

}  // namespace

SignLine::~SignLine() {
  closeFd(connectionFd_);
  closeFd(listenFd_);
  closeFd(ptySlave_);
  closeFd(ptyMaster_);
}

bool SignLine::listenTcp(const std::string& ip, uint16_t port, std::string* error) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  if (::inet_pton(AF_INET, ip.c_str(), &address.sin_addr) != 1) {
    *error = "not an IPv4 address: " + ip;
    return false;
  }
  listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const int yes = 1;
  if (listenFd_ < 0 || ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes) != 0 ||
      ::bind(listenFd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listenFd_, 4) != 0) {
    *error = systemText(("cannot listen on " + ip + ":" + std::to_string(port)).c_str());
    closeFd(listenFd_);
    return false;
  }
  return true;
}

uint16_t SignLine::tcpPort() const {
  sockaddr_in address{};
  socklen_t size = sizeof address;
  if (listenFd_ < 0 ||
      ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    return 0;
  }
  return ntohs(address.sin_port);
}

bool SignLine::openPseudoTerminal(std::string* path, std::string* error) {
  ptyMaster_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (ptyMaster_ < 0 || ::grantpt(ptyMaster_) != 0 || ::unlockpt(ptyMaster_) != 0) {
    *error = systemText("cannot create a pseudo-terminal");
    closeFd(ptyMaster_);
    return false;
  }
  const char* name = ::ptsname(ptyMaster_);
  ptySlave_ = name ? ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC) : -1;
  termios raw{};
  if (ptySlave_ < 0 || ::tcgetattr(ptySlave_, &raw) != 0) {
    *error = systemText("cannot open the pseudo-terminal");
    closeFd(ptyMaster_);
    closeFd(ptySlave_);
    return false;
  }
  ::cfmakeraw(&raw);
  ::tcsetattr(ptySlave_, TCSANOW, &raw);
  *path = name;
  return true;
}

void SignLine::poll(int timeoutMs) {
  std::vector<pollfd> fds;
  if (connectionFd_ >= 0) {
    fds.push_back({connectionFd_, POLLIN, 0});
  } else if (listenFd_ >= 0) {
    fds.push_back({listenFd_, POLLIN, 0});
  }
  if (ptyMaster_ >= 0) fds.push_back({ptyMaster_, POLLIN, 0});
  if (unsettled_ || receiving_) timeoutMs = std::min(timeoutMs, kSettleMs);
  const int ready = ::poll(fds.data(), fds.size(), timeoutMs);
  for (int i = 0; ready > 0 && i < static_cast<int>(fds.size()); ++i) {
    if (fds[i].revents == 0) continue;
    if (fds[i].fd == listenFd_) {
      acceptConnection();
    } else {
      readFrom(fds[i].fd, fds[i].fd == ptyMaster_);
    }
  }
  checkQuiet();
}

void SignLine::acceptConnection() {
  connectionFd_ = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
  if (connectionFd_ < 0) return;
  if (receiving_) endReception();  // A serial reception still open ends here.
  receiver_.begin();
  receiving_ = true;
  lastBytes_ = Clock::now();
}

void SignLine::readFrom(int fd, bool serial) {
  char buffer[4096];
  const ssize_t n = ::read(fd, buffer, sizeof buffer);
  if (n > 0) {
    if (!receiving_) {
      receiver_.begin();
      receiving_ = true;
    }
    receiver_.feed(std::string_view(buffer, static_cast<size_t>(n)));
    unsettled_ = true;
    lastBytes_ = Clock::now();
    return;
  }
  if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
  if (!serial) {  // The sender closed the connection: the reception is complete.
    closeFd(connectionFd_);
    endReception();
  }
}

void SignLine::endReception() {
  receiver_.finish();
  receiving_ = false;
  unsettled_ = false;
  changed_(true);
}

void SignLine::checkQuiet() {
  if (!receiving_) return;
  const auto quiet =
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - lastBytes_).count();
  if (unsettled_ && quiet >= kSettleMs) {
    unsettled_ = false;
    changed_(false);
  }
  if (connectionFd_ < 0 && quiet >= kSerialReceptionEndMs) endReception();
}

}  // namespace virtualsign
