#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "addressbook/address_records.h"
#include "platform/status.h"

namespace addressbook {

// Name of the site manage file in the data directory.
inline constexpr char kSiteManageFileName[] = "Z2500SiteManage.dat";

// The application-wide address book: six ordered lists and the default device name. List order is
// creation order and is the order shown everywhere; names are the keys between records.
//
// The lists are public values: the dialogs edit them in place, appending new records at the tail
// and renaming in place. Pointers returned by the find functions stay valid until the list they
// point into changes.
class CAddressBook {
 public:
  std::vector<CDevice> devices;
  std::vector<CSite> sites;
  std::vector<CSiteGroup> groups;
  std::vector<CTcpIpGroup> tcpIpGroups;
  std::vector<CMailbox> mailboxes;
  std::vector<CMailServer> mailServers;
  std::string defaultDevice;  // empty when no device is the default

  // Replaces all lists and the default device name with the contents of the site manage file at
  // `path`. On failure every list is left exactly as it was and the status says why:
  //  - kCannotOpen, the file cannot be opened: "Open site manage data file <path> Error!";
  //  - kNotOurFile for a wrong header, kDamaged for a damaged body (short file, negative count, a
  //    length past the end), both with "The '<path>' file is not site data file for Z2500
  //    series."; the detail of kDamaged says where the body broke;
  //  - kTooNew, a file written by a newer program (version 36 or above): the "NEW program"
  //    message, and keepFile() becomes true so that the file is not overwritten at exit.
  // Version 34 files (and older) load with the mail servers' POP3 defaults.
  // keepFile() is cleared at the start of every load.
  platform::Status load(const std::string& path);

  // Writes the whole address book to `path` as a version 35 file, replacing the old file in one
  // step (a reader never sees half a file) with owner-only permissions, as it holds passwords.
  // Fails (kCannotWrite) with the open-failure message of load() when the file cannot be written.
  platform::Status save(const std::string& path) const;

  // What the program does at exit: saves to `path` unless the last load refused a newer file, then
  // empties every list. When the save is skipped the result is success.
  platform::Status saveAtExit(const std::string& path);

  // True when the last load() refused a file written by a newer program.
  bool keepFile() const { return keepFile_; }

  // Empties the six lists and the default device name.
  void clear();

  // Find-by-name: the first record, in list order, whose name equals `name` byte for byte
  // (case-sensitive). Null when there is none.
  CDevice* findDevice(std::string_view name);
  const CDevice* findDevice(std::string_view name) const;
  CSite* findSite(std::string_view name);
  const CSite* findSite(std::string_view name) const;
  CSiteGroup* findGroup(std::string_view name);
  const CSiteGroup* findGroup(std::string_view name) const;
  CTcpIpGroup* findTcpIpGroup(std::string_view name);
  const CTcpIpGroup* findTcpIpGroup(std::string_view name) const;
  CMailbox* findMailbox(std::string_view name);
  const CMailbox* findMailbox(std::string_view name) const;
  CMailServer* findMailServer(std::string_view name);
  const CMailServer* findMailServer(std::string_view name) const;

  // The LAST group, in list order, whose site names include `siteName`; null when no group does.
  const CSiteGroup* findGroupOfSite(std::string_view siteName) const;

  // Referential rules of the address-book dialogs. The dialogs' complete edits (name checks,
  // renames of every list, removals, group members, site and mail server checks) are in
  // book_edits.h and site_parameters.h, built on these.

  // Success when the site may be removed; otherwise kRefused with the refusal naming the group
  // found by findGroupOfSite (shown with the caption "Warning!").
  platform::Status canRemoveSite(std::string_view siteName) const;
  // Success when no site names the device; otherwise kRefused with the refusal.
  platform::Status canRemoveDevice(std::string_view deviceName) const;
  // Renames the first site called `oldName` and every entry holding `oldName` in every group.
  // False when there is no such site. Uniqueness of `newName` is the caller's check.
  bool renameSite(std::string_view oldName, const std::string& newName);

 private:
  bool keepFile_ = false;  // last load refused a newer file: do not overwrite it at exit
};

// The site manage file's full path in `dataDir` (which ends with a separator or not).
std::string sitePath(const std::string& dataDir);

}  // namespace addressbook
