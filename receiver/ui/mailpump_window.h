#pragma once

#include <memory>
#include <string>

#include <QMainWindow>
#include <QTimer>

#include "platform/local_clock.h"
#include "platform/profile_file.h"
#include "platform/status.h"
#include "platform/ui/qt_message_pump.h"
#include "receiver/receive_cycle.h"
#include "receiver/receiver_paths.h"
#include "receiver/receiver_settings.h"
#include "receiver/receiver_status.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace receiver::ui {

// mailpump.ini: whether the window was hidden in the tray at the last exit.
inline constexpr char kProgramStatusSection[] = "ProgramStatus";
inline constexpr char kIsMinimizeKey[] = "IsMinimize";
// How long after start a window hidden at the last exit is hidden again.
inline constexpr int kHideAtStartDelayMs = 50;

class CTrayIcon;
class WindowPrompts;

// How the window is set up by the program (tests set it up their own way).
struct WindowOptions {
  // With a notification area the window hides in it when closed or minimised; without one it
  // minimises instead, so that it can always be found again.
  bool trayAvailable = false;
  // Answers the window's questions; null for the real dialogs and message boxes.
  WindowPrompts* prompts = nullptr;
  // The autostart entry starts this program, with --data-dir when `dataDirArgument` is not empty.
  std::string programPath;
  std::string dataDirArgument;
  // How Set.dat loaded at start; a file that was there but failed to load is copied beside it
  // before the window's settings are written over it at exit.
  platform::Status settingsLoad;
};

// "EMail-V1.6": the receiver's main window. It shows and edits the settings (mailboxes, polling,
// the sign's port, autostart), runs receive cycles on the poll timer or on request and shows
// their progress, and lives in the notification area when put away. The settings reach disk
// when the program exits (exitProgram), together with whether the window was hidden.
class CMailpumpWindow final : public QMainWindow, public ReceiverStatus {
  Q_OBJECT

 public:
  // `settings` (loaded by the caller) is edited in place and must outlive the window.
  CMailpumpWindow(ReceiverSettings& settings, const ReceiverPaths& paths, WindowOptions options,
                  QWidget* parent = nullptr);
  ~CMailpumpWindow() override;

  // Shows the window and starts the poll timer; when the window was hidden at the last exit it
  // hides itself again 50 ms later.
  void start();

  // ReceiverStatus: the receive cycle's view.
  void showStatus(const std::string& text) override;
  void setGroupCaption(const std::string& caption) override;
  void selectMailbox(size_t index) override;
  void setProgressRange(int maximum) override;
  void setProgress(int position) override;

  bool isHiddenInTray() const { return hidden_; }
  bool hasExited() const { return exiting_; }
  int pollPeriod() const { return pollTimer_.interval(); }

  // The parts tests reach.
  QListWidget* mailboxList() const { return mailboxList_; }
  QCheckBox* selfReceivingBox() const { return selfReceiving_; }
  QSpinBox* intervalField() const { return interval_; }
  QComboBox* portList() const { return portList_; }
  QCheckBox* autorunBox() const { return autorun_; }
  QPushButton* receiveButton() const { return receiveButton_; }
  QLabel* statusLine() const { return statusLine_; }
  QGroupBox* resultGroup() const { return resultGroup_; }
  QProgressBar* progressBar() const { return progress_; }
  CTrayIcon* trayIcon() const { return tray_.get(); }
  QAction* aboutAction() const { return about_; }

 public slots:
  // Mailbox commands.
  void newMailbox();
  void editMailbox();
  void renameMailbox();
  void removeMailbox();
  // Options and commands.
  void setSelfReceiving(bool on);
  void choosePort(int listIndex);
  void setAutorun(bool on);
  void receiveNow();
  void showHelp();
  void showAbout();
  // Tray commands.
  void showMe();
  void hideMe();
  // The exit sequence: tray icon down, settings taken from the window, queues emptied, timer
  // stopped, "IsMinimize" and Set.dat written. Runs once; emits exited() at the end.
  void exitProgram();
  // The poll timer's tick: a cycle when self-receiving is on, nothing otherwise.
  void onPollTimer();

 signals:
  void exited();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QWidget* buildMailboxGroup();
  QWidget* buildOptionsGroup();
  QWidget* buildResultGroup();
  QLayout* buildCommandRow();
  void buildMenu();
  void fillPortList();
  // The row of the selected list entry, or -1.
  int selectedRow() const;
  // Stores `record` in place of entry `row` and moves it to the end of the list, selected.
  void replaceAndMoveToEnd(int row, const MailboxRecord& record);

  ReceiverSettings& settings_;
  const ReceiverPaths& paths_;
  const WindowOptions options_;
  const platform::ProfileFile profile_;        // mailpump.ini: ports and "IsMinimize".
  std::unique_ptr<WindowPrompts> ownPrompts_;  // When the caller gave none.
  WindowPrompts* const prompts_;               // Asks the user.
  platform::ui::QtMessagePump pump_;           // Waits of the cycle keep the window alive.
  platform::SystemClock clock_;                // Log entries and the sign's time.
  Receiver receiver_;                          // Runs the cycles.
  std::unique_ptr<CTrayIcon> tray_;            // The notification-area icon.
  QTimer pollTimer_;                           // Period fixed at start.
  QTimer hideAtStart_;                         // Puts the window away 50 ms after start.
  bool hidden_ = false;                        // Put away by the user ("IsMinimize").
  bool exiting_ = false;                       // The exit sequence has run.

  QListWidget* mailboxList_ = nullptr;
  QCheckBox* selfReceiving_ = nullptr;
  QSpinBox* interval_ = nullptr;
  QComboBox* portList_ = nullptr;
  QCheckBox* autorun_ = nullptr;
  QPushButton* receiveButton_ = nullptr;
  QLabel* statusLine_ = nullptr;
  QGroupBox* resultGroup_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QAction* about_ = nullptr;
};

}  // namespace receiver::ui
