#include "platform/ui/qt_message_pump.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

namespace platform::ui {

QtMessagePump::QtMessagePump() {
  clock_.start();
}

uint64_t QtMessagePump::tickMs() {
  return static_cast<uint64_t>(clock_.elapsed());
}

void QtMessagePump::waitForDescriptor(int fd, Readiness readiness, int maxWaitMs) {
  if (fd < 0) {
    // Nothing to watch (the socket was closed meanwhile): the wait is a plain dispatch.
    dispatch(maxWaitMs);
    return;
  }
  if (isDescriptorReady(fd, readiness)) return;
  // The notifier's activation is an event of its own, so processEvents() returns once the
  // descriptor is ready, if nothing else came first.
  QSocketNotifier notifier(static_cast<qintptr>(fd), readiness == Readiness::kReadable
                                                         ? QSocketNotifier::Read
                                                         : QSocketNotifier::Write);
  notifier.setEnabled(true);
  dispatch(maxWaitMs);
}

void QtMessagePump::dispatch(int maxWaitMs) {
  QEventLoop loop;
  QTimer wakeUp;
  wakeUp.setSingleShot(true);
  QObject::connect(&wakeUp, &QTimer::timeout, &loop, &QEventLoop::quit);
  wakeUp.start(maxWaitMs > 0 ? maxWaitMs : 0);
  // Returns once something was processed (at the latest the wake-up timer).
  loop.processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

}  // namespace platform::ui
