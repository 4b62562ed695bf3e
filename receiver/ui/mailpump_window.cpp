#include "receiver/ui/mailpump_window.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/com_ports.h"
#include "platform/ui/qt_text.h"
#include "receiver/autostart_entry.h"
#include "receiver/exit_sequence.h"
#include "receiver/port_list.h"
#include "receiver/receiver_texts.h"
#include "receiver/ui/program_icon.h"
#include "receiver/ui/tray_icon.h"
#include "receiver/ui/window_prompts.h"
#include "receiver/ui/window_texts.h"

namespace receiver::ui {

namespace {

using platform::ui::fromCp1252;
using platform::ui::toCp1252;

// The port list offers COM1 to COM50.
constexpr int kFirstListedPort = 1;
constexpr int kLastListedPort = 50;
constexpr int kMinimumListHeight = 110;
// The window opens wide enough for long mail addresses and no taller than its contents need.
constexpr int kInitialWidth = 540;
constexpr int kInitialHeight = 440;
constexpr int kStatusLineMinimumHeight = 36;

}  // namespace

CMailpumpWindow::CMailpumpWindow(ReceiverSettings& settings, const ReceiverPaths& paths,
                                 WindowOptions options, QWidget* parent)
    : QMainWindow(parent),
      settings_(settings),
      paths_(paths),
      options_(std::move(options)),
      profile_(paths.profileFile()),
      ownPrompts_(options_.prompts == nullptr ? std::make_unique<QtWindowPrompts>() : nullptr),
      prompts_(options_.prompts != nullptr ? options_.prompts : ownPrompts_.get()),
      receiver_(settings_, paths_, *this, pump_, clock_),
      tray_(std::make_unique<CTrayIcon>(programIcon(), fromCp1252(texts::kTrayTip))) {
  setWindowTitle(fromCp1252(texts::kWindowTitle));
  setWindowIcon(programIcon());

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(buildMailboxGroup(), 1);
  layout->addWidget(buildOptionsGroup());
  layout->addWidget(buildResultGroup());
  layout->addLayout(buildCommandRow());
  setCentralWidget(central);
  buildMenu();
  fillPortList();
  resize(kInitialWidth, kInitialHeight);

  connect(tray_.get(), &CTrayIcon::showRequested, this, &CMailpumpWindow::showMe);
  connect(tray_.get(), &CTrayIcon::hideRequested, this, &CMailpumpWindow::hideMe);
  connect(tray_.get(), &CTrayIcon::exitRequested, this, &CMailpumpWindow::exitProgram);

  // The period is the interval loaded at start; a changed interval counts from the next start.
  pollTimer_.setInterval(pollPeriodMs(settings_));
  connect(&pollTimer_, &QTimer::timeout, this, &CMailpumpWindow::onPollTimer);
  hideAtStart_.setSingleShot(true);
  hideAtStart_.setInterval(kHideAtStartDelayMs);
  connect(&hideAtStart_, &QTimer::timeout, this, &CMailpumpWindow::hideMe);

  setSelfReceiving(settings_.selfReceiving);
}

CMailpumpWindow::~CMailpumpWindow() = default;

QWidget* CMailpumpWindow::buildMailboxGroup() {
  auto* group = new QGroupBox(fromCp1252(texts::kMailboxList));
  mailboxList_ = new QListWidget(group);
  mailboxList_->setMinimumHeight(kMinimumListHeight);
  for (const MailboxRecord& box : settings_.mailboxes)
    mailboxList_->addItem(fromCp1252(box.name));

  auto* buttons = new QVBoxLayout;
  const std::pair<const char*, void (CMailpumpWindow::*)()> commands[] = {
      {texts::kNew, &CMailpumpWindow::newMailbox},
      {texts::kEdit, &CMailpumpWindow::editMailbox},
      {texts::kRename, &CMailpumpWindow::renameMailbox},
      {texts::kRemove, &CMailpumpWindow::removeMailbox}};
  for (const auto& [label, slot] : commands) {
    auto* button = new QPushButton(fromCp1252(label), group);
    connect(button, &QPushButton::clicked, this, slot);
    buttons->addWidget(button);
  }
  buttons->addStretch();

  auto* layout = new QHBoxLayout(group);
  layout->addWidget(mailboxList_, 1);
  layout->addLayout(buttons);
  return group;
}

QWidget* CMailpumpWindow::buildOptionsGroup() {
  auto* group = new QGroupBox(fromCp1252(texts::kOptionsGroup));
  selfReceiving_ = new QCheckBox(fromCp1252(texts::kCheckMailEvery), group);
  selfReceiving_->setChecked(settings_.selfReceiving);
  connect(selfReceiving_, &QCheckBox::toggled, this, &CMailpumpWindow::setSelfReceiving);
  interval_ = new QSpinBox(group);
  interval_->setRange(kMinPollIntervalSeconds, kMaxPollIntervalSeconds);
  interval_->setValue(settings_.pollIntervalSeconds);
  interval_->setSuffix(QLatin1Char(' ') + fromCp1252(texts::kSeconds));

  portList_ = new QComboBox(group);
  connect(portList_, &QComboBox::activated, this, &CMailpumpWindow::choosePort);

  autorun_ = new QCheckBox(fromCp1252(texts::kAutorun), group);
  autorun_->setChecked(settings_.autostart);
  connect(autorun_, &QCheckBox::toggled, this, &CMailpumpWindow::setAutorun);

  auto* layout = new QGridLayout(group);
  layout->addWidget(selfReceiving_, 0, 0);
  layout->addWidget(interval_, 0, 1);
  layout->addWidget(new QLabel(fromCp1252(texts::kComPortLabel), group), 1, 0);
  layout->addWidget(portList_, 1, 1);
  layout->addWidget(autorun_, 2, 0, 1, 2);
  layout->setColumnStretch(2, 1);
  return group;
}

QWidget* CMailpumpWindow::buildResultGroup() {
  resultGroup_ = new QGroupBox(fromCp1252(receiver::texts::kStatusCaption));
  statusLine_ = new QLabel(resultGroup_);
  statusLine_->setWordWrap(true);
  statusLine_->setMinimumHeight(kStatusLineMinimumHeight);
  statusLine_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  statusLine_->setTextFormat(Qt::PlainText);
  progress_ = new QProgressBar(resultGroup_);
  progress_->setRange(0, 1);
  progress_->setValue(0);
  progress_->setTextVisible(false);

  auto* layout = new QVBoxLayout(resultGroup_);
  layout->addWidget(statusLine_);
  layout->addWidget(progress_);
  return resultGroup_;
}

QLayout* CMailpumpWindow::buildCommandRow() {
  receiveButton_ = new QPushButton(fromCp1252(texts::kReceiveManually));
  connect(receiveButton_, &QPushButton::clicked, this, &CMailpumpWindow::receiveNow);
  auto* help = new QPushButton(fromCp1252(texts::kHelp));
  connect(help, &QPushButton::clicked, this, &CMailpumpWindow::showHelp);
  auto* exit = new QPushButton(fromCp1252(texts::kExit));
  connect(exit, &QPushButton::clicked, this, &CMailpumpWindow::exitProgram);

  auto* row = new QHBoxLayout;
  row->addWidget(receiveButton_);
  row->addStretch();
  row->addWidget(help);
  row->addWidget(exit);
  return row;
}

// The About entry lives in the window's own menu: the desktop's window menu cannot be extended.
void CMailpumpWindow::buildMenu() {
  QMenu* menu = menuBar()->addMenu(fromCp1252(texts::kWindowMenu));
  about_ = menu->addAction(fromCp1252(texts::kAboutCommand));
  connect(about_, &QAction::triggered, this, &CMailpumpWindow::showAbout);
  menu->addSeparator();
  connect(menu->addAction(fromCp1252(texts::kExit)), &QAction::triggered, this,
          &CMailpumpWindow::exitProgram);
}

// Lists the ports whose device is there (or busy), through the same COM mapping as the sending
// side, and the saved port, which is selected; only the user's choice changes the setting.
void CMailpumpWindow::fillPortList() {
  const std::string profilePath = paths_.profileFile();
  std::vector<int> found;
  for (int n = kFirstListedPort; n <= kLastListedPort; ++n) {
    const std::string device = platform::comPortDevicePath(profilePath, n);
    if (!device.empty() && platform::probeSerialDevice(device)) found.push_back(n);
  }
  for (const int n : portListEntries(std::move(found), settings_.comPort))
    portList_->addItem(QStringLiteral("COM%1").arg(n), n);
  const int saved = portList_->findData(settings_.comPort);
  portList_->setCurrentIndex(saved >= 0 ? saved : 0);
}

void CMailpumpWindow::start() {
  show();
  if (options_.trayAvailable) tray_->add();
  pollTimer_.start();
  if (profile_.readInt(kProgramStatusSection, kIsMinimizeKey, 0) == 1) hideAtStart_.start();
}

// --- The receive cycle's view ---

void CMailpumpWindow::showStatus(const std::string& text) {
  statusLine_->setText(fromCp1252(text));
}

void CMailpumpWindow::setGroupCaption(const std::string& caption) {
  resultGroup_->setTitle(fromCp1252(caption));
}

void CMailpumpWindow::selectMailbox(size_t index) {
  // The list may have been edited while the cycle waited.
  if (index < static_cast<size_t>(mailboxList_->count()))
    mailboxList_->setCurrentRow(static_cast<int>(index));
}

void CMailpumpWindow::setProgressRange(int maximum) {
  // A range of 0 to 0 would turn the bar into a busy indicator.
  progress_->setRange(0, std::max(maximum, 1));
}

void CMailpumpWindow::setProgress(int position) {
  progress_->setValue(std::clamp(position, 0, progress_->maximum()));
}

// --- Mailbox commands ---

int CMailpumpWindow::selectedRow() const {
  const QList<QListWidgetItem*> selected = mailboxList_->selectedItems();
  if (selected.isEmpty()) return -1;
  const int row = mailboxList_->row(selected.front());
  return row < static_cast<int>(settings_.mailboxes.size()) ? row : -1;
}

void CMailpumpWindow::replaceAndMoveToEnd(int row, const MailboxRecord& record) {
  // The record moves with its list entry, so the cycle's selection points at the mailbox polled.
  if (!replaceMailboxAtEnd(&settings_, static_cast<size_t>(row), record)) return;
  delete mailboxList_->takeItem(row);
  mailboxList_->addItem(fromCp1252(record.name));
  mailboxList_->setCurrentRow(mailboxList_->count() - 1);
}

void CMailpumpWindow::newMailbox() {
  QString name;
  if (!prompts_->askName(this, &name)) return;
  MailboxRecord record;
  record.name = toCp1252(name);
  if (!prompts_->askServer(this, &record)) return;
  settings_.mailboxes.push_back(record);
  mailboxList_->addItem(fromCp1252(record.name));
  mailboxList_->setCurrentRow(mailboxList_->count() - 1);
}

void CMailpumpWindow::editMailbox() {
  const int row = selectedRow();
  if (row < 0) {
    prompts_->warn(this, fromCp1252(texts::kSelectToModify));
    return;
  }
  MailboxRecord record = settings_.mailboxes[row];
  if (!prompts_->askServer(this, &record)) return;
  replaceAndMoveToEnd(row, record);
}

void CMailpumpWindow::renameMailbox() {
  const int row = selectedRow();
  if (row < 0) {
    prompts_->warn(this, fromCp1252(texts::kSelectToRename));
    return;
  }
  MailboxRecord record = settings_.mailboxes[row];
  QString name = fromCp1252(record.name);
  if (!prompts_->askName(this, &name)) return;
  record.name = toCp1252(name);
  replaceAndMoveToEnd(row, record);
}

void CMailpumpWindow::removeMailbox() {
  const int row = selectedRow();
  if (row < 0) {
    prompts_->warn(this, fromCp1252(texts::kSelectToRemove));
    return;
  }
  if (!prompts_->askYesNo(this, fromCp1252(texts::kPromptTitle), fromCp1252(texts::kConfirmRemove)))
    return;
  // The question waited; a cycle may not have changed the list, but look again all the same.
  if (row >= static_cast<int>(settings_.mailboxes.size())) return;
  settings_.mailboxes.erase(settings_.mailboxes.begin() + row);
  delete mailboxList_->takeItem(row);
}

// --- Options and commands ---

void CMailpumpWindow::setSelfReceiving(bool on) {
  settings_.selfReceiving = on;
  if (selfReceiving_->isChecked() != on) {
    const QSignalBlocker block(selfReceiving_);
    selfReceiving_->setChecked(on);
  }
  interval_->setEnabled(on);
  receiveButton_->setEnabled(!on);
  showStatus(on ? receiver::texts::kSelfReceivingOn : receiver::texts::kSelfReceivingOff);
}

void CMailpumpWindow::choosePort(int listIndex) {
  const QVariant port = portList_->itemData(listIndex);
  if (port.isValid()) settings_.comPort = port.toInt();
}

void CMailpumpWindow::setAutorun(bool on) {
  const platform::Status done =
      on ? writeAutostartEntry(options_.programPath, options_.dataDirArgument)
         : removeAutostartEntry();
  if (done.ok()) {
    settings_.autostart = on;
    return;
  }
  // The box shows what is in effect.
  const QSignalBlocker block(autorun_);
  autorun_->setChecked(!on);
  showStatus(done.message());
}

void CMailpumpWindow::receiveNow() {
  receiver_.ReceiveCycle();
}

void CMailpumpWindow::onPollTimer() {
  if (!selfReceiving_->isChecked()) return;
  // The timer stands still while the cycle runs and restarts with the same period.
  pollTimer_.stop();
  receiver_.ReceiveCycle();
  if (!exiting_) pollTimer_.start();
}

void CMailpumpWindow::showHelp() {
  prompts_->inform(this, fromCp1252(texts::kHelp), fromCp1252(texts::kHelpText));
}

void CMailpumpWindow::showAbout() {
  prompts_->inform(
      this, fromCp1252(texts::kAboutTitle),
      fromCp1252(texts::kAboutVersion) + QLatin1Char('\n') + fromCp1252(texts::kAboutDate));
}

// --- Tray and window state ---

void CMailpumpWindow::showMe() {
  if (exiting_) return;
  hideAtStart_.stop();
  hidden_ = false;
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
}

void CMailpumpWindow::hideMe() {
  if (exiting_) return;
  hidden_ = true;
  if (options_.trayAvailable)
    hide();
  else
    showMinimized();
}

void CMailpumpWindow::closeEvent(QCloseEvent* event) {
  if (exiting_) {
    event->accept();
    return;
  }
  // Only "Exit" ends the program; the close box puts the window away.
  event->ignore();
  hideMe();
}

void CMailpumpWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || exiting_) return;
  if (isMinimized()) {
    hidden_ = true;
    // Hiding from inside the state change confuses some window managers; do it just after.
    if (options_.trayAvailable) QTimer::singleShot(0, this, &CMailpumpWindow::hideMe);
  } else if (!options_.trayAvailable) {
    hidden_ = false;  // Restored from the task bar.
  }
}

void CMailpumpWindow::exitProgram() {
  if (exiting_) return;
  exiting_ = true;
  tray_->remove();
  settings_.selfReceiving = selfReceiving_->isChecked();
  settings_.pollIntervalSeconds = interval_->value();
  pollTimer_.stop();
  hideAtStart_.stop();
  profile_.writeInt(kProgramStatusSection, kIsMinimizeKey, hidden_ ? 1 : 0);
  // A settings file that cannot be written is not reported: there is no one left to tell.
  finishReceiving(&receiver_, paths_, settings_, options_.settingsLoad, SettingsEdits::kPossible);
  hide();
  emit exited();
}

}  // namespace receiver::ui
