// Sending from varnel's window as the user does it: a menu command, "Send option...", the progress
// window and the results, against signs on loopback TCP and on pseudo-terminals. The send's pauses
// run on a fake clock whose every wait still processes Qt's events.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QTest>

#include "addressbook/address_book.h"
#include "app/ui/font_colour_bar.h"
#include "app/ui/main_frame.h"
#include "app/ui/send_station.h"
#include "app/ui/varnel_app.h"
#include "app/ui/varnel_view.h"
#include "i18n/dialog_controls.h"
#include "i18n/menu_texts.h"
#include "i18n/ui/qt_language_targets.h"
#include "platform/atomic_file.h"
#include "signlink/sign_stream.h"
#include "signlink/stream_units.h"
#include "signlink/ui/dial_up_window.h"
#include "signlink/ui/send_progress_window.h"
#include "tests/qt_send/send_station_fixture.h"
#include "tests/qt_varnel/modal_script.h"
#include "tests/signlink_serial/fake_modem.h"
#include "tests/support/tcp_sign.h"

using send_testing::choose;
using send_testing::device;
using send_testing::sameExceptTime;
using send_testing::site;
using send_testing::Station;
using send_testing::transmitted;

int runMailSendTests(int argc, char** argv);
int runSendExitTests(int argc, char** argv);

namespace {

addressbook::CAddressBook twoWiresAndANetwork(uint16_t networkPort) {
  addressbook::CAddressBook book;
  book.devices = {device("Wire3", addressbook::DeviceType::kSerial, 3),
                  device("Wire4", addressbook::DeviceType::kSerial, 4),
                  device("Net", addressbook::DeviceType::kTcpIp, 0)};
  book.devices[2].ipPort = networkPort;
  book.devices[2].tcpTimeout = 2;
  book.sites = {site("Shop", "Wire3", "1,3"), site("Depot", "Wire4", "5-6"),
                site("Tower", "Net", "1,3", "signs")};
  book.groups = {{"Both", {"Shop", "Depot"}}};
  book.tcpIpGroups = {{"signs", "127.0.0.1"}};
  return book;
}

}  // namespace

class SendWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void workspaceToANetworkSiteIsWhatExportWrites();
  void workspaceToASerialSiteRemembersTheChoice();
  void testAndClearMemoryReachBothSitesOfAGroup();
  void sendSavedDataFileLoadsTheChosenFileFirst();
  void blankWorkspaceAsksAndCancelSendsNothing();
  void aRunningSendRefusesASecondAndTheWindowsClose();
  void modemSiteShowsTheDialUpWindowWhileDialling();
  void signSettingsOfALoadedFileRuleTheBarAndNew();
};

void SendWindowsTest::workspaceToANetworkSiteIsWhatExportWrites() {
  testing_support::TcpSign sign;
  Station s(twoWiresAndANetwork(sign.port()));
  QVERIFY(s.frame != nullptr);
  const std::string path = s.typeAndSave("HELLO", "hello.SDV");
  QString results;
  ModalScript script;
  script.then(choose(false, "Tower")).then(ModalScript::answer(QMessageBox::Ok, &results));
  s.frame->runCommand(i18n::ID_SEND_WORKSPACE);
  QCOMPARE(script.pending(), size_t{0});
  QCOMPARE(results, QStringLiteral("Sent to 1 of 1 destinations:\n(1/1) TCP-IP:signs To:1,3 "
                                   "addr. send successfully,"));
  const auto units = s.exported(path, "1,3");
  QTRY_VERIFY_WITH_TIMEOUT(sameExceptTime(sign.received(), units), 2000);
  QCOMPARE(sign.connections(), 1);
}

void SendWindowsTest::workspaceToASerialSiteRemembersTheChoice() {
  Station s(twoWiresAndANetwork(1));
  QVERIFY(s.frame != nullptr);
  const std::string path = s.typeAndSave("SALE 50%", "sale.SDV");
  s.wire3.startCollecting();
  ModalScript script;
  script.then(choose(false, "Shop")).then(ModalScript::accept());
  s.frame->runCommand(i18n::ID_SEND_WORKSPACE);
  QTest::qWait(50);
  const std::string received = s.wire3.stopCollecting();
  QVERIFY(sameExceptTime(received, s.exported(path, "1,3")));

  // The next "Send option..." opens on the same site.
  QString selected;
  script.then([&selected](QWidget* w) {
    selected =
        qobject_cast<QComboBox*>(i18n::ui::findControl(w, i18n::kIdSendTargetList))->currentText();
    qobject_cast<QDialog*>(w)->reject();
  });
  s.frame->runCommand(i18n::ID_SEND_TEST);
  QCOMPARE(selected, QStringLiteral("Shop"));
}

void SendWindowsTest::testAndClearMemoryReachBothSitesOfAGroup() {
  Station s(twoWiresAndANetwork(1));
  QVERIFY(s.frame != nullptr);
  for (const int command : {i18n::ID_SEND_TEST, i18n::ID_SEND_CLEAR_MEMORY}) {
    s.wire3.startCollecting();
    s.wire4.startCollecting();
    QString results;
    ModalScript script;
    script.then(choose(true, "Both")).then(ModalScript::answer(QMessageBox::Ok, &results));
    s.frame->runCommand(command);
    QTest::qWait(50);
    const bool test = command == i18n::ID_SEND_TEST;
    QCOMPARE(s.wire3.stopCollecting(),
             transmitted(test ? signlink::buildTestStream({1, 3})
                              : signlink::buildClearMemoryStream({1, 3})));
    QCOMPARE(s.wire4.stopCollecting(),
             transmitted(test ? signlink::buildTestStream({5, 6})
                              : signlink::buildClearMemoryStream({5, 6})));
    QVERIFY2(results.startsWith(QStringLiteral("Sent to 2 of 2 destinations:")),
             qPrintable(results));
  }
  QCOMPARE(s.frame->document().lineCount(), 0);  // the workspace is not touched
}

void SendWindowsTest::sendSavedDataFileLoadsTheChosenFileFirst() {
  Station s(twoWiresAndANetwork(1));
  QVERIFY(s.frame != nullptr);
  const std::string saved = s.typeAndSave("OPEN", "open.SDV");
  s.frame->runCommand(i18n::ID_FILE_NEW);
  QTest::keyClicks(s.frame->view(), "DRAFT");  // modified, never saved
  s.frame->view()->setFileChooser(
      [&saved](app::ui::CVarnelView::FileDialogKind) { return QString::fromStdString(saved); });
  s.wire3.startCollecting();
  QString question;
  ModalScript script;
  script.then(ModalScript::answer(QMessageBox::No, &question))
      .then(choose(false, "Shop"))
      .then(ModalScript::accept());
  s.frame->runCommand(i18n::ID_SEND_SAVED_FILE);
  QTest::qWait(50);
  const std::string received = s.wire3.stopCollecting();
  QVERIFY(question.startsWith(QStringLiteral("You are about to open a new data file")));
  QCOMPARE(s.frame->document().path(), saved);
  QVERIFY(!s.frame->document().isModified());
  QVERIFY(sameExceptTime(received, s.exported(saved, "1,3")));
}

void SendWindowsTest::blankWorkspaceAsksAndCancelSendsNothing() {
  Station s(twoWiresAndANetwork(1));
  QVERIFY(s.frame != nullptr);
  QString question;
  ModalScript script;
  script.then(ModalScript::answer(QMessageBox::Cancel, &question));
  s.frame->runCommand(i18n::ID_SEND_WORKSPACE);
  QCOMPARE(script.pending(), size_t{0});
  QVERIFY(question.startsWith(QStringLiteral("The current message workspace is blank")));
  QVERIFY(QApplication::activeModalWidget() == nullptr);  // no "Send option..." followed
}

void SendWindowsTest::aRunningSendRefusesASecondAndTheWindowsClose() {
  Station s(twoWiresAndANetwork(1));
  QVERIFY(s.frame != nullptr);
  s.wire3.startCollecting();
  s.wire4.startCollecting();
  QString second, stop, results;
  QPointer<QWidget> progress;
  s.pump.onDispatch = [&](int call) {
    if (call == 2) {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<signlink::ui::CSendProgressWindow*>(w) && w->isVisible()) progress = w;
      }
      QVERIFY(progress);
      s.frame->runCommand(i18n::ID_SEND_TEST);  // refused
      if (progress) progress->close();          // asks to stop after this destination
    }
    QCoreApplication::processEvents();
  };
  ModalScript script;
  script.then(choose(true, "Both"))
      .then(ModalScript::answer(QMessageBox::Ok, &second))
      .then(ModalScript::answer(QMessageBox::Yes, &stop))
      .then(ModalScript::answer(QMessageBox::Ok, &results));
  s.frame->runCommand(i18n::ID_SEND_CLEAR_MEMORY);
  s.wire3.stopCollecting();
  QCOMPARE(s.wire4.stopCollecting(), std::string());  // stopped before the second site
  QCOMPARE(second, QStringLiteral("A transmission is running.Please wait until it has finished."));
  QVERIFY(s.frame->isVisible());
  QCOMPARE(stop, QStringLiteral("Stop the transmission after the current destination?"));
  QVERIFY2(results.contains(QStringLiteral("(2/2) COM port:COM4 To:5-6 addr. not sent")),
           qPrintable(results));
  QVERIFY(!progress);  // closed and gone
  QVERIFY(!s.frame->sending());
}

void SendWindowsTest::modemSiteShowsTheDialUpWindowWhileDialling() {
  addressbook::CAddressBook book = twoWiresAndANetwork(1);
  book.devices.push_back(device("Phone", addressbook::DeviceType::kModem, 4));
  book.sites.push_back(site("Farm", "Phone", "2"));
  book.sites.back().phoneNumber = "5551234";
  book.devices.push_back(device("Inside", addressbook::DeviceType::kModem, 4));
  book.devices.back().modemKind = addressbook::kInternalModem;
  book.devices.back().modemName = "Ghost";  // not among the installed modems
  book.sites.push_back(site("Barn", "Inside", "2"));
  book.sites.back().phoneNumber = "5559876";
  Station s(book);
  QVERIFY(s.frame != nullptr);
  serial_testing::PeerPump pump;
  serial_testing::FakeModem modem(s.wire4, pump);
  bool shownWhileDialling = false;
  QString number;
  pump.onDispatch = [&] {
    auto* window = s.frame->sendStation().dialUpWindow();
    if (window && window->isVisible()) {
      shownWhileDialling = true;
      number = window->numberBox()->currentText();
    }
    QCoreApplication::processEvents();
  };
  s.frame->setSendPump(&pump);  // before the first send makes the station
  QString results;
  ModalScript script;
  script.then(choose(false, "Farm")).then(ModalScript::answer(QMessageBox::Ok, &results));
  s.frame->runCommand(i18n::ID_SEND_TEST);
  QVERIFY(shownWhileDialling);
  QCOMPARE(number, QStringLiteral("5551234"));
  QVERIFY(!s.frame->sendStation().dialUpWindow()->isVisible());
  QVERIFY2(
      results.contains(QStringLiteral("Modem:,phone no:5551234 To:2 addr. send successfully,")),
      qPrintable(results));
  const std::string line = modem.received();
  QVERIFY(line.find("ATDT5551234\r") != std::string::npos);
  QVERIFY(line.find(transmitted(signlink::buildTestStream({2}))) != std::string::npos);
  QVERIFY(line.find("ATH0\r") != std::string::npos);  // hung up afterwards

  // An internal modem that is not installed has no port.
  QString portError, dialError;
  script.then(choose(false, "Barn"))
      .then(ModalScript::answer(QMessageBox::Ok, &portError))
      .then(ModalScript::answer(QMessageBox::Ok, &dialError))
      .then(ModalScript::answer(QMessageBox::Ok, &results));
  s.frame->runCommand(i18n::ID_SEND_TEST);
  QCOMPARE(portError, QStringLiteral("Get modem comport error"));
  QCOMPARE(dialError, QStringLiteral("Dial up error"));
  QVERIFY(!s.frame->sendStation().dialUpWindow()->isVisible());
}

void SendWindowsTest::signSettingsOfALoadedFileRuleTheBarAndNew() {
  Station s(twoWiresAndANetwork(1));  // set up as an 80-pixel monochrome sign
  QVERIFY(s.frame != nullptr);
  QCOMPARE(s.frame->fontColourBar()->colourList()->count(), 2);
  workspace::Workspace wide;
  wide.signWidth = 160;
  wide.colourMode = 2;
  wide.lines.resize(1);
  wide.lines[0].elements.push_back({'W', 5, 2, 0});
  const std::string path = s.dir.file("wide.SDV");
  QVERIFY(workspace::saveWorkspaceFile(path, wide).ok());
  QVERIFY(s.frame->view()->openDocument(QString::fromStdString(path)));
  QCOMPARE(s.frame->fontColourBar()->colourList()->count(), 16);
  s.frame->runCommand(i18n::ID_FILE_NEW);
  QCOMPARE(s.frame->document().workspace().signWidth, 160);
  QCOMPARE(s.frame->document().workspace().colourMode, 2);
  QCOMPARE(s.frame->fontColourBar()->colourList()->count(), 16);
}

int main(int argc, char** argv) {
  if (argc >= 3 && std::string(argv[1]) == kDiallingVarnelFlag)
    return runDiallingVarnel(argc, argv);
  QApplication app(argc, argv);
  SendWindowsTest test;
  const int failed = QTest::qExec(&test, argc, argv);
  return failed + runMailSendTests(argc, argv) + runSendExitTests(argc, argv) == 0 ? 0 : 1;
}

#include "send_windows_test.moc"
