#include "addressbook/site_parameters.h"

#include <gtest/gtest.h>

#include <string>

#include "addressbook/address_book.h"

using addressbook::CAddressBook;
using addressbook::CDevice;
using addressbook::CSite;
using addressbook::DeviceType;
using addressbook::SiteParameters;

namespace {

const char kSelectDevice[] = "You must first select a connect device.";
const char kPhoneBlank[] = "Phone number cannot be left blank.\rPlease enter a phone number!";
const char kSelectTcpIpGroup[] =
    "You must select a TCP/IP group at first, please select menu 'Communication "
    "Settings>TCP/IP Group Settings...' to add one or more new TCP/IP groups!";
const char kSelectMailbox[] =
    "You must select a mail address which will recieve mail, please select menu "
    "'Communication Settings>Mailbox Settings...' to add one or more new mail address!";

CAddressBook deviceBook() {
  CAddressBook b;
  for (auto [name, type] : {std::pair{"Port", DeviceType::kSerial},
                            {"Net", DeviceType::kTcpIp},
                            {"Dial", DeviceType::kModem},
                            {"Mail", DeviceType::kEmail}}) {
    CDevice d;
    d.name = name;
    d.type = type;
    b.devices.push_back(d);
  }
  b.tcpIpGroups = {{"Lan", "10.0.0.1"}};
  b.mailboxes = {{"Box", "pc@example.com"}};
  return b;
}

std::string refusal(const CAddressBook& b, const SiteParameters& p) {
  const platform::Status s = addressbook::validateSiteParameters(b, p);
  EXPECT_EQ(s.code(), platform::Status::Code::kRefused);
  return s.message();
}

}  // namespace

TEST(SiteParameters, ChecksRunInTheDialogsOrder) {
  const CAddressBook b = deviceBook();
  // No device, or one that has gone, comes before a bad address list.
  EXPECT_EQ(refusal(b, {"", "", "", "", ""}), kSelectDevice);
  EXPECT_EQ(refusal(b, {"Gone", "a", "", "", ""}), kSelectDevice);
  // The addresses come before the device's own field.
  EXPECT_EQ(refusal(b, {"Dial", "", "", "", ""}),
            "Please input address of Signs which will receive message");
  EXPECT_EQ(refusal(b, {"Dial", "1", "", "Lan", "Box"}), kPhoneBlank);
  EXPECT_EQ(refusal(b, {"Net", "1", "555", "", "Box"}), kSelectTcpIpGroup);
  EXPECT_EQ(refusal(b, {"Net", "1", "", "Box", ""}), kSelectTcpIpGroup);  // not a TCP/IP group
  EXPECT_EQ(refusal(b, {"Mail", "1", "555", "Lan", ""}), kSelectMailbox);
  EXPECT_EQ(refusal(b, {"Mail", "1", "", "", "Lan"}), kSelectMailbox);  // not a mailbox
  // Each device type needs only its own field.
  EXPECT_TRUE(validateSiteParameters(b, {"Port", "1", "", "", ""}).ok());
  EXPECT_TRUE(validateSiteParameters(b, {"Net", "1", "", "Lan", ""}).ok());
  EXPECT_TRUE(validateSiteParameters(b, {"Dial", "1", "555", "", ""}).ok());
  EXPECT_TRUE(validateSiteParameters(b, {"Mail", "1", "", "", "Box"}).ok());
}

TEST(SiteParameters, NewSiteHoldsOnlyTheFieldOfItsDeviceType) {
  CAddressBook b = deviceBook();
  const SiteParameters all{"", "1-3", "555", "Lan", "Box"};
  struct {
    const char* device;
    CSite expected;
  } cases[] = {{"Port", {"S1", "Port", "1-3", "", ""}},
               {"Net", {"S2", "Net", "1-3", "", "Lan"}},
               {"Dial", {"S3", "Dial", "1-3", "555", ""}},
               {"Mail", {"S4", "Mail", "1-3", "", "Box"}}};
  for (const auto& c : cases) {
    SiteParameters p = all;
    p.deviceName = c.device;
    ASSERT_TRUE(addSite(&b, c.expected.name, p).ok()) << c.device;
    EXPECT_EQ(b.sites.back(), c.expected) << c.device;
  }
  EXPECT_EQ(addSite(&b, "S1", all).message(),
            "Sorry, this name already exists, please input another name!");
  EXPECT_EQ(b.sites.size(), 4u);
}

TEST(SiteParameters, EditReplacesTheDeviceFieldAndKeepsTheOthers) {
  CAddressBook b = deviceBook();
  b.sites = {{"S", "Dial", "1", "555", ""}};
  const SiteParameters shown = addressbook::siteParametersOf(b.sites[0]);
  EXPECT_EQ(shown.phoneNumber, "555");

  EXPECT_EQ(editSite(&b, "S", {"Net", "2", "", "", ""}).message(), kSelectTcpIpGroup);
  EXPECT_EQ(b.sites[0], (CSite{"S", "Dial", "1", "555", ""}));
  ASSERT_TRUE(editSite(&b, "S", {"Net", "2", "", "Lan", ""}).ok());
  EXPECT_EQ(b.sites[0], (CSite{"S", "Net", "2", "555", "Lan"}));
  EXPECT_FALSE(editSite(&b, "Nobody", {"Net", "2", "", "Lan", ""}).ok());
}

TEST(SiteParameters, StoredRecordsAreJudgedLikeTheDialogs) {
  CAddressBook b = deviceBook();
  EXPECT_EQ(validateSite(b, CSite{"S", "Net", "1", "", "Gone"}).message(), kSelectTcpIpGroup);
  EXPECT_TRUE(validateSite(b, CSite{"S", "Mail", "1", "", "Box"}).ok());

  CDevice mail = b.devices[3];
  EXPECT_NE(validateDeviceReferences(b, mail).message().find("Please select one MAIL SERVER"),
            std::string::npos);
  b.mailServers.resize(1);
  b.mailServers[0].name = "Smtp";
  mail.mailServerName = "Smtp";
  EXPECT_TRUE(validateDeviceReferences(b, mail).ok());

  CDevice modem = b.devices[2];
  modem.modemKind = addressbook::kInternalModem;
  EXPECT_NE(validateDeviceReferences(b, modem).message().find("Please select one modem"),
            std::string::npos);
  modem.modemKind = addressbook::kExternalModem;
  EXPECT_TRUE(validateDeviceReferences(b, modem).ok());
}

TEST(MailServerChecks, RunInTheDialogsOrder) {
  addressbook::CMailServer m;
  EXPECT_EQ(validateMailServer(m).message(), "The POP3 SERVER can't be left blank");
  m.pop3Server = "pop";
  EXPECT_EQ(validateMailServer(m).message(), "The POP3 Account can't be left blank");
  m.pop3Account = "me";
  EXPECT_EQ(validateMailServer(m).message(), "The SMTP can't be left blank!");
  m.smtpServer = "smtp";
  EXPECT_EQ(validateMailServer(m).message(), "The Mailbox can't be left blank!");
  m.mailAddress = "me@example.com";
  EXPECT_TRUE(validateMailServer(m).ok());
  // Authentication with its own account needs one; with the POP3 log-in it does not.
  m.needsAuth = 1;
  EXPECT_TRUE(validateMailServer(m).ok());
  m.usePop3Credentials = 0;
  EXPECT_EQ(validateMailServer(m).message(), "The account for authentication can't be left blank!");
  m.account = "auth";
  EXPECT_TRUE(validateMailServer(m).ok());
}
