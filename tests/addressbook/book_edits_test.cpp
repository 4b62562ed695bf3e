#include "addressbook/book_edits.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "addressbook/address_book.h"
#include "addressbook/typed_name.h"

using addressbook::CAddressBook;
using addressbook::CDevice;
using addressbook::DeviceType;
using addressbook::includeSites;
using addressbook::NameDialogMode;
using addressbook::removeMember;

namespace {

const char kNameExists[] = "Sorry, this name already exists, please input another name!";
const char kSelectSites[] = "You must first select one or more sites from the list of all sites!";

CDevice device(const std::string& name, DeviceType type, const std::string& mailServer = "") {
  CDevice d;
  d.name = name;
  d.type = type;
  d.mailServerName = mailServer;
  return d;
}

// A TCP/IP group and a mailbox share the name "Shared", so only the device tells a site's
// network target apart.
CAddressBook sampleBook() {
  CAddressBook b;
  b.devices = {device("Net", DeviceType::kTcpIp), device("Mail", DeviceType::kEmail, "Smtp"),
               device("Dial", DeviceType::kModem), device("Port", DeviceType::kSerial)};
  b.sites = {{"Depot", "Net", "1", "", "Shared"},
             {"Office", "Mail", "2", "", "Shared"},
             {"Farm", "Dial", "3", "555", ""},
             {"Lost", "Gone", "4", "", "Shared"}};
  b.groups = {{"All", {"Depot", "Office", "Farm"}}, {"Some", {"Farm"}}};
  b.tcpIpGroups = {{"Shared", "10.0.0.1"}};
  b.mailboxes = {{"Shared", "pc@example.com"}};
  b.mailServers.resize(1);
  b.mailServers[0].name = "Smtp";
  b.defaultDevice = "Net";
  return b;
}

}  // namespace

TEST(BookNames, UniqueWithinEachListOnly) {
  const CAddressBook b = sampleBook();
  EXPECT_EQ(checkNewName(b, NameDialogMode::kSite, "Depot").message(), kNameExists);
  EXPECT_EQ(checkNewName(b, NameDialogMode::kDevice, "Net").code(),
            platform::Status::Code::kRefused);
  EXPECT_FALSE(checkNewName(b, NameDialogMode::kMailbox, "Shared").ok());
  EXPECT_FALSE(checkNewName(b, NameDialogMode::kTcpIpGroup, "Shared").ok());
  EXPECT_FALSE(checkNewName(b, NameDialogMode::kMailServer, "Smtp").ok());
  EXPECT_FALSE(checkNewName(b, NameDialogMode::kGroup, "All").ok());
  // Separate lists, exact bytes, and the modes that check nothing.
  EXPECT_TRUE(checkNewName(b, NameDialogMode::kGroup, "Depot").ok());
  EXPECT_TRUE(checkNewName(b, NameDialogMode::kSite, "depot").ok());
  EXPECT_TRUE(checkNewName(b, NameDialogMode::kMailAddress, "Shared").ok());
  EXPECT_TRUE(checkNewName(b, NameDialogMode::kBitmapIndex, "Depot").ok());
}

TEST(BookNames, TypedNameIsRefusedRatherThanTurnedIntoQuestionMarks) {
  CAddressBook b = sampleBook();
  b.sites.push_back({"?", "Net", "5", "", "Shared"});
  std::string name = "unchanged";
  // "ł" would have become "?" and clashed with the site "?", or made a second one.
  EXPECT_EQ(addressbook::checkTypedName(b, NameDialogMode::kSite, "\xc5\x82", &name).message(),
            "This field can only hold Western European (Windows-1252) characters!");
  EXPECT_EQ(addressbook::checkTypedName(b, NameDialogMode::kSite, "Depot", &name).message(),
            kNameExists);
  EXPECT_EQ(name, "unchanged");
  ASSERT_TRUE(
      addressbook::checkTypedName(b, NameDialogMode::kSite, "D\xc3\xa9p\xc3\xb4t", &name).ok());
  EXPECT_EQ(name, "D\xe9p\xf4t");
}

TEST(BookRename, RefusesTakenAndSameNamesAndLeavesTheBookAlone) {
  CAddressBook b = sampleBook();
  const CAddressBook before = b;
  EXPECT_EQ(renameRecord(&b, NameDialogMode::kSite, "Depot", "Depot").message(), kNameExists);
  EXPECT_EQ(renameRecord(&b, NameDialogMode::kSite, "Depot", "Farm").message(), kNameExists);
  EXPECT_FALSE(renameRecord(&b, NameDialogMode::kDevice, "Nobody", "X").ok());
  EXPECT_FALSE(renameRecord(&b, NameDialogMode::kMailAddress, "Shared", "X").ok());
  EXPECT_EQ(b.sites, before.sites);
  EXPECT_EQ(b.groups, before.groups);
  EXPECT_EQ(b.devices, before.devices);
}

TEST(BookRename, SiteIsRenamedInEveryGroup) {
  CAddressBook b = sampleBook();
  ASSERT_TRUE(renameRecord(&b, NameDialogMode::kSite, "Farm", "Ranch").ok());
  EXPECT_EQ(b.sites[2].name, "Ranch");
  EXPECT_EQ(b.groups[0].siteNames, (std::vector<std::string>{"Depot", "Office", "Ranch"}));
  EXPECT_EQ(b.groups[1].siteNames, (std::vector<std::string>{"Ranch"}));
}

TEST(BookRename, DeviceFollowsIntoSitesAndTheDefault) {
  CAddressBook b = sampleBook();
  ASSERT_TRUE(renameRecord(&b, NameDialogMode::kDevice, "Net", "Lan").ok());
  EXPECT_EQ(b.devices[0].name, "Lan");
  EXPECT_EQ(b.sites[0].deviceName, "Lan");
  EXPECT_EQ(b.sites[1].deviceName, "Mail");
  EXPECT_EQ(b.defaultDevice, "Lan");
}

TEST(BookRename, TargetsFollowOnlyForTheirDeviceType) {
  CAddressBook b = sampleBook();
  ASSERT_TRUE(renameRecord(&b, NameDialogMode::kTcpIpGroup, "Shared", "Lan").ok());
  EXPECT_EQ(b.tcpIpGroups[0].name, "Lan");
  EXPECT_EQ(b.sites[0].networkTarget, "Lan");     // TCP/IP device
  EXPECT_EQ(b.sites[1].networkTarget, "Shared");  // e-mail device: names the mailbox
  EXPECT_EQ(b.sites[3].networkTarget, "Shared");  // device gone: left as it is

  ASSERT_TRUE(renameRecord(&b, NameDialogMode::kMailbox, "Shared", "Inbox").ok());
  EXPECT_EQ(b.mailboxes[0].name, "Inbox");
  EXPECT_EQ(b.sites[0].networkTarget, "Lan");
  EXPECT_EQ(b.sites[1].networkTarget, "Inbox");
  EXPECT_EQ(b.sites[3].networkTarget, "Shared");
}

TEST(BookRename, MailServerFollowsIntoDevicesAndGroupsStandAlone) {
  CAddressBook b = sampleBook();
  ASSERT_TRUE(renameRecord(&b, NameDialogMode::kMailServer, "Smtp", "Relay").ok());
  EXPECT_EQ(b.mailServers[0].name, "Relay");
  EXPECT_EQ(b.devices[1].mailServerName, "Relay");
  ASSERT_TRUE(renameRecord(&b, NameDialogMode::kGroup, "Some", "Few").ok());
  EXPECT_EQ(b.groups[1].name, "Few");
  EXPECT_EQ(b.groups[1].siteNames, (std::vector<std::string>{"Farm"}));
}

TEST(BookRemove, SitesAndDevicesAreRefusedWhileReferenced) {
  CAddressBook b = sampleBook();
  EXPECT_EQ(removeRecord(&b, NameDialogMode::kSite, "Farm").message(),
            "Site(Farm) has been included by group(Some),you cannot delete it!");
  EXPECT_EQ(removeRecord(&b, NameDialogMode::kDevice, "Net").message(),
            "You cannot remove a device that is being used by a site.");
  EXPECT_EQ(b.sites.size(), 4u);
  EXPECT_EQ(b.devices.size(), 4u);
  EXPECT_FALSE(removeRecord(&b, NameDialogMode::kSite, "Nobody").ok());

  ASSERT_TRUE(removeRecord(&b, NameDialogMode::kSite, "Lost").ok());
  EXPECT_EQ(b.sites.size(), 3u);
  ASSERT_TRUE(removeRecord(&b, NameDialogMode::kDevice, "Port").ok());
  EXPECT_EQ(b.defaultDevice, "Net");
}

TEST(BookRemove, DefaultDeviceIsClearedWithItsDevice) {
  CAddressBook b = sampleBook();
  b.sites.clear();
  ASSERT_TRUE(removeRecord(&b, NameDialogMode::kDevice, "Net").ok());
  EXPECT_EQ(b.defaultDevice, "");
  EXPECT_EQ(b.devices.front().name, "Mail");
}

TEST(BookRemove, TargetsGoWithoutTouchingWhatNamesThem) {
  CAddressBook b = sampleBook();
  ASSERT_TRUE(removeRecord(&b, NameDialogMode::kTcpIpGroup, "Shared").ok());
  ASSERT_TRUE(removeRecord(&b, NameDialogMode::kMailbox, "Shared").ok());
  ASSERT_TRUE(removeRecord(&b, NameDialogMode::kMailServer, "Smtp").ok());
  ASSERT_TRUE(removeRecord(&b, NameDialogMode::kGroup, "All").ok());
  EXPECT_TRUE(b.tcpIpGroups.empty());
  EXPECT_TRUE(b.mailboxes.empty());
  EXPECT_TRUE(b.mailServers.empty());
  EXPECT_EQ(b.sites[0].networkTarget, "Shared");
  EXPECT_EQ(b.devices[1].mailServerName, "Smtp");
  EXPECT_EQ(b.sites.size(), 4u);
  ASSERT_EQ(b.groups.size(), 1u);
  EXPECT_EQ(b.groups[0].name, "Some");
}

TEST(GroupMembers, IncludeKeepsOrderAndSkipsMembers) {
  std::vector<std::string> members{"B"};
  EXPECT_EQ(includeSites(&members, {}).message(), kSelectSites);
  ASSERT_TRUE(includeSites(&members, {"A", "B", "C", "A"}).ok());
  EXPECT_EQ(members, (std::vector<std::string>{"B", "A", "C"}));

  EXPECT_EQ(removeMember(&members, "").message(), kSelectSites);
  EXPECT_FALSE(removeMember(&members, "Z").ok());
  ASSERT_TRUE(removeMember(&members, "A").ok());
  EXPECT_EQ(members, (std::vector<std::string>{"B", "C"}));
}

TEST(GroupMembers, NewGroupsAndTcpIpGroupsCheckTheirNames) {
  CAddressBook b = sampleBook();
  EXPECT_EQ(addGroup(&b, "All", {}).message(), kNameExists);
  ASSERT_TRUE(addGroup(&b, "Depot", {"Depot"}).ok());  // a site's name is free for a group
  EXPECT_EQ(b.groups.back().siteNames, (std::vector<std::string>{"Depot"}));

  EXPECT_EQ(addTcpIpGroup(&b, "Shared", "1.2.3.4").message(), kNameExists);
  EXPECT_EQ(addTcpIpGroup(&b, "Other", "").message(), "TCP/IP address can't be empty!");
  ASSERT_TRUE(addTcpIpGroup(&b, "Other", "1.2.3.4").ok());
  EXPECT_EQ(b.tcpIpGroups.size(), 2u);
}

TEST(TcpIpAddress, ParsedForTheFieldAndFormattedWithoutLeadingZeros) {
  using addressbook::IpOctets;
  EXPECT_EQ(addressbook::parseIpAddress("10.0.0.5"), (IpOctets{10, 0, 0, 5}));
  EXPECT_EQ(addressbook::parseIpAddress("010.1"), (IpOctets{10, 1, 0, 0}));
  EXPECT_EQ(addressbook::parseIpAddress("300.x.7.8.9"), (IpOctets{255, 0, 7, 8}));
  EXPECT_EQ(addressbook::parseIpAddress(""), (IpOctets{0, 0, 0, 0}));
  EXPECT_EQ(addressbook::formatIpAddress({127, 0, 0, 1}), "127.0.0.1");
  EXPECT_EQ(addressbook::formatIpAddress({0, 0, 0, 0}), "0.0.0.0");
}
