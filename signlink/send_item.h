#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "addressbook/address_book.h"

namespace signlink {

// What a send item is: a device type, or a record that disappeared since it was chosen.
enum SendItemKind : uint8_t {
  kItemSerial = 1,
  kItemTcpIp = 2,
  kItemModem = 3,
  kItemEmail = 4,
  kItemDeviceRemoved = 253,
  kItemGroupRemoved = 254,
  kItemSiteRemoved = 255,
};

// One resolved destination of a send.
struct SendItem {
  uint8_t kind = kItemSiteRemoved;
  std::string signAddresses;  // The site's sign-address list.
  // TCP/IP: the site's TCP/IP group; modem: the internal modem's name (empty for an external
  // one); e-mail: the device's mail server; removed kinds: the missing record's name.
  std::string targetName;
  uint8_t comPort = 0;  // Serial and modem.
  // Serial and modem: baud rate (rates above 65535 included); TCP/IP: the sign's port.
  int32_t speedOrPort = 0;
  int32_t timeout = 0;         // TCP/IP: connect time-out; modem: dial time-out (seconds).
  std::string phoneOrMailbox;  // Modem: the site's phone number; e-mail: the site's mailbox.

  bool operator==(const SendItem&) const = default;
};

// The user's choice in "Send option...": one site or one group.
struct SendChoice {
  bool isGroup = false;
  std::string name;
};

// The send items of a choice, in order: a site gives one item; a group one per site name in the
// group's order. Sites, groups and devices that no longer exist give items that report themselves.
std::vector<SendItem> expandChoice(const addressbook::CAddressBook& book, const SendChoice& choice);

// The item for one site (kind 253 when its device is gone).
SendItem itemForSite(const addressbook::CAddressBook& book, const addressbook::CSite& site);

}  // namespace signlink
