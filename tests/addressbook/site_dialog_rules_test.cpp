#include "addressbook/site_dialog_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "addressbook/address_book.h"

using addressbook::CAddressBook;
using addressbook::CDevice;
using addressbook::DeviceType;
using addressbook::SiteTargetRow;

namespace {

CAddressBook bookWithDevices() {
  CAddressBook b;
  const std::pair<const char*, DeviceType> devices[] = {{"Port", DeviceType::kSerial},
                                                        {"Net", DeviceType::kTcpIp},
                                                        {"Dial", DeviceType::kModem},
                                                        {"Mail", DeviceType::kEmail}};
  for (const auto& [name, type] : devices) {
    CDevice d;
    d.name = name;
    d.type = type;
    b.devices.push_back(d);
  }
  b.tcpIpGroups = {{"North", "10.0.0.1"}, {"South", "10.0.0.2"}};
  b.mailboxes = {{"Office", "pc@example.com"}};
  b.sites = {{"Depot", "Net", "1", "", "North"}};
  b.groups = {{"All", {"Depot"}}};
  return b;
}

}  // namespace

TEST(SiteDialogRules, SecondRowFollowsTheDeviceType) {
  const CAddressBook b = bookWithDevices();
  EXPECT_EQ(siteTargetRow(b, "Port"), SiteTargetRow::kNone);
  EXPECT_EQ(siteTargetRow(b, "Dial"), SiteTargetRow::kPhoneNumber);
  EXPECT_EQ(siteTargetRow(b, "Net"), SiteTargetRow::kTcpIpGroup);
  EXPECT_EQ(siteTargetRow(b, "Mail"), SiteTargetRow::kMailbox);
  EXPECT_EQ(siteTargetRow(b, "Gone"), SiteTargetRow::kNone);
  EXPECT_EQ(siteTargetRow(b, ""), SiteTargetRow::kNone);
  EXPECT_EQ(siteTargetChoices(b, SiteTargetRow::kTcpIpGroup),
            (std::vector<std::string>{"North", "South"}));
  EXPECT_EQ(siteTargetChoices(b, SiteTargetRow::kMailbox), std::vector<std::string>{"Office"});
  EXPECT_TRUE(siteTargetChoices(b, SiteTargetRow::kPhoneNumber).empty());
}

TEST(SiteDialogRules, PreselectedDevice) {
  CAddressBook b = bookWithDevices();
  EXPECT_EQ(preselectedDevice(b, nullptr), "Port");  // no default: the first device
  b.defaultDevice = "Dial";
  EXPECT_EQ(preselectedDevice(b, nullptr), "Dial");
  b.defaultDevice = "Removed";
  EXPECT_EQ(preselectedDevice(b, nullptr), "Port");
  EXPECT_EQ(preselectedDevice(b, &b.sites[0]), "Net");
  // A site whose device has gone gets none rather than another device unasked.
  b.sites[0].deviceName = "Removed";
  EXPECT_EQ(preselectedDevice(b, &b.sites[0]), "");
  EXPECT_EQ(preselectedDevice(CAddressBook{}, nullptr), "");
}

TEST(SiteDialogRules, TcpIpGroupQuestionAndSelection) {
  // A name holding a conversion is shown as it is, never read as one.
  EXPECT_EQ(addressbook::removeTcpIpGroupQuestion("%s%d"), "Are you sure to remove group '%s%d'?");
  EXPECT_EQ(addressbook::selectionAfterRemoval(1, 3), 1);  // the same position
  EXPECT_EQ(addressbook::selectionAfterRemoval(3, 3), 2);  // the last one went: the previous
  EXPECT_EQ(addressbook::selectionAfterRemoval(0, 0), -1);
}

TEST(SiteDialogRules, IpAddressField) {
  EXPECT_EQ(addressbook::ipAddressFromField(""), "");
  EXPECT_EQ(addressbook::ipAddressFromField("..."), "");
  EXPECT_EQ(addressbook::ipAddressFromField("   .   .   .   "), "");
  EXPECT_EQ(addressbook::ipAddressFromField("127.0.0.1"), "127.0.0.1");
  // Blank octets count as 0, leading zeros go, octets above 255 are held at 255.
  EXPECT_EQ(addressbook::ipAddressFromField("10..  7.001"), "10.0.7.1");
  EXPECT_EQ(addressbook::ipAddressFromField("300.1.2.3"), "255.1.2.3");
  EXPECT_EQ(addressbook::ipAddressFromField("1"), "1.0.0.0");
}
