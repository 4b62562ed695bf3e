#include "platform/service_notify.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace platform {

bool notifyServiceManager(const std::string& state) {
  const char* name = std::getenv("NOTIFY_SOCKET");
  if (name == nullptr) return false;
  std::string path = name;
  // "@name" is a socket in the abstract namespace, whose address starts with a zero byte.
  if (path.size() < 2 || (path[0] != '/' && path[0] != '@')) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() > sizeof(address.sun_path) - 1) return false;
  if (path[0] == '@') path[0] = '\0';
  std::memcpy(address.sun_path, path.data(), path.size());
  const socklen_t length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size());

  const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const ssize_t sent = ::sendto(fd, state.data(), state.size(), MSG_NOSIGNAL,
                                reinterpret_cast<const sockaddr*>(&address), length);
  ::close(fd);
  return sent == static_cast<ssize_t>(state.size());
}

}  // namespace platform
