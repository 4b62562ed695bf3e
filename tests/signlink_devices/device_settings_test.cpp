#include "signlink/device_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "addressbook/book_edits.h"
#include "signlink/modem_info.h"
#include "tests/support/temp_dir.h"

using addressbook::CAddressBook;
using addressbook::CDevice;
using addressbook::NameDialogMode;

namespace {

const char kSelectDevice[] = "You must first select an available device.";
const char kAssignDefault[] = "You must assign a default device before closing.";

CAddressBook twoDevices() {
  CAddressBook book;
  book.devices.resize(2);
  book.devices[0].name = "Port";
  book.devices[1].name = "Net";
  book.devices[1].type = addressbook::DeviceType::kTcpIp;
  return book;
}

TEST(DeviceSettings, NewDeviceIsAppendedUnderAFreeName) {
  CAddressBook book = twoDevices();
  CDevice device;
  device.baudRate = 9600;
  EXPECT_EQ(signlink::addDevice(&book, "Port", device).message(),
            "Sorry, this name already exists, please input another name!");
  ASSERT_TRUE(signlink::addDevice(&book, "Dial", device).ok());
  ASSERT_EQ(book.devices.size(), 3u);
  EXPECT_EQ(book.devices[2].name, "Dial");
  EXPECT_EQ(book.devices[2].baudRate, 9600);
}

TEST(DeviceSettings, EditKeepsNameAndPosition) {
  CAddressBook book = twoDevices();
  CDevice edited;
  edited.name = "ignored";
  edited.comPort = 9;
  ASSERT_TRUE(signlink::editDevice(&book, "Port", edited).ok());
  EXPECT_EQ(book.devices[0].name, "Port");
  EXPECT_EQ(book.devices[0].comPort, 9);
  EXPECT_FALSE(signlink::editDevice(&book, "Gone", edited).ok());
}

TEST(DeviceSettings, ButtonsThatNeedASelectionSayWhichAndMakeDefaultSetsIt) {
  CAddressBook book = twoDevices();
  EXPECT_EQ(signlink::requireSelectedDevice("").message(), kSelectDevice);
  EXPECT_TRUE(signlink::requireSelectedDevice("Net").ok());
  EXPECT_EQ(signlink::makeDefaultDevice(&book, "").message(), kSelectDevice);
  ASSERT_TRUE(signlink::makeDefaultDevice(&book, "Net").ok());
  EXPECT_EQ(book.defaultDevice, "Net");
  EXPECT_EQ(signlink::removeDeviceQuestion("Net"), "Are you sure you wish to remove Net?");
}

TEST(DeviceSettings, CloseNeedsADefaultOnlyWhileTheListHoldsDevices) {
  CAddressBook book;
  EXPECT_TRUE(signlink::checkDeviceSettingsClose(book).ok());
  book = twoDevices();
  EXPECT_EQ(signlink::checkDeviceSettingsClose(book).message(), kAssignDefault);
  book.defaultDevice = "Vanished";  // a default no device carries is no default
  EXPECT_EQ(signlink::checkDeviceSettingsClose(book).message(), kAssignDefault);
  book.defaultDevice = "Port";
  EXPECT_TRUE(signlink::checkDeviceSettingsClose(book).ok());
  // Removing the default device takes the default with it, so Close asks again.
  ASSERT_TRUE(addressbook::removeRecord(&book, NameDialogMode::kDevice, "Port").ok());
  EXPECT_EQ(signlink::checkDeviceSettingsClose(book).message(), kAssignDefault);
}

TEST(ModemInfo, FieldsOfAModemAndOfNone) {
  signlink::InstalledModem modem{"Hayes", 3, "ATZ", "ATS7=60<cr>", 57600};
  const signlink::ModemInfoFields fields = signlink::modemInfoFields(&modem);
  EXPECT_EQ(fields.port, "COM3");
  EXPECT_EQ(fields.speed, "57600baud");
  EXPECT_EQ(fields.initString, "ATS7=60<cr>");
  EXPECT_EQ(fields.resetString, "ATZ");
  const signlink::ModemInfoFields none = signlink::modemInfoFields(nullptr);
  EXPECT_EQ(none.port, "NONE");
  EXPECT_TRUE(none.speed.empty() && none.initString.empty() && none.resetString.empty());
}

TEST(ModemInfo, PreselectsTheRememberedModemAndStoresTheChoice) {
  testing_support::TempDir dir;
  testing_support::writeFile(dir.file("modems.ini"),
                             "[Modem0]\nModel=Alpha\nPort=COM1\n[Modem1]\nModel=Beta\nPort=2\n");
  const signlink::ModemList modems = signlink::ModemList::load(dir.file("modems.ini"));
  EXPECT_EQ(signlink::modemInfoSelection(modems, "Beta"), 1);
  EXPECT_EQ(signlink::modemInfoSelection(modems, "Gamma"), 0);
  EXPECT_EQ(signlink::modemInfoSelection(signlink::ModemList(), "Beta"), -1);

  const platform::ProfileFile profile(dir.file("varnel.ini"));
  EXPECT_EQ(signlink::rememberedModem(profile), "");
  ASSERT_TRUE(signlink::rememberModem(profile, "Beta").ok());
  EXPECT_EQ(profile.readString("Modem", "Use Modem Name"), "Beta");
  EXPECT_EQ(signlink::rememberedModem(profile), "Beta");
}

}  // namespace
