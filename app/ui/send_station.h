#pragma once

#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "app/send_content.h"
#include "app/startup_sequence.h"
#include "i18n/language_module.h"
#include "platform/local_clock.h"
#include "platform/stoppable_pump.h"
#include "platform/ui/qt_message_pump.h"
#include "signlink/modem_dialer.h"
#include "signlink/serial_link.h"
#include "signlink/tcp_link.h"
#include "signlink/ui/dial_up_window.h"

class QWidget;

namespace app::ui {

// The program's link to the signs and what drives it from the window: the sign link object with
// its TCP side, the dial-up logic and its window, and the Qt pump every wait of a send goes
// through. One send runs at a time.
class SendStation {
 public:
  // `state`, `language`, `owner` and `pump` must outlive the station. Every wait of a send goes
  // through `pump`; null means the Qt event loop's own (tests pass a pump on a fake clock).
  SendStation(app::AppState& state, i18n::LanguageModule& language, QWidget* owner,
              platform::MessagePump* pump = nullptr);
  ~SendStation();
  SendStation(const SendStation&) = delete;
  SendStation& operator=(const SendStation&) = delete;

  bool busy() const { return busy_; }

  // The command loop: "Send option...", then every destination of the choice with the progress
  // window, then the results. `content` is the workspace's for SendCommand::kWorkspace (else
  // unused); `notes` (what the stream leaves out) are shown once a destination was chosen. Shows
  // "A transmission is running..." and returns when a send runs already.
  void run(signlink::SendCommand command, const app::SendContent* content,
           const std::vector<std::string>& notes);

  // Ends the send under way as soon as it can (Exit, a stop signal): every wait ends, a dial
  // hangs up, a connected call is closed, no further destination is sent and no results box is
  // shown. The next run() starts afresh.
  void requestStop() { stopRequested_ = true; }

  signlink::SignLink& link() { return link_; }
  signlink::ui::CDialUpWindow* dialUpWindow() const { return dialUp_; }

 private:
  void sendTo(signlink::SendCommand command, const app::SendContent* content,
              const signlink::SendChoice& choice);
  void showDialUp(bool visible);

  app::AppState& state_;
  i18n::LanguageModule& language_;
  QWidget* const owner_;
  platform::ui::QtMessagePump qtPump_;
  platform::MessagePump& basePump_;  // qtPump_ or the one given
  bool stopRequested_ = false;
  platform::StoppablePump pump_;  // basePump_, ended by requestStop()
  platform::SystemClock clock_;
  signlink::SignLink link_;
  signlink::TcpLinkSocket tcp_;
  QPointer<signlink::ui::CDialUpWindow> dialUp_;
  std::unique_ptr<signlink::ModemDialer> dialer_;
  bool busy_ = false;
};

}  // namespace app::ui
