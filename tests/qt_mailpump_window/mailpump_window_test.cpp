// mailpump's window on the offscreen platform: the option rules, the mailbox commands, the tray
// commands, what reaches disk at exit, autostart, and one window per data directory.

#include <signal.h>

#include <chrono>
#include <memory>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocalSocket>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include "mail/tls_profile.h"
#include "platform/atomic_file.h"
#include "platform/profile_file.h"
#include "platform/ui/qt_text.h"
#include "receiver/receiver_paths.h"
#include "receiver/receiver_settings.h"
#include "receiver/receiver_texts.h"
#include "receiver/ui/mailpump_window.h"
#include "receiver/ui/pop3_server_dialog.h"
#include "receiver/ui/single_instance.h"
#include "receiver/ui/tray_icon.h"
#include "receiver/ui/window_texts.h"
#include "tests/qt_mailpump_window/scripted_prompts.h"
#include "tests/support/temp_dir.h"

using platform::ui::fromCp1252;
using receiver::MailboxRecord;
using receiver::ReceiverSettings;
using receiver::ui::CMailpumpWindow;

namespace {

MailboxRecord box(const char* name, const char* server = "pop.example.org") {
  return MailboxRecord{name, server, "sign", "secret", 110};
}

QStringList listNames(const CMailpumpWindow& window) {
  QStringList names;
  for (int i = 0; i < window.mailboxList()->count(); ++i)
    names << window.mailboxList()->item(i)->text();
  return names;
}

QStringList recordNames(const ReceiverSettings& settings) {
  QStringList names;
  for (const MailboxRecord& m : settings.mailboxes)
    names << QString::fromStdString(m.name);
  return names;
}

// The program is built into the same folder as this test.
QString mailpumpPath() {
  return QCoreApplication::applicationDirPath() + "/mailpump";
}

int isMinimizeIn(const receiver::ReceiverPaths& paths) {
  return platform::ProfileFile(paths.profileFile())
      .readInt(receiver::ui::kProgramStatusSection, receiver::ui::kIsMinimizeKey, -1);
}

}  // namespace

class MailpumpWindowTest : public QObject {
  Q_OBJECT

 private:
  // A window on a fresh data directory.
  struct Fixture {
    testing_support::TempDir dir;
    receiver::ReceiverPaths paths{dir.path()};
    ReceiverSettings settings;
    ScriptedPrompts prompts;
    std::unique_ptr<CMailpumpWindow> window;

    void open(bool trayAvailable = false) {
      receiver::ui::WindowOptions options;
      options.trayAvailable = trayAvailable;
      options.prompts = &prompts;
      options.programPath = "/opt/varnel/bin/mailpump";
      options.dataDirArgument = dir.path();
      window = std::make_unique<CMailpumpWindow>(settings, paths, options);
    }
  };

 private slots:
  void checkBoxEnablesIntervalOrManualReceive();
  void newMailboxAppendsAndSelects();
  void cancelInEitherDialogAddsNothing();
  void editAndRenameMoveTheEntryToTheEndSelected();
  void commandsWithoutSelectionAreRefused();
  void removeAsksFirst();
  void pop3DialogRefusesBlankServerAndAccount();
  void pop3DialogChoosesTlsAndExitKeepsIt();
  void trayCommandsShowAndHide();
  void closeWithoutTrayMinimisesAndKeepsRunning();
  void exitSavesSettingsAndHiddenFlag();
  void exitDuringACycleEndsItPromptly();
  void hiddenAtLastExitHidesAgainAfterStart();
  void portListFollowsTheProfileMapping();
  void autorunWritesAndRemovesTheEntry();
  void cycleStatusReachesTheWindow();
  void pollTickRunsACycleOnlyWhileSelfReceiving();
  void unreadableSettingsFileIsKeptBeforeItIsRewritten();
  void secondStartBringsTheFirstForwardAndEnds();
  void pictureForTheReadme();
};

void MailpumpWindowTest::checkBoxEnablesIntervalOrManualReceive() {
  Fixture f;
  f.open();
  CMailpumpWindow& w = *f.window;
  QVERIFY(!w.intervalField()->isEnabled());
  QVERIFY(w.receiveButton()->isEnabled());
  QCOMPARE(w.statusLine()->text(), fromCp1252(receiver::texts::kSelfReceivingOff));

  w.selfReceivingBox()->click();
  QVERIFY(f.settings.selfReceiving);
  QVERIFY(w.intervalField()->isEnabled());
  QVERIFY(!w.receiveButton()->isEnabled());
  QCOMPARE(w.statusLine()->text(), fromCp1252(receiver::texts::kSelfReceivingOn));

  w.selfReceivingBox()->click();
  QVERIFY(!f.settings.selfReceiving);
  QVERIFY(!w.intervalField()->isEnabled());
  QVERIFY(w.receiveButton()->isEnabled());

  // Loaded on, with the interval the field may hold; the timer runs on the loaded interval.
  Fixture on;
  on.settings.selfReceiving = true;
  on.settings.pollIntervalSeconds = 5;
  on.open();
  QVERIFY(on.window->selfReceivingBox()->isChecked());
  QVERIFY(on.window->intervalField()->isEnabled());
  QVERIFY(!on.window->receiveButton()->isEnabled());
  QCOMPARE(on.window->intervalField()->value(), 5);
  QCOMPARE(on.window->pollPeriod(), 5000);
  QCOMPARE(on.window->intervalField()->minimum(), 5);
  QCOMPARE(on.window->intervalField()->maximum(), 3600);
}

void MailpumpWindowTest::newMailboxAppendsAndSelects() {
  Fixture f;
  f.settings.mailboxes = {box("first@example.org")};
  f.open();
  f.prompts.names.push_back(QString("signs@example.org"));
  f.prompts.servers.push_back(MailboxRecord{"", "10.0.0.5", "lobby", "pw", 1110});
  f.window->newMailbox();

  QCOMPARE(listNames(*f.window), QStringList({"first@example.org", "signs@example.org"}));
  QCOMPARE(f.window->mailboxList()->currentRow(), 1);
  QVERIFY(f.window->mailboxList()->currentItem()->isSelected());
  QCOMPARE(f.settings.mailboxes.back(),
           (MailboxRecord{"signs@example.org", "10.0.0.5", "lobby", "pw", 1110}));
  // The name dialog opens empty for a new mailbox.
  QCOMPARE(f.prompts.shownNames, QStringList({""}));
}

void MailpumpWindowTest::cancelInEitherDialogAddsNothing() {
  Fixture f;
  f.open();
  f.prompts.names.push_back(std::nullopt);
  f.window->newMailbox();
  f.prompts.names.push_back(QString("x@example.org"));
  f.prompts.servers.push_back(std::nullopt);
  f.window->newMailbox();
  QVERIFY(f.settings.mailboxes.empty());
  QCOMPARE(f.window->mailboxList()->count(), 0);
}

void MailpumpWindowTest::editAndRenameMoveTheEntryToTheEndSelected() {
  Fixture f;
  f.settings.mailboxes = {box("a"), box("b"), box("c")};
  f.open();
  QListWidget* list = f.window->mailboxList();

  list->setCurrentRow(0);
  f.prompts.servers.push_back(MailboxRecord{"", "new.example.org", "acct", "pw2", 995});
  f.window->editMailbox();
  QCOMPARE(listNames(*f.window), QStringList({"b", "c", "a"}));
  QCOMPARE(recordNames(f.settings), listNames(*f.window));
  QCOMPARE(f.settings.mailboxes[2], (MailboxRecord{"a", "new.example.org", "acct", "pw2", 995}));
  QCOMPARE(list->currentRow(), 2);
  QVERIFY(list->currentItem()->isSelected());

  list->setCurrentRow(0);
  f.prompts.names.push_back(QString("b2"));
  f.window->renameMailbox();
  QCOMPARE(f.prompts.shownNames, QStringList({"b"}));
  QCOMPARE(listNames(*f.window), QStringList({"c", "a", "b2"}));
  QCOMPARE(recordNames(f.settings), listNames(*f.window));
  QCOMPARE(f.settings.mailboxes[2].server, std::string("pop.example.org"));
  QCOMPARE(list->currentRow(), 2);

  // Cancel changes nothing, not even the order.
  list->setCurrentRow(0);
  f.window->editMailbox();
  f.window->renameMailbox();
  QCOMPARE(listNames(*f.window), QStringList({"c", "a", "b2"}));

  // With two entries of one name, the selected one is the one edited.
  Fixture twin;
  twin.settings.mailboxes = {box("same", "one"), box("same", "two")};
  twin.open();
  twin.window->mailboxList()->setCurrentRow(1);
  twin.prompts.servers.push_back(MailboxRecord{"", "three", "sign", "secret", 110});
  twin.window->editMailbox();
  QCOMPARE(twin.settings.mailboxes[0].server, std::string("one"));
  QCOMPARE(twin.settings.mailboxes[1].server, std::string("three"));
}

void MailpumpWindowTest::commandsWithoutSelectionAreRefused() {
  Fixture f;
  f.settings.mailboxes = {box("a")};
  f.open();
  f.window->mailboxList()->clearSelection();
  f.window->editMailbox();
  f.window->renameMailbox();
  f.window->removeMailbox();
  QCOMPARE(f.prompts.warnings, QStringList({fromCp1252(receiver::ui::texts::kSelectToModify),
                                            fromCp1252(receiver::ui::texts::kSelectToRename),
                                            fromCp1252(receiver::ui::texts::kSelectToRemove)}));
  QCOMPARE(f.settings.mailboxes.size(), size_t{1});
}

void MailpumpWindowTest::removeAsksFirst() {
  Fixture f;
  f.settings.mailboxes = {box("a"), box("b")};
  f.open();
  f.window->mailboxList()->setCurrentRow(0);
  f.prompts.yesNo = {false, true};
  f.window->removeMailbox();
  QCOMPARE(listNames(*f.window), QStringList({"a", "b"}));
  f.window->removeMailbox();
  QCOMPARE(listNames(*f.window), QStringList({"b"}));
  QCOMPARE(recordNames(f.settings), QStringList({"b"}));
  QCOMPARE(f.prompts.questions.front(), fromCp1252(receiver::ui::texts::kPromptTitle) + "|" +
                                            fromCp1252(receiver::ui::texts::kConfirmRemove));
}

void MailpumpWindowTest::pop3DialogRefusesBlankServerAndAccount() {
  receiver::ui::CPop3ServerDialog dialog(MailboxRecord{});
  QCOMPARE(dialog.portField()->value(), 110);
  QCOMPARE(dialog.passwordField()->echoMode(), QLineEdit::Password);
  QCOMPARE(dialog.refusal(), fromCp1252(receiver::texts::kServerBlank));

  // OK with a blank field shows the refusal and keeps the dialog open.
  QString shown;
  QTimer::singleShot(0, [&shown] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->text();
      box->accept();
    }
  });
  dialog.accept();
  QCOMPARE(shown, fromCp1252(receiver::texts::kServerBlank));
  QCOMPARE(dialog.result(), int(QDialog::Rejected));

  dialog.serverField()->setText("pop.example.org");
  QCOMPARE(dialog.refusal(), fromCp1252(receiver::texts::kAccountBlank));
  dialog.accountField()->setText("sign");
  // A password Windows-1252 cannot hold would be sent as '?': refused where it is typed.
  dialog.passwordField()->setText(QString::fromUtf8("zł"));
  QCOMPARE(dialog.refusal(), fromCp1252(receiver::texts::kPasswordNotCp1252));
  dialog.passwordField()->setText(QString::fromUtf8("Grüße"));
  QVERIFY(dialog.refusal().isEmpty());
  dialog.passwordField()->clear();
  dialog.accept();
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  MailboxRecord stored{"kept", "", "", "", 0};
  dialog.store(&stored);
  QCOMPARE(stored, (MailboxRecord{"kept", "pop.example.org", "sign", "", 110}));
}

void MailpumpWindowTest::pop3DialogChoosesTlsAndExitKeepsIt() {
  const auto pick = [](receiver::ui::CPop3ServerDialog& dialog, int index) {
    dialog.tlsList()->setCurrentIndex(index);
    emit dialog.tlsList()->activated(index);
  };
  receiver::ui::CPop3ServerDialog dialog(MailboxRecord{"n", "pop.example.org", "sign", "pw", 110});
  QCOMPARE(dialog.tlsList()->itemText(0), QStringLiteral("TLS required"));
  QCOMPARE(dialog.tlsList()->currentIndex(), 1);
  dialog.portField()->setValue(995);  // POP3S: TLS from the first byte is proposed
  QCOMPARE(dialog.tlsList()->currentIndex(), 0);
  MailboxRecord stored;
  dialog.store(&stored);
  QCOMPARE(stored.tls, mail::TlsChoice{});  // never picked: follows the port
  pick(dialog, 2);
  dialog.portField()->setValue(110);
  dialog.portField()->setValue(995);
  QCOMPARE(dialog.tlsList()->currentIndex(), 2);

  testing_support::TempDir dir;
  const QString missing = QString::fromStdString(dir.file("none.pem"));
  dialog.caFileField()->setText(missing);
  QCOMPARE(dialog.refusal(), "The CA file " + missing + " cannot be read.");
  testing_support::writeFile(dir.file("ca.pem"), "PEM");
  dialog.caFileField()->setText(QString::fromStdString(dir.file("ca.pem")));
  QVERIFY(dialog.refusal().isEmpty());
  dialog.store(&stored);
  QCOMPARE(stored.tls, (mail::TlsChoice{platform::TlsPolicy::kPlain, dir.file("ca.pem")}));

  // The window keeps the choice in mailpump.ini at exit.
  Fixture f;
  f.open(/*trayAvailable=*/true);
  f.window->start();
  f.prompts.names.push_back(QString("signs@example.org"));
  MailboxRecord typed{"", "pop.example.org", "sign", "pw", 995};
  typed.tls = {platform::TlsPolicy::kRequired, ""};
  f.prompts.servers.push_back(typed);
  f.window->newMailbox();
  f.window->exitProgram();
  const platform::ProfileFile profile(f.paths.profileFile());
  QCOMPARE(mail::readTlsChoice(profile, "signs@example.org"), typed.tls);
}

void MailpumpWindowTest::trayCommandsShowAndHide() {
  Fixture f;
  f.open(/*trayAvailable=*/true);
  CMailpumpWindow& w = *f.window;
  receiver::ui::CTrayIcon* tray = w.trayIcon();
  QCOMPARE(tray->toolTip(), fromCp1252(receiver::ui::texts::kTrayTip));
  QCOMPARE(tray->menu()->defaultAction(), tray->showAction());
  w.start();
  QVERIFY(w.isVisible());

  tray->hideAction()->trigger();
  QVERIFY(!w.isVisible());
  QVERIFY(w.isHiddenInTray());
  tray->showAction()->trigger();
  QVERIFY(w.isVisible());
  QVERIFY(!w.isHiddenInTray());

  // The close box hides; only Exit ends.
  QVERIFY(!w.close());
  QVERIFY(!w.isVisible());
  QVERIFY(w.isHiddenInTray());
  QVERIFY(!w.hasExited());

  QSignalSpy exited(&w, &CMailpumpWindow::exited);
  tray->exitAction()->trigger();
  QCOMPARE(exited.count(), 1);
  QVERIFY(w.hasExited());
  QVERIFY(!tray->isShown());
}

void MailpumpWindowTest::closeWithoutTrayMinimisesAndKeepsRunning() {
  Fixture f;
  f.open(/*trayAvailable=*/false);
  CMailpumpWindow& w = *f.window;
  w.start();
  QVERIFY(!w.close());
  QVERIFY(w.isVisible());  // Still on the task bar, so it can be found again.
  QVERIFY(w.isMinimized());
  QVERIFY(w.isHiddenInTray());
  QVERIFY(!w.hasExited());
  w.showMe();
  QVERIFY(!w.isMinimized());
  QVERIFY(!w.isHiddenInTray());
}

void MailpumpWindowTest::exitSavesSettingsAndHiddenFlag() {
  Fixture f;
  f.settings.comPort = 4;
  f.open(/*trayAvailable=*/true);
  f.window->start();
  f.prompts.names.push_back(QString("signs@example.org"));
  f.prompts.servers.push_back(MailboxRecord{"", "pop.example.org", "sign", "pw", 110});
  f.window->newMailbox();
  f.window->selfReceivingBox()->click();
  f.window->intervalField()->setValue(90);
  f.window->hideMe();
  f.window->exitProgram();

  ReceiverSettings saved;
  QVERIFY(receiver::loadSettingsFile(f.paths.settingsFile(), &saved).ok());
  ReceiverSettings expected;
  expected.selfReceiving = true;
  expected.pollIntervalSeconds = 90;
  expected.comPort = 4;
  expected.mailboxes = {MailboxRecord{"signs@example.org", "pop.example.org", "sign", "pw", 110}};
  QVERIFY(saved == expected);
  QCOMPARE(isMinimizeIn(f.paths), 1);
  // The interval counts from the next start.
  QCOMPARE(f.window->pollPeriod(), 10000);
}

void MailpumpWindowTest::hiddenAtLastExitHidesAgainAfterStart() {
  Fixture f;
  platform::ProfileFile(f.paths.profileFile())
      .writeInt(receiver::ui::kProgramStatusSection, receiver::ui::kIsMinimizeKey, 1);
  f.open(/*trayAvailable=*/true);
  f.window->start();
  QVERIFY(f.window->isVisible());
  QTRY_VERIFY_WITH_TIMEOUT(!f.window->isVisible(), 2000);
  QVERIFY(f.window->isHiddenInTray());
  f.window->showMe();
  f.window->exitProgram();
  QCOMPARE(isMinimizeIn(f.paths), 0);
}

void MailpumpWindowTest::portListFollowsTheProfileMapping() {
  Fixture f;
  testing_support::writeFile(f.paths.profileFile(),
                             "[Ports]\r\nCOM3=/dev/null\r\nCOM7=/dev/null\r\nCOM60=/dev/null\r\n");
  f.settings.comPort = 7;
  f.open();
  QComboBox* ports = f.window->portList();
  QCOMPARE(ports->currentText(), QString("COM7"));
  QVERIFY(ports->findText("COM3") >= 0);
  QCOMPARE(ports->findText("COM60"), -1);  // Beyond the ports offered.
  f.window->choosePort(ports->findText("COM3"));
  QCOMPARE(f.settings.comPort, 3);

  // A saved port whose device is not there now is still the one shown: files go to it.
  Fixture unplugged;
  testing_support::writeFile(
      unplugged.paths.profileFile(),
      "[Ports]\r\nCOM3=/dev/null\r\nCOM7=" + unplugged.dir.file("none") + "\r\n");
  unplugged.settings.comPort = 7;
  unplugged.open();
  QCOMPARE(unplugged.window->portList()->currentText(), QString("COM7"));
  QCOMPARE(unplugged.settings.comPort, 7);
}

void MailpumpWindowTest::autorunWritesAndRemovesTheEntry() {
  testing_support::TempDir config;
  const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path()));
  const std::string entry = config.path() + "/autostart/mailpump.desktop";

  Fixture f;
  f.open();
  f.window->autorunBox()->click();
  QVERIFY(f.settings.autostart);
  const std::string text = testing_support::readFile(entry);
  QVERIFY2(
      text.find("\nExec=/opt/varnel/bin/mailpump --data-dir " + f.dir.path()) != std::string::npos,
      text.c_str());

  f.window->autorunBox()->click();
  QVERIFY(!f.settings.autostart);
  QVERIFY(!platform::pathExists(entry));

  // An entry that cannot be written leaves the box clear and says why.
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(entry + "/not-a-dir"));
  testing_support::writeFile(entry, "x");
  f.window->autorunBox()->click();
  QVERIFY(!f.window->autorunBox()->isChecked());
  QVERIFY(!f.settings.autostart);
  QVERIFY(!f.window->statusLine()->text().isEmpty());

  if (oldConfig.isNull())
    qunsetenv("XDG_CONFIG_HOME");
  else
    qputenv("XDG_CONFIG_HOME", oldConfig);
}

void MailpumpWindowTest::cycleStatusReachesTheWindow() {
  Fixture f;
  f.settings.mailboxes = {box("a"), box("b")};
  f.open();
  f.window->setGroupCaption("Receive Result-b");
  f.window->selectMailbox(1);
  f.window->selectMailbox(9);  // A list shortened during the cycle.
  QCOMPARE(f.window->resultGroup()->title(), QString("Receive Result-b"));
  QCOMPARE(f.window->mailboxList()->currentRow(), 1);

  Fixture empty;
  empty.open();
  empty.window->receiveButton()->click();
  QCOMPARE(empty.window->statusLine()->text(), fromCp1252(receiver::texts::kNoMailbox));
}

void MailpumpWindowTest::pollTickRunsACycleOnlyWhileSelfReceiving() {
  Fixture f;  // No mailbox: a cycle says so at once.
  f.open();
  f.window->start();
  f.window->onPollTimer();
  QCOMPARE(f.window->statusLine()->text(), fromCp1252(receiver::texts::kSelfReceivingOff));
  f.window->selfReceivingBox()->click();
  f.window->onPollTimer();
  QCOMPARE(f.window->statusLine()->text(), fromCp1252(receiver::texts::kNoMailbox));
}

void MailpumpWindowTest::exitDuringACycleEndsItPromptly() {
  // A server that takes the connection and never greets: the cycle waits on its guard.
  QTcpServer silent;
  QVERIFY(silent.listen(QHostAddress::LocalHost));
  silent.pauseAccepting();
  Fixture f;
  f.settings.mailboxes = {{"mute", "127.0.0.1", "sign", "pw", silent.serverPort()}};
  f.open();
  QTimer::singleShot(200, f.window.get(), [&f] { f.window->exitProgram(); });
  const auto start = std::chrono::steady_clock::now();
  f.window->receiveButton()->click();
  QVERIFY(std::chrono::steady_clock::now() - start < std::chrono::seconds(2));
}

void MailpumpWindowTest::unreadableSettingsFileIsKeptBeforeItIsRewritten() {
  Fixture f;
  const std::string foreign = "settings of another program, not ours";
  testing_support::writeFile(f.paths.settingsFile(), foreign);
  receiver::ui::WindowOptions options;
  options.prompts = &f.prompts;
  options.settingsLoad = platform::Status::notOurFile("not ours");
  CMailpumpWindow window(f.settings, f.paths, options);
  window.exitProgram();
  QCOMPARE(testing_support::readFile(f.paths.settingsFile() + ".unreadable"), foreign);
  ReceiverSettings saved;
  QVERIFY(receiver::loadSettingsFile(f.paths.settingsFile(), &saved).ok());
}

void MailpumpWindowTest::secondStartBringsTheFirstForwardAndEnds() {
  testing_support::TempDir dir;
  const receiver::ReceiverPaths paths(dir.path());
  QVERIFY(receiver::saveSettingsFile(paths.settingsFile(), ReceiverSettings{}).ok());
  // Hidden at the last exit: the first start hides its window, the second must bring it back.
  platform::ProfileFile(paths.profileFile())
      .writeInt(receiver::ui::kProgramStatusSection, receiver::ui::kIsMinimizeKey, 1);
  const QStringList args = {"--data-dir", QString::fromStdString(dir.path())};

  QProcess first;
  first.start(mailpumpPath(), args);
  QVERIFY(first.waitForStarted());
  const QString server =
      receiver::ui::SingleInstance::serverName(QString::fromStdString(dir.path()));
  QTRY_VERIFY_WITH_TIMEOUT(
      [&server] {
        QLocalSocket probe;
        probe.connectToServer(server);
        return probe.waitForConnected(100);
      }(),
      10000);
  QTest::qWait(300);  // Past the hide after start.

  QProcess second;
  second.start(mailpumpPath(), args);
  QVERIFY(second.waitForFinished(15000));
  QCOMPARE(second.exitStatus(), QProcess::NormalExit);
  QCOMPARE(second.exitCode(), 0);
  QCOMPARE(first.state(), QProcess::Running);

  // SIGTERM runs the exit sequence: the window was shown again, so it is not hidden any more.
  QTest::qWait(300);
  ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
  QVERIFY(first.waitForFinished(15000));
  QCOMPARE(first.exitCode(), 0);
  QCOMPARE(isMinimizeIn(paths), 0);
  QVERIFY(platform::pathExists(paths.saveDir()));
  QVERIFY(platform::pathExists(paths.logDir()));
}

// Saves the window as the README shows it when MAILPUMP_WINDOW_PNG names the file.
void MailpumpWindowTest::pictureForTheReadme() {
  const QString png = qEnvironmentVariable("MAILPUMP_WINDOW_PNG");
  if (png.isEmpty()) QSKIP("MAILPUMP_WINDOW_PNG not set");
  Fixture f;
  f.settings.selfReceiving = true;
  f.settings.pollIntervalSeconds = 60;
  f.settings.mailboxes = {box("signs@example.org"), box("lobby-sign@example.org")};
  testing_support::writeFile(f.paths.profileFile(), "[Ports]\r\nCOM1=/dev/null\r\n");
  f.open();
  f.window->start();
  f.window->mailboxList()->setCurrentRow(0);
  f.window->setGroupCaption("Receive Result-signs@example.org");
  f.window->showStatus("Receiving status 2/3(5120 Bytes)");
  f.window->setProgressRange(5120);
  f.window->setProgress(3400);
  QTest::qWait(50);
  QVERIFY(f.window->grab().save(png));

  // The POP3 dialog beside it, filled in.
  receiver::ui::CPop3ServerDialog dialog(f.settings.mailboxes.front());
  dialog.show();
  QTest::qWait(50);
  QString dialogPng = png;
  dialogPng.replace(".png", "_pop3.png");
  QVERIFY(dialog.grab().save(dialogPng));
}

QTEST_MAIN(MailpumpWindowTest)
#include "mailpump_window_test.moc"
