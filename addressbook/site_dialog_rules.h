#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "addressbook/address_book.h"
#include "addressbook/book_edits.h"

namespace addressbook {

// The rules of the Site Settings, Site parameters and TCP/IP Group Settings dialogs that are not
// edits of the book (those are in book_edits.h and site_parameters.h): which texts and records a
// dialog shows and which entry it selects. Texts are in the user's language.

// The Site Settings dialog serves both sites and groups.
enum class SiteListMode { kSites, kGroups };

// What differs between the two modes of the Site Settings dialog besides its list.
struct SiteListRules {
  NameDialogMode nameMode;  // the name-entry dialog's mode for New and Rename
  int newCaption;           // string ids of the follow-up dialogs' captions (see recordCaption)
  int editCaption;
  int renameCaption;
  int noSelection;  // the message shown when a command needs a selected entry
};
SiteListRules siteListRules(SiteListMode mode);

// The group mode's texts, which replace the site texts of the dialog's template.
struct GroupModeTexts {
  std::string caption;  // "Group Settings"
  std::string listLabel;
  std::string newButton;
  std::string editButton;
  std::string renameButton;
  std::string removeButton;
};
GroupModeTexts groupModeTexts();

// The names the Site Settings dialog lists, in list order.
std::vector<std::string> siteListNames(const CAddressBook& book, SiteListMode mode);

// The question before a site or group is removed: "Are you sure you wish to remove" + " " + name.
std::string removeQuestion(std::string_view name);

// The second row of the Site parameters dialog, chosen by the selected device's type.
enum class SiteTargetRow {
  kNone,         // a serial device, a type this program does not know, or no device
  kPhoneNumber,  // a modem: the phone number field
  kTcpIpGroup,   // a TCP/IP device: the list of TCP/IP groups
  kMailbox,      // an e-mail device: the list of mailboxes
};
SiteTargetRow siteTargetRow(const CAddressBook& book, std::string_view deviceName);

// The label of a list row ("TCP/IP Group" or "Mailbox"); empty for the other rows, whose label
// (the phone number's) comes from the dialog's template.
std::string siteTargetLabel(SiteTargetRow row);

// The names a list row offers: the TCP/IP groups' or the mailboxes' names, in list order; empty
// for the other rows.
std::vector<std::string> siteTargetChoices(const CAddressBook& book, SiteTargetRow row);

// The device the Site parameters dialog selects when it opens. For a new site (`site` null): the
// default device, or the first device when there is no default or the book no longer holds it;
// empty when there are no devices. For an existing site: its own device, or none (empty) when
// the book no longer holds it, so that the user chooses one instead of a device being put on the
// site unasked.
std::string preselectedDevice(const CAddressBook& book, const CSite* site);

// An entry of the TCP/IP Group Settings list: name and address joined by "<=>".
std::string tcpIpGroupEntry(const CTcpIpGroup& group);

// The question before a TCP/IP group is removed: "Are you sure to remove group '%s'?".
std::string removeTcpIpGroupQuestion(std::string_view name);

// The entry a list selects after the entry at `removed` was taken out, leaving `remaining`
// entries: the same position, or the previous entry when the last one was removed; -1 when the
// list is empty.
int selectionAfterRemoval(int removed, int remaining);

// The text of the address dialog's field as stored: empty while no octet holds a digit (the
// dialog refuses that), otherwise the four octets by parseIpAddress made into "%d.%d.%d.%d".
std::string ipAddressFromField(std::string_view fieldText);

}  // namespace addressbook
