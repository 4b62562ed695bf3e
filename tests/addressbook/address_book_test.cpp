#include "addressbook/address_book.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using addressbook::CAddressBook;
using addressbook::CSiteGroup;

namespace {

CAddressBook bookWithGroups() {
  CAddressBook b;
  b.devices.resize(2);
  b.devices[0].name = "Port";
  b.devices[1].name = "Spare";
  b.sites = {
      {"Depot", "Port", "1", "", ""}, {"Yard", "Port", "2", "", ""}, {"Lone", "", "", "", ""}};
  b.groups = {{"A", {"Depot", "Yard"}}, {"B", {"Depot"}}, {"C", {"Yard", "Depot"}}, {"D", {}}};
  return b;
}

}  // namespace

TEST(AddressBookLookup, FindByNameIsExactAndReturnsTheFirstMatch) {
  CAddressBook b;
  b.tcpIpGroups = {{"Net", "10.0.0.1"}, {"net", "10.0.0.2"}, {"Net", "10.0.0.3"}};
  b.mailboxes = {{"Box", "a@example.com"}};
  b.mailServers.resize(1);
  b.mailServers[0].name = "Srv";
  ASSERT_NE(b.findTcpIpGroup("Net"), nullptr);
  EXPECT_EQ(b.findTcpIpGroup("Net")->address, "10.0.0.1");
  EXPECT_EQ(b.findTcpIpGroup("net")->address, "10.0.0.2");
  EXPECT_EQ(b.findTcpIpGroup("NET"), nullptr);
  EXPECT_EQ(b.findTcpIpGroup("Net "), nullptr);
  EXPECT_EQ(b.findTcpIpGroup(""), nullptr);
  EXPECT_NE(b.findMailbox("Box"), nullptr);
  EXPECT_NE(b.findMailServer("Srv"), nullptr);
  EXPECT_EQ(b.findMailServer("Box"), nullptr);  // each list is searched on its own

  const CAddressBook& cb = b;
  EXPECT_EQ(cb.findTcpIpGroup("Net"), &b.tcpIpGroups[0]);
  // Windows-1252 bytes compare byte for byte.
  b.sites = {{"Caf\xE9", "", "", "", ""}};
  EXPECT_NE(b.findSite("Caf\xE9"), nullptr);
  EXPECT_EQ(b.findSite("Caf\xC9"), nullptr);
}

TEST(AddressBookLookup, GroupOfSiteIsTheLastGroupHoldingIt) {
  const CAddressBook b = bookWithGroups();
  ASSERT_NE(b.findGroupOfSite("Depot"), nullptr);
  EXPECT_EQ(b.findGroupOfSite("Depot")->name, "C");
  EXPECT_EQ(b.findGroupOfSite("Yard")->name, "C");
  EXPECT_EQ(b.findGroupOfSite("Lone"), nullptr);
  EXPECT_EQ(b.findGroupOfSite("Nowhere"), nullptr);
}

TEST(AddressBookRules, SiteInGroupsCannotBeRemovedAndTheLastGroupIsNamed) {
  CAddressBook b;
  b.sites = {{"S", "", "", "", ""}};
  b.groups = {{"A", {"S"}}, {"B", {"S"}}};
  const platform::Status inTwo = b.canRemoveSite("S");
  EXPECT_EQ(inTwo.code(), platform::Status::Code::kRefused);
  EXPECT_EQ(inTwo.message(), "Site(S) has been included by group(B),you cannot delete it!");
  b.groups.pop_back();
  const platform::Status inOne = b.canRemoveSite("S");
  EXPECT_EQ(inOne.code(), platform::Status::Code::kRefused);
  EXPECT_EQ(inOne.message(), "Site(S) has been included by group(A),you cannot delete it!");
  b.groups.clear();
  const platform::Status free = b.canRemoveSite("S");
  EXPECT_TRUE(free.ok());
  EXPECT_EQ(free.message(), "");
}

TEST(AddressBookRules, DeviceNamedBySiteCannotBeRemoved) {
  const CAddressBook b = bookWithGroups();
  const platform::Status used = b.canRemoveDevice("Port");
  EXPECT_EQ(used.code(), platform::Status::Code::kRefused);
  EXPECT_EQ(used.message(), "You cannot remove a device that is being used by a site.");
  EXPECT_TRUE(b.canRemoveDevice("Spare").ok());
}

TEST(AddressBookRules, RenamingASiteRenamesEveryGroupEntry) {
  CAddressBook b = bookWithGroups();
  // The old name is passed as a view of the record's own name, as a dialog would.
  ASSERT_TRUE(b.renameSite(b.sites[0].name, "Works"));
  EXPECT_EQ(b.sites[0].name, "Works");
  EXPECT_EQ(b.groups[0].siteNames, (std::vector<std::string>{"Works", "Yard"}));
  EXPECT_EQ(b.groups[1].siteNames, (std::vector<std::string>{"Works"}));
  EXPECT_EQ(b.groups[2].siteNames, (std::vector<std::string>{"Yard", "Works"}));
  EXPECT_FALSE(b.renameSite("Depot", "Other"));
  EXPECT_EQ(b.findGroupOfSite("Depot"), nullptr);
}
