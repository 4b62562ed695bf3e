// A new user sets up every kind of destination through varnel's windows alone, on a fresh data
// directory: the address book varnel-cli then shows holds exactly what was entered, and the next
// start of varnel (a program of its own) shows it again in the same windows.

#include <QAction>
#include <QComboBox>
#include <QJsonDocument>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QTest>

#include "addressbook/address_book.h"
#include "addressbook/ui/tcp_group_address_dialog.h"
#include "app/ui/main_frame.h"
#include "app/ui/varnel_app.h"
#include "app/varnel_profile.h"
#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/menu_texts.h"
#include "modal_script.h"
#include "platform/profile_file.h"
#include "scripted_varnel.h"
#include "tests/qt_device_dialogs/dialog_steps.h"
#include "tests/support/pty_pair.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

using namespace dialog_steps;
using Step = std::function<void(QWidget*)>;

namespace {

// What varnel-cli shows for the book entered below: each record with the values typed, and for
// the rest what the dialog offered: the defaults, then the port choices the devices before it
// left ("Last…" keys), so Line keeps Net's IP port and Dialer Line's COM port.
constexpr char kExpectedBook[] = R"({
  "devices": [
    {"name": "Net", "type": 2, "comPort": 1, "ipPort": 6001, "baudRate": 2400, "modemKind": 2,
     "dialTimeout": 30, "tcpTimeout": 20, "modemName": "", "mailServer": ""},
    {"name": "Line", "type": 1, "comPort": 5, "ipPort": 6001, "baudRate": 9600, "modemKind": 2,
     "dialTimeout": 30, "tcpTimeout": 15, "modemName": "", "mailServer": ""},
    {"name": "Dialer", "type": 3, "comPort": 5, "ipPort": 6001, "baudRate": 57600,
     "modemKind": 1, "dialTimeout": 45, "tcpTimeout": 15, "modemName": "Hayes Optima 56K",
     "mailServer": ""}
  ],
  "sites": [
    {"name": "Depot", "device": "Net", "addresses": "1,3-4", "phone": "", "target": "Hall"}
  ],
  "groups": [],
  "tcpipGroups": [{"name": "Hall", "address": "127.0.0.1"}],
  "mailboxes": [{"name": "Office", "address": "office@example.com"}],
  "mailServers": [
    {"name": "Relay", "smtpServer": "smtp.example.com", "mailAddress": "sign@example.com",
     "smtpPort": 587, "needsAuth": 1, "account": "relay-user", "password": "relay-pass",
     "pop3Server": "pop.example.com", "pop3Account": "sign", "pop3Password": "secret",
     "pop3Port": 110, "usePop3Credentials": 0}
  ],
  "defaultDevice": "Net"
})";

// What the second start shows in the same windows, as the scripted program reports it.
const QStringList kShownAgain = {
    "Device Settings: Net,Line,Dialer (default Net)",
    "Edit Device:Line: COM5 9600",
    "TCP/IP Group Settings...: Hall<=>127.0.0.1",
    "Site Settings: Depot",
    "Edit Site:Depot: Net Hall 1,3-4",
    "Mail Server Settings: Relay",
    "Edit Mail Server:Relay: smtp.example.com 587",
    "Mailbox Settings: Office",
};

QJsonDocument parsed(const std::string& json) {
  return QJsonDocument::fromJson(QByteArray::fromStdString(json));
}

// Presses a list dialog's New or Close.
Step press(int id) {
  return [id](QWidget* w) { click(w, id); };
}

// Device Settings: New, a name, then Device Parameters filled by `fill`.
void newDevice(ModalScript& script, const QString& name, std::function<void(QWidget*)> fill) {
  script.then(press(i18n::kIdDeviceNew)).then(enterName(name)).then(fillAndAccept(fill));
}

void setUpDevices(ModalScript& script, QStringList* comPorts) {
  newDevice(script, "Net", [](QWidget* w) {
    click(w, i18n::kIdDeviceKindTcpIp);
    type(w, i18n::kIdDeviceIpPort, "6001");
    type(w, i18n::kIdDeviceTimeout, "20");
  });
  newDevice(script, "Line", [comPorts](QWidget* w) {
    QComboBox* ports = find<QComboBox>(w, i18n::kIdDeviceComPort);
    for (int i = 0; i < ports->count(); ++i)
      *comPorts << ports->itemText(i);
    choose(w, i18n::kIdDeviceComPort, "COM5");
    choose(w, i18n::kIdDeviceBaudRate, "9600");
  });
  newDevice(script, "Dialer", [](QWidget* w) {
    click(w, i18n::kIdDeviceKindModem);
    click(w, i18n::kIdDeviceInternalModem);
    choose(w, i18n::kIdDeviceModemList, "Hayes Optima 56K");
    choose(w, i18n::kIdDeviceBaudRate, "57600");
    type(w, i18n::kIdDeviceTimeout, "45");
  });
  script.then([](QWidget* w) {
    find<QListWidget>(w, i18n::kIdDeviceList)->setCurrentRow(0);
    click(w, i18n::kIdDeviceMakeDefault);
    click(w, i18n::kIdOk);
  });
}

void setUpTcpIpGroup(ModalScript& script) {
  script.then(press(i18n::kIdTcpGroupNew)).then(enterName("Hall")).then([](QWidget* w) {
    auto* dialog = qobject_cast<addressbook::ui::CTcpGroupAddressDialog*>(w);
    dialog->field()->setCursorPosition(0);
    QTest::keyClicks(dialog->field(), "127.0.0.1");
    dialog->accept();
  });
  script.then(press(i18n::kIdOk));
}

void setUpMail(ModalScript& script) {
  script.then(press(i18n::kIdMailListNew)).then(enterName("Relay")).then([](QWidget* w) {
    type(w, i18n::kIdMailServerAddress, "sign@example.com");
    type(w, i18n::kIdMailServerSmtpHost, "smtp.example.com");
    type(w, i18n::kIdMailServerSmtpPort, "587");
    type(w, i18n::kIdMailServerPop3Host, "pop.example.com");
    type(w, i18n::kIdMailServerPop3Account, "sign");
    type(w, i18n::kIdMailServerPop3Password, "secret");
    click(w, i18n::kIdMailServerNeedsAuth);
    click(w, i18n::kIdMailServerAuthSetup);  // the authentication dialog, then OK here
  });
  script.then(fillAndAccept([](QWidget* w) {
    click(w, i18n::kIdSmtpAuthOwnAccount);
    type(w, i18n::kIdSmtpAuthAccount, "relay-user");
    type(w, i18n::kIdSmtpAuthPassword, "relay-pass");
  }));
  script.then(ModalScript::accept()).then(press(i18n::kIdOk));
}

void setUpMailbox(ModalScript& script) {
  script.then(press(i18n::kIdMailListNew))
      .then(enterName("Office"))
      .then(enterName("office@example.com"))
      .then(press(i18n::kIdOk));
}

void setUpSite(ModalScript& script) {
  script.then(press(i18n::kIdSiteNew)).then(enterName("Depot")).then(fillAndAccept([](QWidget* w) {
    choose(w, i18n::kIdSiteDevice, "Net");
    choose(w, i18n::kIdSiteTargetList, "Hall");
    type(w, i18n::kIdSiteAddresses, "1,3-4");
  }));
  script.then(press(i18n::kIdOk));
}

// The lines the scripted program printed until it ended.
QStringList linesOf(QProcess& varnel) {
  QStringList lines;
  for (const QByteArray& line : varnel.readAllStandardOutput().split('\n'))
    if (!line.trimmed().isEmpty()) lines << QString::fromUtf8(line.trimmed());
  return lines;
}

}  // namespace

class EndToEndTest : public QObject {
  Q_OBJECT

 private slots:
  void aNewUserSetsUpEveryKindOfDestinationThroughTheWindows();
};

void EndToEndTest::aNewUserSetsUpEveryKindOfDestinationThroughTheWindows() {
  testing_support::TempDir dir;
  // The machine, not the address book: COM5 is a pseudo-terminal here, and one modem is installed.
  testing_support::PtyPair line;
  const platform::ProfileFile profile = varnel_profile::open(dir.path());
  QVERIFY(profile.writeString("Ports", "COM5", line.slavePath()).ok());
  testing_support::writeFile(dir.file("modems.ini"),
                             "[Modem0]\nModel=Hayes Optima 56K\nPort=COM3\nSpeed=115200\n");
  {
    app::ui::CVarnelApp program(dir.path());
    ModalScript script;
    script.then(ModalScript::accept());  // no site manage file yet
    script.then(ModalScript::accept());  // the setup dialog
    QVERIFY(program.startUp());
    app::ui::CMainFrame* frame = program.openMainWindow();
    QStringList comPorts;
    setUpDevices(script, &comPorts);
    frame->commandAction(i18n::ID_DEVICE_SETTINGS)->trigger();
    QVERIFY2(comPorts.contains("COM5"), qPrintable(comPorts.join(",")));
    setUpTcpIpGroup(script);
    frame->commandAction(i18n::ID_TCP_GROUP_SETTINGS)->trigger();
    setUpMail(script);
    frame->commandAction(i18n::ID_MAIL_SERVER_SETTINGS)->trigger();
    setUpMailbox(script);
    frame->commandAction(i18n::ID_MAILBOX_SETTINGS)->trigger();
    setUpSite(script);
    frame->commandAction(i18n::ID_SITE_SETTINGS)->trigger();
    QCOMPARE(script.pending(), size_t{0});
    frame->commandAction(i18n::ID_FILE_EXIT)->trigger();
    program.shutDown();
  }

  const testing_support::CommandResult shown =
      testing_support::runCli({"--data-dir", dir.path(), "book", "show", "--json"});
  QCOMPARE(shown.exitCode, 0);
  QVERIFY(parsed(kExpectedBook).isObject());
  QCOMPARE(parsed(shown.out), parsed(kExpectedBook));
  const std::string file = testing_support::readFile(addressbook::sitePath(dir.path()));

  QProcess varnel;
  varnel.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  varnel.start(QApplication::applicationFilePath(),
               {kScriptedVarnelFlag, QString::fromStdString(dir.path()), kShowBook});
  QVERIFY(varnel.waitForFinished(60000));
  QCOMPARE(varnel.exitStatus(), QProcess::NormalExit);
  QCOMPARE(varnel.exitCode(), 0);
  QCOMPARE(linesOf(varnel), kShownAgain);
  QVERIFY(testing_support::readFile(addressbook::sitePath(dir.path())) == file);
}

int runEndToEndTests(int argc, char** argv) {
  EndToEndTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "end_to_end_test.moc"
