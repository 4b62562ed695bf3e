// Ending varnel while it dials a modem that never answers: File > Exit in the window, and a stop
// signal to the program itself. Either ends the send within 2 s, without a box that waits for an
// answer, and the modem is told to hang up.

#include <signal.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include "addressbook/address_book.h"
#include "app/ui/main_frame.h"
#include "app/ui/send_station.h"
#include "app/ui/varnel_app.h"
#include "i18n/menu_texts.h"
#include "platform/profile_file.h"
#include "signlink/ui/dial_up_window.h"
#include "tests/qt_send/send_station_fixture.h"
#include "tests/qt_varnel/modal_script.h"
#include "tests/signlink_serial/fake_modem.h"

using send_testing::choose;
using send_testing::device;
using send_testing::site;
using send_testing::Station;

namespace {

constexpr char kDialCommand[] = "ATDT5551234\r";
constexpr char kHangUpCommand[] = "ATH0\r";
constexpr int kPromptMs = 2000;  // Exit and a stop signal are honoured within this.

// A sign on COM3 and a site on a modem at COM4 (dialled 5551234, waiting up to 10 minutes for
// the call), grouped with the COM3 sign after it.
addressbook::CAddressBook modemBook() {
  addressbook::CAddressBook book;
  book.devices = {device("Wire3", addressbook::DeviceType::kSerial, 3),
                  device("Phone", addressbook::DeviceType::kModem, 4)};
  book.devices[1].dialTimeout = 600;
  book.sites = {site("Shop", "Wire3", "1,3"), site("Farm", "Phone", "2")};
  book.sites[1].phoneNumber = "5551234";
  book.groups = {{"Calls", {"Farm", "Shop"}}};
  return book;
}

// Reads the modem's side of `line` until `text` has come or `timeoutMs` passed.
std::string readUntil(testing_support::PtyPair& line, const std::string& text, int timeoutMs) {
  std::string read;
  QElapsedTimer waited;
  waited.start();
  while (read.find(text) == std::string::npos && waited.elapsed() < timeoutMs)
    read += line.readMaster(64, 20);
  return read;
}

}  // namespace

class SendExitTest : public QObject {
  Q_OBJECT

 private slots:
  void exitDuringADialHangsUpAndClosesWithinTwoSeconds();
  void stopSignalDuringADialEndsTheProgramWithinTwoSeconds();
};

void SendExitTest::exitDuringADialHangsUpAndClosesWithinTwoSeconds() {
  Station s(modemBook());
  QVERIFY(s.frame != nullptr);
  s.wire3.startCollecting();
  serial_testing::PeerPump pump;
  serial_testing::FakeModem modem(s.wire4, pump);
  modem.dialReply = "";  // The far end never answers.
  uint64_t exitAt = 0;
  QElapsedTimer sinceExit;
  pump.onDispatch = [&] {
    if (exitAt == 0 && modem.received().find(kDialCommand) != std::string::npos) {
      exitAt = pump.tickMs();
      sinceExit.start();
      s.frame->runCommand(i18n::ID_FILE_EXIT);
    }
    QCoreApplication::processEvents();
  };
  s.frame->setSendPump(&pump);
  ModalScript script;
  script.then(choose(true, "Calls"));
  s.frame->runCommand(i18n::ID_SEND_TEST);
  QVERIFY(exitAt != 0);
  QVERIFY(sinceExit.elapsed() < kPromptMs);
  QVERIFY(pump.tickMs() - exitAt < kPromptMs);
  QVERIFY(!s.frame->sending());
  QVERIFY(!s.frame->isVisible());  // closed once the send had ended
  QCOMPARE(script.pending(), size_t{0});
  QVERIFY(QApplication::activeModalWidget() == nullptr);  // no error or results box is waiting
  QVERIFY(modem.received().find(kHangUpCommand) != std::string::npos);
  const QString status = s.frame->sendStation().dialUpWindow()->statusLabel()->text();
  QVERIFY2(status.contains(QStringLiteral("Dial up canceled by user!")), qPrintable(status));
  QCOMPARE(s.wire3.stopCollecting(), std::string());  // the group's next site was not sent
}

void SendExitTest::stopSignalDuringADialEndsTheProgramWithinTwoSeconds() {
  // varnel as a program (this test started again, see runDiallingVarnel), dialling on real time.
  testing_support::TempDir dir;
  testing_support::PtyPair wire3, wire4;
  platform::ProfileFile ini(dir.file("varnel.ini"));
  QVERIFY(ini.writeString("Ports", "COM3", wire3.slavePath()).ok());
  QVERIFY(ini.writeString("Ports", "COM4", wire4.slavePath()).ok());
  QVERIFY(modemBook().save(addressbook::sitePath(dir.path())).ok());
  wire3.startCollecting();
  QProcess varnel;
  varnel.setProcessChannelMode(QProcess::ForwardedChannels);
  varnel.start(QCoreApplication::applicationFilePath(),
               {kDiallingVarnelFlag, QString::fromStdString(dir.path())});
  QVERIFY(varnel.waitForStarted());
  std::string line = readUntil(wire4, kDialCommand, 20000);
  QVERIFY2(line.find(kDialCommand) != std::string::npos, line.c_str());
  QElapsedTimer sinceStop;
  sinceStop.start();
  ::kill(static_cast<pid_t>(varnel.processId()), SIGTERM);
  QVERIFY(varnel.waitForFinished(kPromptMs * 5));
  QVERIFY2(sinceStop.elapsed() < kPromptMs, qPrintable(QString::number(sinceStop.elapsed())));
  QCOMPARE(varnel.exitStatus(), QProcess::NormalExit);
  QCOMPARE(varnel.exitCode(), 0);
  line += wire4.drainMaster(100);
  QVERIFY(line.find(kHangUpCommand, line.find(kDialCommand)) != std::string::npos);
  QCOMPARE(wire3.stopCollecting(), std::string());  // the group's next site was not sent
}

int runDiallingVarnel(int argc, char** argv) {
  QApplication qapp(argc, argv);
  app::ui::CVarnelApp program(argv[2]);
  ModalScript script;
  script.then(ModalScript::accept());  // the setup dialog
  script.then(choose(true, "Calls"));
  // Once the main window is up: Send > Run Test Sequence, as the user chooses it.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &qapp, [&] {
    if (program.mainWindow() == nullptr || !program.mainWindow()->isVisible()) return;
    poll.stop();
    program.mainWindow()->runCommand(i18n::ID_SEND_TEST);
  });
  poll.start(10);
  return program.run({});
}

int runSendExitTests(int argc, char** argv) {
  SendExitTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "send_exit_test.moc"
