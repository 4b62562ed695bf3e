#pragma once

#include <QElapsedTimer>

#include "platform/message_pump.h"

namespace platform::ui {

// The pump of the windowed programs: while a send or a receive cycle waits, Qt keeps painting and
// answering input.
class QtMessagePump final : public MessagePump {
 public:
  QtMessagePump();
  uint64_t tickMs() override;
  void dispatch(int maxWaitMs) override;
  // Watches the descriptor with a socket notifier inside the event loop, so window events are
  // processed while the socket is waited for.
  void waitForDescriptor(int fd, Readiness readiness, int maxWaitMs) override;

 private:
  QElapsedTimer clock_;
};

}  // namespace platform::ui
