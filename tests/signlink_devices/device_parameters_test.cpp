#include "signlink/device_parameters.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_dir.h"

using addressbook::CDevice;
using addressbook::DeviceType;
using addressbook::kExternalModem;
using addressbook::kInternalModem;
using signlink::DeviceForm;
using signlink::DeviceLayout;

namespace {

const char kSelectComPort[] =
    "Please select one comport at first.\rIf 'COM Port' list is empty, it is mean there aren't COM "
    "port in your computer!";
const char kSelectBaud[] = "Please select one baud rate at first.";
const char kEnterIpPort[] = "Please enter one integer as IP port.";
const char kEnterTimeout[] = "Please enter the time out as a number of seconds from 1 to 3600.";
const char kSelectMailServer[] =
    "Please select one MAIL SERVER from MAIL SERVER list box.\rSelect menu 'Communication "
    "Settings>MAIL SERVER Settings...' to add one or more MAIL SERVER groups!";
const char kSelectModemPrefix[] = "Please select one modem at first.\r";

const signlink::DeviceTemplateTexts kTemplate{"Modem Settings", "Dial-up time out by modem"};

std::string refusal(const DeviceForm& form) {
  return signlink::validateDeviceForm(form).message();
}

TEST(DeviceKind, ModemWinsOverTcpIpWhichWinsOverEmailAndNoneIsSerial) {
  EXPECT_EQ(signlink::deviceKindOf(true, true, true), DeviceType::kModem);
  EXPECT_EQ(signlink::deviceKindOf(false, true, true), DeviceType::kTcpIp);
  EXPECT_EQ(signlink::deviceKindOf(false, false, true), DeviceType::kEmail);
  EXPECT_EQ(signlink::deviceKindOf(false, false, false), DeviceType::kSerial);
}

TEST(DeviceLayout, EachKindShowsOnlyItsControlsWithItsLabels) {
  const DeviceLayout serial =
      signlink::deviceLayout(DeviceType::kSerial, kExternalModem, kTemplate);
  EXPECT_TRUE(serial.comPort && serial.comPortEnabled && serial.baudRate);
  EXPECT_FALSE(serial.ipPort || serial.modemKinds || serial.modemList || serial.timeout ||
               serial.mailServer);

  const DeviceLayout tcp = signlink::deviceLayout(DeviceType::kTcpIp, kExternalModem, kTemplate);
  EXPECT_TRUE(tcp.ipPort && tcp.timeout);
  EXPECT_FALSE(tcp.comPort || tcp.baudRate || tcp.modemKinds || tcp.mailServer);
  EXPECT_EQ(tcp.frameText, "TCP/IP Settings");
  EXPECT_EQ(tcp.labelText, "TCP/IP connect time out");

  const DeviceLayout mail = signlink::deviceLayout(DeviceType::kEmail, kExternalModem, kTemplate);
  EXPECT_TRUE(mail.mailServer);
  EXPECT_FALSE(mail.comPort || mail.baudRate || mail.ipPort || mail.timeout);
  EXPECT_EQ(mail.frameText, "Email Settings");
  EXPECT_EQ(mail.labelText, "MAIL SERVER");
}

TEST(DeviceLayout, ModemKindChoosesBetweenComPortAndInstalledModem) {
  const DeviceLayout external =
      signlink::deviceLayout(DeviceType::kModem, kExternalModem, kTemplate);
  EXPECT_TRUE(external.modemKinds && external.comPort && external.modemList && external.baudRate &&
              external.timeout);
  EXPECT_TRUE(external.comPortEnabled);
  EXPECT_FALSE(external.modemListEnabled);
  EXPECT_EQ(external.frameText, "Modem Settings");
  EXPECT_EQ(external.labelText, "Dial-up time out by modem");

  const DeviceLayout internal =
      signlink::deviceLayout(DeviceType::kModem, kInternalModem, kTemplate);
  EXPECT_FALSE(internal.comPortEnabled);
  EXPECT_TRUE(internal.modemListEnabled);
}

TEST(DeviceForm, SerialNeedsAPortThenABaudRate) {
  DeviceForm form;
  form.baudRate = "";
  EXPECT_EQ(refusal(form), kSelectComPort);
  form.comPort = "COM3";
  EXPECT_EQ(refusal(form), kSelectBaud);
  form.baudRate = "1000";  // not one of the eight
  EXPECT_EQ(refusal(form), kSelectBaud);
  form.baudRate = "19200";
  CDevice device;
  device.ipPort = 6000;
  ASSERT_TRUE(signlink::applyDeviceForm(form, &device).ok());
  EXPECT_EQ(device.type, DeviceType::kSerial);
  EXPECT_EQ(device.comPort, 3);
  EXPECT_EQ(device.baudRate, 19200);
  EXPECT_EQ(device.ipPort, 6000);  // fields of other kinds keep their values
}

TEST(DeviceForm, TcpIpPortMustBeAWholeNumberOfAPortAndTheTimeoutInRange) {
  DeviceForm form;
  form.kind = DeviceType::kTcpIp;
  form.tcpTimeout = "15";
  for (const char* bad : {"", "abc", "0", "65536", "12x", "-5"}) {
    form.ipPort = bad;
    EXPECT_EQ(refusal(form), kEnterIpPort) << bad;
  }
  form.ipPort = " 5005 ";
  for (const char* bad : {"", "0", "3601", "1.5"}) {
    form.tcpTimeout = bad;
    EXPECT_EQ(refusal(form), kEnterTimeout) << bad;
  }
  form.tcpTimeout = "20";
  CDevice device;
  device.dialTimeout = 44;
  ASSERT_TRUE(signlink::applyDeviceForm(form, &device).ok());
  EXPECT_EQ(device.type, DeviceType::kTcpIp);
  EXPECT_EQ(device.ipPort, 5005);
  EXPECT_EQ(device.tcpTimeout, 20);
  EXPECT_EQ(device.dialTimeout, 44);
}

TEST(DeviceForm, ModemChecksBaudThenPortOrModemThenTimeout) {
  DeviceForm form;
  form.kind = DeviceType::kModem;
  form.dialTimeout = "30";
  EXPECT_EQ(refusal(form), kSelectBaud);
  form.baudRate = "9600";
  EXPECT_EQ(refusal(form), kSelectComPort);  // external modem
  form.modemKind = kInternalModem;
  EXPECT_EQ(refusal(form).rfind(kSelectModemPrefix, 0), 0u);
  form.modemName = "Hayes";
  form.comPort = "COM2";
  form.dialTimeout = "0";
  EXPECT_EQ(refusal(form), kEnterTimeout);
  form.dialTimeout = "45";
  CDevice device;
  device.comPort = 7;
  ASSERT_TRUE(signlink::applyDeviceForm(form, &device).ok());
  EXPECT_EQ(device.modemKind, kInternalModem);
  EXPECT_EQ(device.modemName, "Hayes");
  EXPECT_EQ(device.comPort, 7);  // an internal modem leaves the COM port alone
  EXPECT_EQ(device.baudRate, 9600);
  EXPECT_EQ(device.dialTimeout, 45);
}

TEST(DeviceForm, EmailNeedsAMailServerAndRefusalLeavesTheDeviceUntouched) {
  DeviceForm form;
  form.kind = DeviceType::kEmail;
  CDevice device;
  device.name = "Dev";
  const CDevice before = device;
  EXPECT_EQ(signlink::applyDeviceForm(form, &device).message(), kSelectMailServer);
  EXPECT_EQ(device, before);
  form.mailServer = "Smtp";
  ASSERT_TRUE(signlink::applyDeviceForm(form, &device).ok());
  EXPECT_EQ(device.mailServerName, "Smtp");
  EXPECT_EQ(device.type, DeviceType::kEmail);
}

TEST(DeviceForm, AStoredDeviceReadsBackUnchanged) {
  CDevice device;
  device.type = DeviceType::kModem;
  device.comPort = 0;  // a mapped COM0 is a port like any other
  device.baudRate = 57600;
  device.dialTimeout = 90;
  CDevice copy = device;
  ASSERT_TRUE(signlink::applyDeviceForm(signlink::deviceFormOf(device), &copy).ok());
  EXPECT_EQ(copy, device);
  EXPECT_EQ(signlink::comPortNumber("COM0"), 0);
  EXPECT_EQ(signlink::comPortNumber("LPT1"), -1);
  EXPECT_EQ(signlink::comPortEntries({0, 5}), (std::vector<std::string>{"COM0", "COM5"}));
  EXPECT_EQ(signlink::baudRateEntries().size(), 8u);
}

TEST(DeviceProfile, NewDeviceStartsFromTheLastChoicesAndOkWritesTheKindsKeys) {
  testing_support::TempDir dir;
  const platform::ProfileFile profile(dir.file("varnel.ini"));
  signlink::LastDeviceChoices last{4, 6001, "Hayes", "Smtp"};
  const CDevice fresh = signlink::newDevice(last);
  EXPECT_EQ(fresh.comPort, 4);
  EXPECT_EQ(fresh.ipPort, 6001);
  EXPECT_EQ(fresh.baudRate, 2400);
  EXPECT_EQ(fresh.modemName, "Hayes");
  EXPECT_EQ(fresh.mailServerName, "Smtp");

  DeviceForm serial;
  serial.comPort = "COM7";
  serial.baudRate = "4800";
  ASSERT_TRUE(signlink::recordLastChoices(profile, serial, &last).ok());
  EXPECT_EQ(profile.readInt("Device", "LastComport", 0), 7);
  EXPECT_EQ(profile.readInt("Device", "LastBaudRate", 0), 4800);
  EXPECT_EQ(profile.readKeys("Device").size(), 2u);  // nothing of the other kinds
  EXPECT_EQ(last.lastComport, 7);

  DeviceForm tcp;
  tcp.kind = DeviceType::kTcpIp;
  tcp.ipPort = "7000";
  DeviceForm modem;
  modem.kind = DeviceType::kModem;
  modem.baudRate = "9600";
  modem.modemName = "Zoom";
  DeviceForm mail;
  mail.kind = DeviceType::kEmail;
  mail.mailServer = "Relay";
  for (const DeviceForm* form : {&tcp, &modem, &mail})
    ASSERT_TRUE(signlink::recordLastChoices(profile, *form, &last).ok());
  EXPECT_EQ(profile.readInt("Device", "LastIPPort", 0), 7000);
  EXPECT_EQ(profile.readInt("Device", "LastBaudRate", 0), 9600);
  EXPECT_EQ(profile.readString("Device", "LastModemName"), "Zoom");
  EXPECT_EQ(profile.readString("Device", "LastSMTPName"), "Relay");
  EXPECT_EQ(last.lastIpPort, 7000);
  EXPECT_EQ(last.lastModemName, "Zoom");
  EXPECT_EQ(last.lastSmtpName, "Relay");
}

}  // namespace
