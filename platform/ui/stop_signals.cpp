#include "platform/ui/stop_signals.h"

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace platform::ui {
namespace {

// The socket pair between the handler and the event loop: [0] is read by the loop, [1] written by
// the handler, which may do nothing else.
int gStopPipe[2] = {-1, -1};

void onStopSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(gStopPipe[1], &byte, 1);
}

void setHandler(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

}  // namespace

StopSignals::StopSignals(QObject* parent) : QObject(parent) {
  if (gStopPipe[0] >= 0) return;  // another object already holds the signals
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, gStopPipe) != 0) {
    gStopPipe[0] = gStopPipe[1] = -1;
    return;
  }
  notifier_ = new QSocketNotifier(gStopPipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    char bytes[16];
    while (::read(gStopPipe[0], bytes, sizeof bytes) > 0) {
    }
    emit stopRequested();
  });
  setHandler(onStopSignal);
}

StopSignals::~StopSignals() {
  if (notifier_ == nullptr) return;
  setHandler(SIG_DFL);
  delete notifier_;
  ::close(gStopPipe[0]);
  ::close(gStopPipe[1]);
  gStopPipe[0] = gStopPipe[1] = -1;
}

}  // namespace platform::ui
