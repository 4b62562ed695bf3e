// Device Settings, Device Parameters and Modem Info driven as the user drives them.

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>

#include "addressbook/address_book.h"
#include "app/ui/main_frame.h"
#include "app/ui/varnel_app.h"
#include "dialog_steps.h"
#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/language_module.h"
#include "i18n/menu_texts.h"
#include "modal_script.h"
#include "platform/profile_file.h"
#include "signlink/ui/device_parameters_dialog.h"
#include "signlink/ui/device_settings_dialog.h"
#include "signlink/ui/modem_info_dialog.h"
#include "tests/support/pty_pair.h"
#include "tests/support/temp_dir.h"

using addressbook::CDevice;
using addressbook::DeviceType;
using signlink::ui::CDeviceParametersDialog;
using signlink::ui::CDeviceSettingsDialog;
using namespace dialog_steps;

namespace {

const QString kSelectComPort =
    "Please select one comport at first.\nIf 'COM Port' list is empty, it is mean there aren't COM "
    "port in your computer!";
const QString kSelectBaud = "Please select one baud rate at first.";
const QString kSelectMailServer =
    "Please select one MAIL SERVER from MAIL SERVER list box.\nSelect menu 'Communication "
    "Settings>MAIL SERVER Settings...' to add one or more MAIL SERVER groups!";

// A fresh data directory with its language module, profile and address book.
struct Fixture {
  testing_support::TempDir dir;
  i18n::LanguageModule language{dir.path()};
  platform::ProfileFile profile{dir.file("varnel.ini")};
  addressbook::CAddressBook book;
  signlink::LastDeviceChoices last;
  int changes = 0;

  Fixture() { language.init(); }

  signlink::ui::DeviceDialogContext context() {
    return {book, [this] { ++changes; }, profile, last, signlink::ModemList(), language};
  }
};

bool shown(QWidget* dialog, int id) {
  return !i18n::ui::findControl(dialog, id)->isHidden();
}

// Presses OK on `dialog` and returns the refusal it showed ("" when it closed).
QString refusalOf(QDialog& dialog) {
  QString text;
  ModalScript script;
  script.then(ModalScript::answer(QMessageBox::Ok, &text));
  dialog.accept();
  return text;
}

}  // namespace

class DeviceDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void parametersShowOnlyTheControlsOfTheKind();
  void parametersRefuseWhatEachKindLacks();
  void settingsCreateATcpIpDeviceAndNeedADefaultToClose();
  void settingsRenameRemoveAndSelectionRules();
  void serialDeviceOnAProbedPortWritesTheLastKeys();
  void modemInfoPreselectsAndRemembersTheModem();
  void modemInfoWithoutModemsSaysSo();
  void menuCommandsOpenTheDialogsOnTheProgramsBook();
};

void DeviceDialogsTest::parametersShowOnlyTheControlsOfTheKind() {
  Fixture f;
  CDeviceParametersDialog dialog(CDevice{}, {{"COM1"}, {"Hayes"}, {"Relay"}}, "New Device:Dev",
                                 f.language);
  QCOMPARE(dialog.windowTitle(), QStringLiteral("New Device:Dev"));
  auto* frame = find<QGroupBox>(&dialog, i18n::kIdDeviceConnectionFrame);
  auto* label = find<QLabel>(&dialog, i18n::kIdDeviceTimeoutLabel);
  // A serial port: the port and its speed only.
  QVERIFY(shown(&dialog, i18n::kIdDeviceComPort) && shown(&dialog, i18n::kIdDeviceBaudRate));
  for (int id : {i18n::kIdDeviceIpPort, i18n::kIdDeviceExternalModem, i18n::kIdDeviceModemList,
                 i18n::kIdDeviceTimeout, i18n::kIdDeviceMailServerList})
    QVERIFY2(!shown(&dialog, id), qPrintable(QString::number(id)));

  click(&dialog, i18n::kIdDeviceKindEmail);
  QCOMPARE(frame->title(), QStringLiteral("Email Settings"));
  QCOMPARE(label->text(), QStringLiteral("MAIL SERVER"));
  QVERIFY(shown(&dialog, i18n::kIdDeviceMailServerList) && !shown(&dialog, i18n::kIdDeviceComPort));

  click(&dialog, i18n::kIdDeviceKindTcpIp);  // TCP/IP wins over e-mail
  QCOMPARE(frame->title(), QStringLiteral("TCP/IP Settings"));
  QCOMPARE(label->text(), QStringLiteral("TCP/IP connect time out"));
  QVERIFY(shown(&dialog, i18n::kIdDeviceIpPort) && shown(&dialog, i18n::kIdDeviceTimeout));
  QVERIFY(!shown(&dialog, i18n::kIdDeviceMailServerList));
  QCOMPARE(find<QLineEdit>(&dialog, i18n::kIdDeviceTimeout)->text(), QStringLiteral("15"));

  click(&dialog, i18n::kIdDeviceKindModem);  // the modem wins over both
  QCOMPARE(frame->title(), QStringLiteral("Modem Settings"));
  QCOMPARE(label->text(), QStringLiteral("Dial-up time out by modem"));
  QCOMPARE(find<QLineEdit>(&dialog, i18n::kIdDeviceTimeout)->text(), QStringLiteral("30"));
  QVERIFY(!shown(&dialog, i18n::kIdDeviceIpPort));
  auto* comPort = i18n::ui::findControl(&dialog, i18n::kIdDeviceComPort);
  auto* modems = i18n::ui::findControl(&dialog, i18n::kIdDeviceModemList);
  QVERIFY(comPort->isEnabled() && !modems->isEnabled());  // an external modem by default
  click(&dialog, i18n::kIdDeviceInternalModem);
  QVERIFY(!comPort->isEnabled() && modems->isEnabled());
}

void DeviceDialogsTest::parametersRefuseWhatEachKindLacks() {
  Fixture f;
  CDevice device;
  device.comPort = 9;  // not present: nothing is chosen
  device.baudRate = 1000;
  CDeviceParametersDialog dialog(device, {{"COM1"}, {"Hayes"}, {"Relay"}}, "Edit Device:Dev",
                                 f.language);
  QCOMPARE(refusalOf(dialog), kSelectComPort);
  choose(&dialog, i18n::kIdDeviceComPort, "COM1");
  QCOMPARE(refusalOf(dialog), kSelectBaud);

  click(&dialog, i18n::kIdDeviceKindTcpIp);
  type(&dialog, i18n::kIdDeviceIpPort, "");
  QCOMPARE(refusalOf(dialog), QStringLiteral("Please enter one integer as IP port."));
  type(&dialog, i18n::kIdDeviceIpPort, "5005");
  type(&dialog, i18n::kIdDeviceTimeout, "0");
  QVERIFY(refusalOf(dialog).startsWith("Please enter the time out"));

  click(&dialog, i18n::kIdDeviceKindTcpIp);
  click(&dialog, i18n::kIdDeviceKindModem);
  QCOMPARE(refusalOf(dialog), kSelectBaud);
  choose(&dialog, i18n::kIdDeviceBaudRate, "9600");
  click(&dialog, i18n::kIdDeviceInternalModem);
  find<QComboBox>(&dialog, i18n::kIdDeviceModemList)->setCurrentIndex(-1);
  QVERIFY(refusalOf(dialog).startsWith("Please select one modem at first.\n"));

  click(&dialog, i18n::kIdDeviceKindModem);
  click(&dialog, i18n::kIdDeviceKindEmail);
  find<QComboBox>(&dialog, i18n::kIdDeviceMailServerList)->setCurrentIndex(-1);
  QCOMPARE(refusalOf(dialog), kSelectMailServer);
  choose(&dialog, i18n::kIdDeviceMailServerList, "Relay");
  QCOMPARE(refusalOf(dialog), QString());
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  QCOMPARE(dialog.device().type, DeviceType::kEmail);
  QCOMPARE(dialog.device().mailServerName, std::string("Relay"));
}

void DeviceDialogsTest::settingsCreateATcpIpDeviceAndNeedADefaultToClose() {
  Fixture f;
  CDeviceSettingsDialog dialog(f.context());
  dialog.show();
  QString nameCaption;
  QString parametersCaption;
  ModalScript script;
  script.then(enterName("Net", &nameCaption)).then(fillAndAccept([&](QWidget* w) {
    parametersCaption = w->windowTitle();
    click(w, i18n::kIdDeviceKindTcpIp);
    type(w, i18n::kIdDeviceIpPort, "6001");
    type(w, i18n::kIdDeviceTimeout, "20");
  }));
  click(&dialog, i18n::kIdDeviceNew);
  QCOMPARE(nameCaption, QStringLiteral("New Device"));
  QCOMPARE(parametersCaption, QStringLiteral("New Device:Net"));
  QCOMPARE(f.book.devices.size(), size_t{1});
  QCOMPARE(f.book.devices[0].type, DeviceType::kTcpIp);
  QCOMPARE(f.book.devices[0].ipPort, 6001);
  QCOMPARE(f.book.devices[0].tcpTimeout, 20);
  QCOMPARE(f.changes, 1);
  QCOMPARE(f.profile.readInt("Device", "LastIPPort", 0), 6001);
  QCOMPARE(f.last.lastIpPort, 6001);
  QCOMPARE(dialog.list()->currentItem()->text(), QStringLiteral("Net"));

  QString refusal;
  script.then(ModalScript::answer(QMessageBox::Ok, &refusal));
  click(&dialog, i18n::kIdOk);
  QCOMPARE(refusal, QStringLiteral("You must assign a default device before closing."));
  QVERIFY(dialog.isVisible());

  click(&dialog, i18n::kIdDeviceMakeDefault);
  QCOMPARE(f.book.defaultDevice, std::string("Net"));
  QCOMPARE(find<QLabel>(&dialog, i18n::kIdDeviceDefaultName)->text(), QStringLiteral("Net"));
  QCOMPARE(f.changes, 2);
  click(&dialog, i18n::kIdOk);
  QVERIFY(!dialog.isVisible());
}

void DeviceDialogsTest::settingsRenameRemoveAndSelectionRules() {
  Fixture f;
  f.book.devices.resize(2);
  f.book.devices[0].name = "Port";
  f.book.devices[1].name = "Spare";
  f.book.defaultDevice = "Port";
  f.book.sites.push_back({"Depot", "Port", "1", "", ""});
  CDeviceSettingsDialog dialog(f.context());
  dialog.show();
  ModalScript script;

  for (int id : {i18n::kIdDeviceEdit, i18n::kIdDeviceRename, i18n::kIdDeviceRemove,
                 i18n::kIdDeviceMakeDefault}) {
    dialog.list()->setCurrentRow(-1);
    QString text;
    script.then(ModalScript::answer(QMessageBox::Ok, &text));
    click(&dialog, id);
    QCOMPARE(text, QStringLiteral("You must first select an available device."));
  }

  dialog.list()->setCurrentRow(0);
  QString question;
  QString refusal;
  script.then(ModalScript::answer(QMessageBox::Yes, &question))
      .then(ModalScript::answer(QMessageBox::Ok, &refusal));
  click(&dialog, i18n::kIdDeviceRemove);
  QCOMPARE(question, QStringLiteral("Are you sure you wish to remove Port?"));
  QCOMPARE(refusal, QStringLiteral("You cannot remove a device that is being used by a site."));
  QCOMPARE(f.book.devices.size(), size_t{2});

  QString caption;
  script.then(enterName("Serial", &caption));
  click(&dialog, i18n::kIdDeviceRename);
  QCOMPARE(caption, QStringLiteral("Rename Device"));
  QCOMPARE(f.book.devices[0].name, std::string("Serial"));
  QCOMPARE(f.book.sites[0].deviceName, std::string("Serial"));  // the site keeps working
  QCOMPARE(f.book.defaultDevice, std::string("Serial"));
  QCOMPARE(dialog.list()->item(0)->text(), QStringLiteral("Serial"));

  dialog.list()->setCurrentRow(1);
  script.then(ModalScript::answer(QMessageBox::Yes));
  click(&dialog, i18n::kIdDeviceRemove);
  QCOMPARE(f.book.devices.size(), size_t{1});
  QCOMPARE(dialog.list()->count(), 1);
  QCOMPARE(f.changes, 2);
  click(&dialog, i18n::kIdOk);
  QVERIFY(!dialog.isVisible());
}

void DeviceDialogsTest::serialDeviceOnAProbedPortWritesTheLastKeys() {
  Fixture f;
  testing_support::PtyPair pty;
  QVERIFY(f.profile.writeString("Ports", "COM5", pty.slavePath()).ok());
  CDeviceSettingsDialog dialog(f.context());
  dialog.show();
  QStringList ports;
  ModalScript script;
  script.then(enterName("Line")).then(fillAndAccept([&](QWidget* w) {
    QComboBox* combo = find<QComboBox>(w, i18n::kIdDeviceComPort);
    for (int i = 0; i < combo->count(); ++i)
      ports << combo->itemText(i);
    choose(w, i18n::kIdDeviceComPort, "COM5");
    choose(w, i18n::kIdDeviceBaudRate, "9600");
  }));
  click(&dialog, i18n::kIdDeviceNew);
  QVERIFY2(ports.contains("COM5"), qPrintable(ports.join(",")));
  QCOMPARE(f.book.devices.at(0).comPort, 5);
  QCOMPARE(f.book.devices.at(0).baudRate, 9600);
  QCOMPARE(f.profile.readInt("Device", "LastComport", 0), 5);
  QCOMPARE(f.profile.readInt("Device", "LastBaudRate", 0), 9600);

  // Editing offers the stored values; Cancel changes nothing.
  QString port;
  script.then([&](QWidget* w) {
    port = find<QComboBox>(w, i18n::kIdDeviceComPort)->currentText();
    qobject_cast<QDialog*>(w)->reject();
  });
  click(&dialog, i18n::kIdDeviceEdit);
  QCOMPARE(port, QStringLiteral("COM5"));
  QCOMPARE(f.changes, 1);
  click(&dialog, i18n::kIdDeviceMakeDefault);
  click(&dialog, i18n::kIdOk);
}

void DeviceDialogsTest::modemInfoPreselectsAndRemembersTheModem() {
  Fixture f;
  testing_support::writeFile(f.dir.file("modems.ini"),
                             "[Modem0]\nModel=Alpha\nPort=COM3\nSpeed=57600\nReset=ATZ\n"
                             "CallSetupFailTimer=S7=<#>\n[Modem1]\nModel=Beta\nPort=COM4\n");
  const auto modems = signlink::ModemList::load(f.dir.file("modems.ini"));
  QVERIFY(f.profile.writeString("Modem", "Use Modem Name", "Beta").ok());
  QString port;
  QString speed;
  ModalScript script;
  script.then([&](QWidget* w) {
    QCOMPARE(find<QComboBox>(w, i18n::kIdModemInfoList)->currentText(), QStringLiteral("Beta"));
    QCOMPARE(find<QLineEdit>(w, i18n::kIdModemInfoReset)->text(), QStringLiteral("NONE"));
    find<QComboBox>(w, i18n::kIdModemInfoList)->setCurrentIndex(0);
    port = find<QLineEdit>(w, i18n::kIdModemInfoPort)->text();
    speed = find<QLineEdit>(w, i18n::kIdModemInfoSpeed)->text();
    QCOMPARE(find<QLineEdit>(w, i18n::kIdModemInfoInit)->text(), QStringLiteral("ATS7=60<cr>"));
    click(w, i18n::kIdOk);
  });
  signlink::ui::runModemInfo(modems, f.profile, f.language, nullptr);
  QCOMPARE(port, QStringLiteral("COM3"));
  QCOMPARE(speed, QStringLiteral("57600baud"));
  QCOMPARE(f.profile.readString("Modem", "Use Modem Name"), std::string("Alpha"));
}

void DeviceDialogsTest::modemInfoWithoutModemsSaysSo() {
  Fixture f;
  QString report;
  QString port;
  // The report comes once the dialog shows; the script may meet either window first.
  const auto handle = [&](QWidget* w) {
    if (auto* box = qobject_cast<QMessageBox*>(w)) {
      report = box->text();
      box->button(QMessageBox::Ok)->click();
      return;
    }
    port = find<QLineEdit>(w, i18n::kIdModemInfoPort)->text();
    if (!report.isEmpty()) qobject_cast<QDialog*>(w)->accept();
  };
  ModalScript script;
  script.then(handle).then(handle).then(handle);
  signlink::ui::runModemInfo(signlink::ModemList(), f.profile, f.language, nullptr);
  QCOMPARE(port, QStringLiteral("NONE"));
  QCOMPARE(report, QStringLiteral("No modem installed in computer"));
  QCOMPARE(f.profile.readString("Modem", "Use Modem Name", "unset"), std::string(""));
}

void DeviceDialogsTest::menuCommandsOpenTheDialogsOnTheProgramsBook() {
  testing_support::TempDir dir;
  app::ui::CVarnelApp app(dir.path());
  app.language().init();
  app::ui::CMainFrame frame(app.language(), app.state());
  ModalScript script;
  script
      .then([](QWidget* w) {
        QCOMPARE(w->windowTitle(), QStringLiteral("Device Settings"));
        click(w, i18n::kIdDeviceNew);
      })
      .then(enterName("Net"))
      .then(fillAndAccept([](QWidget* w) {
        click(w, i18n::kIdDeviceKindTcpIp);
        type(w, i18n::kIdDeviceIpPort, "7001");
      }))
      .then([](QWidget* w) {
        click(w, i18n::kIdDeviceMakeDefault);
        click(w, i18n::kIdOk);
      });
  frame.runCommand(i18n::ID_DEVICE_SETTINGS);
  const app::AppState& state = app.state();
  QCOMPARE(state.book.devices.size(), size_t{1});
  QCOMPARE(state.book.defaultDevice, std::string("Net"));
  QCOMPARE(state.device.lastIpPort, 7001);
  const platform::ProfileFile profile(dir.file("varnel.ini"));
  QCOMPARE(profile.readInt("Device", "LastIPPort", 0), 7001);

  QString caption;
  script.then([&](QWidget* w) {
    caption = w->windowTitle();
    qobject_cast<QDialog*>(w)->reject();
  });
  frame.runCommand(i18n::ID_MAILBOX_SETTINGS);
  QCOMPARE(caption, QStringLiteral("Mailbox Settings"));
  script.then([&](QWidget* w) {
    caption = w->windowTitle();
    qobject_cast<QDialog*>(w)->reject();
  });
  frame.runCommand(i18n::ID_MAIL_SERVER_SETTINGS);
  QCOMPARE(caption, QStringLiteral("Mail Server Settings"));
}

QTEST_MAIN(DeviceDialogsTest)
#include "device_dialogs_test.moc"
