#pragma once

#include <QDialog>
#include <functional>

#include "i18n/language_module.h"
#include "signlink/send_pipeline.h"

class QLabel;
class QProgressBar;

namespace signlink::ui {

// The modeless progress window of a send (dialog 138): the command line, the destination line,
// "To:%s addr.", the status line and the progress bar, with the send's message boxes and wait
// cursor. Closing it while a send runs asks whether to stop after the current destination.
class CSendProgressWindow : public QDialog, public SendProgressUi {
  Q_OBJECT

 public:
  CSendProgressWindow(const i18n::LanguageModule& language, QWidget* parent = nullptr);
  ~CSendProgressWindow() override;

  // What showDialUpWindow() does (the dial-up window belongs to the caller).
  void setDialUpShower(std::function<void(bool)> shower) { dialUpShower_ = std::move(shower); }

  // Between begin and end a close asks to stop instead of closing.
  void beginSend();
  void endSend();
  bool stopRequested() const { return stopRequested_; }

  QLabel* commandLine() const { return command_; }
  QLabel* destinationLine() const { return destination_; }
  QLabel* addressLine() const { return addresses_; }
  QLabel* statusLine() const { return status_; }
  QProgressBar* progressBar() const { return bar_; }

  // SendProgressUi
  void setProgressRange(int maximum) override;
  void setProgress(int position) override;
  void setStatus(const std::string& text) override;
  void setCommandLine(const std::string& text) override;
  void setDestinationLine(const std::string& text) override;
  void setAddressLine(const std::string& text) override;
  void showMessage(const std::string& text, Icon icon) override;
  void setWaitCursor(bool on) override;
  void showDialUpWindow(bool visible) override;

  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Asks whether to stop; true when the window may close.
  bool mayClose();

  QLabel* command_;
  QLabel* destination_;
  QLabel* addresses_;
  QLabel* status_;
  QProgressBar* bar_;
  std::function<void(bool)> dialUpShower_;
  bool sending_ = false;
  bool stopRequested_ = false;
  int waitCursors_ = 0;  // Wait cursors set and not yet restored.
};

}  // namespace signlink::ui
