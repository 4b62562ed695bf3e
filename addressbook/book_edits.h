#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "addressbook/address_book.h"
#include "platform/status.h"

namespace addressbook {

// The edits the address-book dialogs make: naming, renaming and removing records, and the member
// list of a group. Every operation either changes the book completely or leaves it untouched and
// returns kRefused with the text the dialog shows (already in the user's language).

// The modes of the shared name-entry dialog. Each mode names the list a new name must be unique
// in; the bitmap index and the mailbox's e-mail address are checked against nothing.
enum class NameDialogMode : int {
  kBitmapIndex = 1,
  kMailbox = 2,
  kMailAddress = 3,
  kDevice = 5,
  kSite = 6,
  kGroup = 7,
  kTcpIpGroup = 8,
  kMailServer = 9,
};

// Success when `name` may be given to a new or renamed record of the mode's list. When the list
// already holds a record of that name (find-by-name, so byte for byte) the result is kRefused with
// "Sorry, this name already exists, please input another name!", shown with the caption "Error".
// A rename to the record's own name is therefore refused too. Lists are separate: a group may be
// called like a site. An empty name is not judged here; the dialog keeps OK disabled for it.
platform::Status checkNewName(const CAddressBook& book, NameDialogMode mode, std::string_view name);

// Renames the record `oldName` of the mode's list (modes 2 and 5 to 9) to `newName`, after
// checkNewName. What names the record follows it, so nothing that worked stops working:
//  - a site: every entry holding the old name in every group;
//  - a device: every site sending through it, and the default device name;
//  - a TCP/IP group: the network target of every site whose device is a TCP/IP device;
//  - a mailbox: the network target of every site whose device is an e-mail device;
//  - a mail server: every device that sends through it;
//  - a group: nothing else names one in the book.
// A site's network target names a TCP/IP group or a mailbox according to its device, and the two
// lists may share a name, so a site whose device is missing keeps its target as it is. Names kept
// outside the book (a workspace's send list) are not changed.
// kRefused (with an empty message: a dialog cannot ask for it) when there is no record `oldName`
// or the mode has no list of records.
platform::Status renameRecord(CAddressBook* book, NameDialogMode mode, std::string_view oldName,
                              const std::string& newName);

// Removes the record `name` of the mode's list, once the user has confirmed:
//  - a site is refused while a group includes it (canRemoveSite's text, caption "Warning!");
//  - a device is refused while a site names it (canRemoveDevice's text); removing the default
//    device empties the default device name, so that the Device Settings dialog asks for a new
//    default instead of keeping one that no longer exists;
//  - a group, a TCP/IP group, a mailbox or a mail server is removed without further checks: sites
//    and devices that name it keep the name and are told at send time that it has gone.
// kRefused with an empty message when there is no such record.
platform::Status removeRecord(CAddressBook* book, NameDialogMode mode, std::string_view name);

// The member list of a group, as the Group parameters dialog edits it.

// Appends every name of `selected` that is not yet a member (nor earlier in `selected`), in the
// order of `selected` (the dialog passes the order of its list of all sites); members already
// present are skipped silently. kRefused with "You must first select one or more sites from the
// list of all sites!" when `selected` is empty.
platform::Status includeSites(std::vector<std::string>* members,
                              const std::vector<std::string>& selected);

// Removes the first member called `name`; the others keep their order. kRefused with the
// include message above when `name` is empty (nothing selected) or not a member.
platform::Status removeMember(std::vector<std::string>* members, std::string_view name);

// Appends a group called `name` with `members` after checkNewName.
platform::Status addGroup(CAddressBook* book, const std::string& name,
                          std::vector<std::string> members);

// Appends a TCP/IP group after checkNewName; an empty address is refused with "TCP/IP address
// can't be empty!" (caption "Error").
platform::Status addTcpIpGroup(CAddressBook* book, const std::string& name,
                               const std::string& address);

// The address dialog's check: kRefused with "TCP/IP address can't be empty!" for an empty text.
platform::Status validateTcpIpAddress(std::string_view address);

// The four octets of the address dialog's field.
using IpOctets = std::array<uint8_t, 4>;

// A stored address as the address dialog shows it: the text split at each "." into up to four
// parts, each read from its leading decimal digits (none read as 0, above 255 as 255); missing
// parts are 0.
IpOctets parseIpAddress(std::string_view address);

// The address dialog's octets as stored: "%d.%d.%d.%d", without leading zeros.
std::string formatIpAddress(const IpOctets& octets);

}  // namespace addressbook
