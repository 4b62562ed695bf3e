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

 private:
  QElapsedTimer clock_;
};

}  // namespace platform::ui
