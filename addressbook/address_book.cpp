#include "addressbook/address_book.h"

#include <algorithm>
#include <utility>

#include "addressbook/site_manage_file.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "platform/atomic_file.h"
#include "platform/cp1252.h"
#include "platform/data_dir.h"

namespace addressbook {
namespace {

// The site manage file holds a few hundred records at most; anything far larger is not one.
constexpr size_t kMaxSiteFileBytes = size_t{64} << 20;

std::string openFailureMessage(const std::string& path) {
  return i18n::text(i18n::IDS_OPEN_SITE_FILE) + " " + platform::utf8ToCp1252Lossy(path) + " " +
         i18n::text(i18n::IDS_CAPTION_ERROR) + "!";
}

template <typename Record>
Record* findByName(std::vector<Record>& list, std::string_view name) {
  auto it =
      std::find_if(list.begin(), list.end(), [name](const Record& r) { return r.name == name; });
  return it == list.end() ? nullptr : &*it;
}

template <typename Record>
const Record* findByName(const std::vector<Record>& list, std::string_view name) {
  auto it =
      std::find_if(list.begin(), list.end(), [name](const Record& r) { return r.name == name; });
  return it == list.end() ? nullptr : &*it;
}

}  // namespace

platform::Status CAddressBook::load(const std::string& path) {
  keepFile_ = false;
  const platform::Result<std::string> bytes = platform::readWholeFile(path, kMaxSiteFileBytes);
  if (!bytes.ok()) return platform::Status::cannotOpen(openFailureMessage(path));
  // Read into a fresh book and take its lists only when the whole file was good, so a refused
  // file never leaves the address book half replaced.
  CAddressBook fresh;
  const platform::Status parsed = parseSiteManageFile(*bytes, path, &fresh);
  if (!parsed.ok()) {
    keepFile_ = parsed.code() == platform::Status::Code::kTooNew;
    return parsed;
  }
  devices = std::move(fresh.devices);
  sites = std::move(fresh.sites);
  groups = std::move(fresh.groups);
  tcpIpGroups = std::move(fresh.tcpIpGroups);
  mailboxes = std::move(fresh.mailboxes);
  mailServers = std::move(fresh.mailServers);
  defaultDevice = std::move(fresh.defaultDevice);
  return platform::Status::success();
}

platform::Status CAddressBook::save(const std::string& path) const {
  const platform::Status written =
      platform::writeFileAtomic(path, serializeSiteManageFile(*this), platform::kPrivateFileMode);
  if (!written.ok())
    return platform::Status::cannotWrite(openFailureMessage(path), written.message());
  return platform::Status::success();
}

platform::Status CAddressBook::saveAtExit(const std::string& path) {
  platform::Status result;
  if (!keepFile_) result = save(path);
  clear();
  return result;
}

void CAddressBook::clear() {
  devices.clear();
  sites.clear();
  groups.clear();
  tcpIpGroups.clear();
  mailboxes.clear();
  mailServers.clear();
  defaultDevice.clear();
}

CDevice* CAddressBook::findDevice(std::string_view name) {
  return findByName(devices, name);
}
const CDevice* CAddressBook::findDevice(std::string_view name) const {
  return findByName(devices, name);
}
CSite* CAddressBook::findSite(std::string_view name) {
  return findByName(sites, name);
}
const CSite* CAddressBook::findSite(std::string_view name) const {
  return findByName(sites, name);
}
CSiteGroup* CAddressBook::findGroup(std::string_view name) {
  return findByName(groups, name);
}
const CSiteGroup* CAddressBook::findGroup(std::string_view name) const {
  return findByName(groups, name);
}
CTcpIpGroup* CAddressBook::findTcpIpGroup(std::string_view name) {
  return findByName(tcpIpGroups, name);
}
const CTcpIpGroup* CAddressBook::findTcpIpGroup(std::string_view name) const {
  return findByName(tcpIpGroups, name);
}
CMailbox* CAddressBook::findMailbox(std::string_view name) {
  return findByName(mailboxes, name);
}
const CMailbox* CAddressBook::findMailbox(std::string_view name) const {
  return findByName(mailboxes, name);
}
CMailServer* CAddressBook::findMailServer(std::string_view name) {
  return findByName(mailServers, name);
}
const CMailServer* CAddressBook::findMailServer(std::string_view name) const {
  return findByName(mailServers, name);
}

const CSiteGroup* CAddressBook::findGroupOfSite(std::string_view siteName) const {
  // Every group is visited and a later match replaces an earlier one: the dialogs name the last
  // group that holds the site.
  const CSiteGroup* found = nullptr;
  for (const CSiteGroup& group : groups) {
    for (const std::string& member : group.siteNames) {
      if (member == siteName) found = &group;
    }
  }
  return found;
}

platform::Status CAddressBook::canRemoveSite(std::string_view siteName) const {
  const CSiteGroup* group = findGroupOfSite(siteName);
  if (!group) return platform::Status::success();
  return platform::Status::refused(
      i18n::formatText(i18n::text(i18n::IDS_SITE_IN_GROUP), {std::string(siteName), group->name}));
}

platform::Status CAddressBook::canRemoveDevice(std::string_view deviceName) const {
  const bool used = std::any_of(sites.begin(), sites.end(), [deviceName](const CSite& s) {
    return s.deviceName == deviceName;
  });
  if (!used) return platform::Status::success();
  return platform::Status::refused(i18n::text(i18n::IDS_DEVICE_IN_USE));
}

bool CAddressBook::renameSite(std::string_view oldName, const std::string& newName) {
  CSite* site = findSite(oldName);
  if (!site) return false;
  const std::string old(oldName);  // oldName may view the name being replaced
  site->name = newName;
  for (CSiteGroup& group : groups) {
    for (std::string& member : group.siteNames) {
      if (member == old) member = newName;
    }
  }
  return true;
}

std::string sitePath(const std::string& dataDir) {
  return platform::joinPath(dataDir, kSiteManageFileName);
}

}  // namespace addressbook
