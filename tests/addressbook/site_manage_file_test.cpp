#include "addressbook/site_manage_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "addressbook/address_book.h"
#include "tests/support/little_endian.h"
#include "tests/support/temp_dir.h"

using addressbook::CAddressBook;
using addressbook::CDevice;
using addressbook::CMailServer;
using addressbook::DeviceType;
using addressbook::parseSiteManageFile;
using addressbook::serializeSiteManageFile;
using Code = platform::Status::Code;
using testing_support::le32;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

const std::string kPath = "Z2500SiteManage.dat";

// File bytes spelled out by hand, independent of the writer under test.
std::string str(const std::string& s) {
  return le32(static_cast<int32_t>(s.size())) + s;
}
std::string byte(uint8_t b) {
  return std::string(1, static_cast<char>(b));
}

std::string fileHead(int32_t version) {
  return le32(20) + "Z2500 SITE DATA HEAD" + le32(version);
}

// One device, one site, one group of two, one TCP/IP group, one mailbox; the mail server part
// and the default device name are appended by the callers.
std::string bodyBeforeMailServers() {
  return le32(1) +
         // device: name, modem name, mail server; type, IP port, COM port, baud, kind, dial, tcp
         str("Dev") + str("Modem X") + str("Srv") + le32(3) + le32(6001) + le32(4) + le32(9600) +
         le32(1) + le32(45) + le32(20) +
         // site
         le32(1) + str("Depot") + str("Dev") + str("1-3") + str("5551234") + str("") +
         // group
         le32(1) + str("North") + le32(2) + str("Depot") + str("Gone") +
         // TCP/IP group, mailbox
         le32(1) + str("Net1") + str("10.1.2.3") + le32(1) + str("Box") + str("pc@example.com");
}

std::string mailServerBeforePop3() {
  return byte(1) + le32(587) + str("smtp.example.com") + str("me@example.com") + str("Srv") +
         str("acct") + str("pw");
}

std::string version35File() {
  return fileHead(35) + bodyBeforeMailServers() + le32(1) + mailServerBeforePop3() + le32(995) +
         byte(0) + str("pop.example.com") + str("pacct") + str("ppw") + str("Dev");
}

std::string version34File() {
  return fileHead(34) + bodyBeforeMailServers() + le32(1) + mailServerBeforePop3() + str("Dev");
}

// An address book that uses every field, including empty strings and odd values.
CAddressBook fullBook() {
  CAddressBook b;
  CDevice serial;
  serial.name = "Serial \xE9";  // Windows-1252 text is stored as is
  serial.comPort = 7;
  serial.baudRate = 19200;
  CDevice net;
  net.name = "Net";
  net.type = DeviceType::kTcpIp;
  net.ipPort = 5006;
  net.tcpTimeout = 60;
  CDevice modem;
  modem.name = "Modem";
  modem.type = DeviceType::kModem;
  modem.modemKind = addressbook::kInternalModem;
  modem.modemName = "Generic 56k";
  modem.dialTimeout = 90;
  CDevice odd;
  odd.name = "";
  odd.type = static_cast<DeviceType>(-7);  // unknown values survive a round trip
  odd.comPort = -1;
  b.devices = {serial, net, modem, odd};
  b.sites = {{"A", "Serial \xE9", "1,3,5-7", "", ""},
             {"B", "Net", "0", "", "Net1"},
             {"C", "Modem", "9-7", "555 0100", ""},
             {"", "", "", "", ""}};
  b.groups = {{"All", {"A", "B", "C"}}, {"Empty", {}}, {"Dup", {"A", "A", ""}}};
  b.tcpIpGroups = {{"Net1", "192.168.0.10"}, {"Net2", ""}};
  b.mailboxes = {{"Box", "pc@example.com"}};
  CMailServer ms;
  ms.name = "Srv";
  ms.smtpServer = "smtp.example.com";
  ms.needsAuth = 1;
  ms.password = std::string("p\0w", 3);  // bytes, not C strings
  ms.pop3Port = 1110;
  ms.usePop3Credentials = 0;
  ms.pop3Password = "x";
  b.mailServers = {ms, CMailServer{}};
  b.defaultDevice = "Net";
  return b;
}

void expectSameLists(const CAddressBook& a, const CAddressBook& b) {
  EXPECT_EQ(a.devices, b.devices);
  EXPECT_EQ(a.sites, b.sites);
  EXPECT_EQ(a.groups, b.groups);
  EXPECT_EQ(a.tcpIpGroups, b.tcpIpGroups);
  EXPECT_EQ(a.mailboxes, b.mailboxes);
  EXPECT_EQ(a.mailServers, b.mailServers);
  EXPECT_EQ(a.defaultDevice, b.defaultDevice);
}

}  // namespace

TEST(SiteManageFile, ReadsVersion35FieldByField) {
  CAddressBook b;
  int32_t version = 0;
  ASSERT_EQ(parseSiteManageFile(version35File(), kPath, &b, &version).code(), Code::kOk);
  EXPECT_EQ(version, 35);
  ASSERT_EQ(b.devices.size(), 1u);
  const CDevice& d = b.devices[0];
  EXPECT_EQ(d.name, "Dev");
  EXPECT_EQ(d.modemName, "Modem X");
  EXPECT_EQ(d.mailServerName, "Srv");
  EXPECT_EQ(d.type, DeviceType::kModem);
  EXPECT_EQ(d.ipPort, 6001);  // the IP port comes before the COM port in the file
  EXPECT_EQ(d.comPort, 4);
  EXPECT_EQ(d.baudRate, 9600);
  EXPECT_EQ(d.modemKind, 1);
  EXPECT_EQ(d.dialTimeout, 45);
  EXPECT_EQ(d.tcpTimeout, 20);
  ASSERT_EQ(b.sites.size(), 1u);
  EXPECT_EQ(b.sites[0], (addressbook::CSite{"Depot", "Dev", "1-3", "5551234", ""}));
  ASSERT_EQ(b.groups.size(), 1u);
  EXPECT_EQ(b.groups[0].siteNames, (std::vector<std::string>{"Depot", "Gone"}));
  EXPECT_EQ(b.tcpIpGroups[0].address, "10.1.2.3");
  EXPECT_EQ(b.mailboxes[0].address, "pc@example.com");
  ASSERT_EQ(b.mailServers.size(), 1u);
  const CMailServer& m = b.mailServers[0];
  EXPECT_EQ(m.needsAuth, 1);
  EXPECT_EQ(m.smtpPort, 587);
  EXPECT_EQ(m.smtpServer, "smtp.example.com");
  EXPECT_EQ(m.mailAddress, "me@example.com");
  EXPECT_EQ(m.name, "Srv");
  EXPECT_EQ(m.account, "acct");
  EXPECT_EQ(m.password, "pw");
  EXPECT_EQ(m.pop3Port, 995);
  EXPECT_EQ(m.usePop3Credentials, 0);
  EXPECT_EQ(m.pop3Server, "pop.example.com");
  EXPECT_EQ(m.pop3Account, "pacct");
  EXPECT_EQ(m.pop3Password, "ppw");
  EXPECT_EQ(b.defaultDevice, "Dev");
}

TEST(SiteManageFile, WritesTheSameBytesItReads) {
  CAddressBook b;
  ASSERT_EQ(parseSiteManageFile(version35File(), kPath, &b).code(), Code::kOk);
  EXPECT_EQ(serializeSiteManageFile(b), version35File());
}

TEST(SiteManageFile, Version34MailServersGetPop3DefaultsAndAreRewrittenAs35) {
  CAddressBook b;
  ASSERT_EQ(parseSiteManageFile(version34File(), kPath, &b).code(), Code::kOk);
  ASSERT_EQ(b.mailServers.size(), 1u);
  const CMailServer& m = b.mailServers[0];
  EXPECT_EQ(m.password, "pw");
  EXPECT_EQ(m.pop3Port, 110);
  EXPECT_EQ(m.usePop3Credentials, 1);
  EXPECT_EQ(m.pop3Server, "");
  EXPECT_EQ(m.pop3Account, "");
  EXPECT_EQ(m.pop3Password, "");
  EXPECT_EQ(b.defaultDevice, "Dev");  // the default device name follows the shorter record
  EXPECT_EQ(serializeSiteManageFile(b), fileHead(35) + bodyBeforeMailServers() + le32(1) +
                                            mailServerBeforePop3() + le32(110) + byte(1) + str("") +
                                            str("") + str("") + str("Dev"));
}

TEST(SiteManageFile, IgnoresBytesAfterTheDefaultDeviceName) {
  CAddressBook b;
  EXPECT_EQ(parseSiteManageFile(version35File() + "left over from a longer file", kPath, &b).code(),
            Code::kOk);
  EXPECT_EQ(b.defaultDevice, "Dev");
}

TEST(SiteManageFile, ClassifiesBadFiles) {
  CAddressBook b;
  const std::string empty35 = le32(0) + le32(0) + le32(0) + le32(0) + le32(0) + le32(0) + str("");
  EXPECT_EQ(parseSiteManageFile(fileHead(35) + empty35, kPath, &b).code(), Code::kOk);
  EXPECT_EQ(parseSiteManageFile("", kPath, &b).code(), Code::kNotOurFile);
  EXPECT_EQ(
      parseSiteManageFile(le32(20) + "Z2500 SITE DATA HEAX" + le32(35) + empty35, kPath, &b).code(),
      Code::kNotOurFile);
  EXPECT_EQ(
      parseSiteManageFile(le32(19) + "Z2500 SITE DATA HEA" + le32(35) + empty35, kPath, &b).code(),
      Code::kNotOurFile);
  EXPECT_EQ(parseSiteManageFile(le32(20) + "Z2500 SITE DATA HEAD", kPath, &b).code(),
            Code::kNotOurFile);  // no version
  EXPECT_EQ(parseSiteManageFile(fileHead(36), kPath, &b).code(), Code::kTooNew);
  EXPECT_EQ(parseSiteManageFile(fileHead(INT32_MAX) + empty35, kPath, &b).code(), Code::kTooNew);
  EXPECT_EQ(parseSiteManageFile(fileHead(35) + le32(-1), kPath, &b).code(), Code::kDamaged);
  EXPECT_EQ(parseSiteManageFile(fileHead(35) + le32(INT32_MAX), kPath, &b).code(), Code::kDamaged);
  EXPECT_EQ(
      parseSiteManageFile(fileHead(35) + empty35.substr(0, empty35.size() - 1), kPath, &b).code(),
      Code::kDamaged);
  // A damaged body says so in the words of a foreign file, and where it broke in the detail: here
  // the site list, after the header (28 bytes) and the empty device list.
  const platform::Status cut = parseSiteManageFile(fileHead(35) + le32(0) + le32(1), kPath, &b);
  EXPECT_EQ(cut.message(), "The '" + kPath + "' file is not site data file for Z2500 series.");
  EXPECT_NE(cut.detail().find("in the part starting at byte 32"), std::string::npos)
      << cut.detail();
  // A group claiming more site names than the file could hold.
  EXPECT_EQ(parseSiteManageFile(
                fileHead(35) + le32(0) + le32(0) + le32(1) + str("G") + le32(1000000) + str("x"),
                kPath, &b)
                .code(),
            Code::kDamaged);
  // A string longer than what remains.
  EXPECT_EQ(parseSiteManageFile(fileHead(35) + le32(0) + le32(0) + le32(0) + le32(0) + le32(0) +
                                    le32(0) + le32(1000) + "abc",
                                kPath, &b)
                .code(),
            Code::kDamaged);
}

class SiteManageFileOnDisk : public ::testing::Test {
 protected:
  TempDir dir_;
  const std::string path_ = addressbook::sitePath(dir_.path());
};

TEST_F(SiteManageFileOnDisk, FullBookRoundTripsInOrder) {
  const CAddressBook original = fullBook();
  ASSERT_TRUE(original.save(path_).ok());
  CAddressBook loaded;
  const platform::Status r = loaded.load(path_);
  ASSERT_TRUE(r.ok()) << r.message();
  expectSameLists(loaded, original);
  EXPECT_FALSE(loaded.keepFile());
}

TEST_F(SiteManageFileOnDisk, SavedFileIsPrivateBecauseItHoldsPasswords) {
  writeFile(path_, "old");
  ::chmod(path_.c_str(), 0644);
  ASSERT_TRUE(fullBook().save(path_).ok());
  struct stat st {};
  ASSERT_EQ(::stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(SiteManageFileOnDisk, MissingFileFailsWithTheOpenMessageAndChangesNothing) {
  CAddressBook b = fullBook();
  const platform::Status r = b.load(path_);
  EXPECT_EQ(r.code(), Code::kCannotOpen);
  EXPECT_EQ(r.message(), "Open site manage data file " + path_ + " Error!");
  expectSameLists(b, fullBook());
  // At exit the file is created.
  EXPECT_TRUE(b.saveAtExit(path_).ok());
  EXPECT_TRUE(b.devices.empty());
  CAddressBook again;
  EXPECT_TRUE(again.load(path_).ok());
  expectSameLists(again, fullBook());
}

TEST_F(SiteManageFileOnDisk, SaveIntoAMissingDirectoryFailsWithTheOpenMessage) {
  const std::string bad = dir_.file("no/such/dir/Z2500SiteManage.dat");
  const platform::Status r = fullBook().save(bad);
  EXPECT_EQ(r.code(), Code::kCannotWrite);
  EXPECT_EQ(r.message(), "Open site manage data file " + bad + " Error!");
}

TEST_F(SiteManageFileOnDisk, WrongHeaderIsReportedAndReplacedAtExit) {
  writeFile(path_, "not an address book at all");
  CAddressBook b = fullBook();
  const platform::Status r = b.load(path_);
  EXPECT_EQ(r.code(), Code::kNotOurFile);
  EXPECT_EQ(r.message(), "The '" + path_ + "' file is not site data file for Z2500 series.");
  EXPECT_FALSE(b.keepFile());
  expectSameLists(b, fullBook());
  ASSERT_TRUE(b.saveAtExit(path_).ok());
  EXPECT_EQ(readFile(path_), serializeSiteManageFile(fullBook()));
}

TEST_F(SiteManageFileOnDisk, NewerVersionIsRefusedAndLeftByteIdenticalAtExit) {
  const std::string newer = fileHead(36) + "whatever a newer program writes";
  writeFile(path_, newer);
  CAddressBook b = fullBook();
  const platform::Status r = b.load(path_);
  EXPECT_EQ(r.code(), Code::kTooNew);
  EXPECT_EQ(r.message(), "Sorry,the '" + path_ +
                             "' file is create by NEW program,please use the latest program!");
  EXPECT_TRUE(b.keepFile());
  expectSameLists(b, fullBook());
  EXPECT_TRUE(b.saveAtExit(path_).ok());
  EXPECT_EQ(readFile(path_), newer);
  EXPECT_TRUE(b.devices.empty());
  // The flag belongs to the last load: a good file clears it.
  ASSERT_TRUE(fullBook().save(path_).ok());
  EXPECT_TRUE(b.load(path_).ok());
  EXPECT_FALSE(b.keepFile());
}

// Damaged copies of a good file: every prefix, and thousands with flipped bits or bytes. Each must
// parse or be refused without crashing; on disk, a refused file must leave every list as it was.
std::vector<std::string> damagedCopies(const std::string& good) {
  std::vector<std::string> copies;
  for (size_t n = 0; n < good.size(); ++n)
    copies.push_back(good.substr(0, n));
  std::mt19937 rng(1234);
  for (int i = 0; i < 4000; ++i) {
    std::string bytes = good;
    const int flips = 1 + static_cast<int>(rng() % 4);
    for (int f = 0; f < flips; ++f) {
      const size_t at = rng() % bytes.size();
      if (rng() % 2) {
        bytes[at] = static_cast<char>(bytes[at] ^ (1u << (rng() % 8)));
      } else {
        bytes[at] = static_cast<char>(rng());
      }
    }
    copies.push_back(std::move(bytes));
  }
  return copies;
}

TEST(SiteManageFileParser, DamagedFilesNeverCrash) {
  const std::string good = serializeSiteManageFile(fullBook());
  size_t refusedPrefixes = 0;
  for (const std::string& bytes : damagedCopies(good)) {
    CAddressBook b;
    if (parseSiteManageFile(bytes, kPath, &b).code() != Code::kOk && bytes.size() < good.size()) {
      ++refusedPrefixes;
    }
  }
  EXPECT_EQ(refusedPrefixes, good.size());  // no prefix of a file is a whole file
}

TEST_F(SiteManageFileOnDisk, RefusedFilesNeverChangeTheLists) {
  const std::string good = serializeSiteManageFile(fullBook());
  CAddressBook before;
  before.sites = {{"Keep", "me", "1", "", ""}};
  before.defaultDevice = "kept";
  const std::vector<std::string> copies = damagedCopies(good);
  // Writing files is slow; a sample of the copies is enough here.
  for (size_t i = 0; i < copies.size(); i += 13) {
    writeFile(path_, copies[i]);
    CAddressBook b = before;
    const platform::Status r = b.load(path_);
    if (r.ok()) continue;
    EXPECT_TRUE(r.message().find("is not site data file") != std::string::npos ||
                r.message().find("NEW program") != std::string::npos)
        << r.message();
    expectSameLists(b, before);
  }
}
