#include "app/ui/send_station.h"

#include <QWidget>

#include "app/send_option_memory.h"
#include "app/varnel_profile.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/ui/message_boxes.h"
#include "mailtransfer/email_transfer.h"
#include "platform/data_dir.h"
#include "platform/ui/qt_text.h"
#include "signlink/modem_list.h"
#include "signlink/sign_data_file.h"
#include "signlink/ui/dial_up_window.h"
#include "signlink/ui/send_option_dialog.h"
#include "signlink/ui/send_progress_window.h"

namespace app::ui {

SendStation::SendStation(app::AppState& state, i18n::LanguageModule& language, QWidget* owner,
                         platform::MessagePump* pump)
    : state_(state),
      language_(language),
      owner_(owner),
      basePump_(pump != nullptr ? *pump : qtPump_),
      pump_(basePump_, [this] { return stopRequested_; }),
      link_(varnel_profile::open(state.dataDir).path()),
      tcp_(pump_),
      dialUp_(new signlink::ui::CDialUpWindow(language, owner)) {
  dialer_ = std::make_unique<signlink::ModemDialer>(
      link_, pump_, *dialUp_, [this](const std::string& name) {
        return signlink::ModemList::load(
                   platform::joinPath(state_.dataDir, signlink::kModemListFileName))
            .modemPort(name);
      });
  dialer_->setStopRequest([this] { return stopRequested_; });
  dialUp_->setCloseHandler([this] { dialer_->cancel(); });
  // A port whose set-up failed is still used, as it always was; the user is told.
  link_.setWarningPresenter([this](const std::string& caption, const std::string& text) {
    i18n::ui::showBox(owner_, text, caption, i18n::ui::BoxIcon::kError, i18n::ui::BoxButtons::kOk);
  });
}

SendStation::~SendStation() {
  link_.close();
  link_.state() = signlink::LinkState{};
  if (dialUp_) dialUp_->setCloseHandler({});
}

void SendStation::showDialUp(bool visible) {
  if (!dialUp_) return;
  if (visible) {
    dialUp_->showCentred(dialer_->openingStatusText());
  } else {
    dialUp_->hide();
  }
}

void SendStation::run(signlink::SendCommand command, const app::SendContent* content,
                      const std::vector<std::string>& notes) {
  if (busy_) {
    i18n::ui::showWarningBox(owner_, i18n::text(i18n::IDS_SEND_RUNNING));
    return;
  }
  busy_ = true;  // From the dialog on: a second command waits its turn.
  stopRequested_ = false;
  pump_.resume();
  signlink::SendOptionMemory memory = app::sendOptionMemory(state_.sendInfo);
  signlink::ui::CSendOptionDialog dialog(state_.book, &memory, language_, owner_);
  if (dialog.exec() == QDialog::Accepted) {
    app::rememberSendOption(memory, &state_.sendInfo);
    for (const std::string& note : notes)
      i18n::ui::showWarningBox(owner_, note);
    sendTo(command, content, dialog.choice());
  }
  busy_ = false;
}

void SendStation::sendTo(signlink::SendCommand command, const app::SendContent* content,
                         const signlink::SendChoice& choice) {
  signlink::ui::CSendProgressWindow progress(language_, owner_);
  progress.setDialUpShower([this](bool visible) { showDialUp(visible); });
  mailtransfer::EmailTransfer email(state_.book, pump_, clock_);
  email.setTlsProfile(varnel_profile::open(state_.dataDir).path());
  signlink::SendEnvironment env(state_.book, link_, pump_, progress,
                                app::sendStreamBuilder(command, content, clock_));
  env.tcp = &tcp_;
  env.dialer = dialer_.get();
  env.email = &email;
  env.clock = &clock_;
  env.tempDir = signlink::signDataFileBase(state_.dataDir);
  env.stopRequested = [this, &progress] { return stopRequested_ || progress.stopRequested(); };
  env.endRequested = [this] { return stopRequested_; };

  progress.show();
  progress.beginSend();
  const signlink::SendSummary summary = signlink::runSendCommand(env, command, choice);
  progress.endSend();
  if (stopRequested_) return;  // The program is ending: nobody is asked to read the outcome.
  // Each destination's outcome, under the progress window's caption.
  i18n::ui::showBox(
      &progress, signlink::sendResultsText(summary), platform::ui::toCp1252(progress.windowTitle()),
      summary.allSucceeded() ? i18n::ui::BoxIcon::kInformation : i18n::ui::BoxIcon::kError,
      i18n::ui::BoxButtons::kOk);
  progress.close();
}

}  // namespace app::ui
