#pragma once

#include <QDialog>
#include <functional>

#include "i18n/language_module.h"
#include "signlink/modem_dialer.h"

class QComboBox;
class QLabel;

namespace signlink::ui {

// "Dial up..." (dialog 209): the status of a modem dial and the number being dialled. Its Close
// button cancels a dial in progress, else hides the window. The dial-up logic (ModemDialer) drives
// it through DialUpView.
class CDialUpWindow : public QDialog, public DialUpView {
  Q_OBJECT

 public:
  CDialUpWindow(const i18n::LanguageModule& language, QWidget* parent = nullptr);

  // What Close does (ModemDialer::cancel of the dialer that drives this window).
  void setCloseHandler(std::function<void()> handler) { closeHandler_ = std::move(handler); }

  // Shows the window centred on the screen with `status` in its status line.
  void showCentred(const std::string& status);

  QLabel* statusLabel() const { return status_; }
  QComboBox* numberBox() const { return number_; }

  // DialUpView
  void setStatusLine(const std::string& text) override;
  void showDialledNumber(const std::string& number) override;
  void showMessageBox(const std::string& caption, const std::string& text, Icon icon) override;
  void hide() override;

  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QLabel* status_;
  QComboBox* number_;
  std::function<void()> closeHandler_;
};

}  // namespace signlink::ui
