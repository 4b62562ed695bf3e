#include "addressbook/book_edits.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"

namespace addressbook {
namespace {

platform::Status refuse(int id) {
  return platform::Status::refused(i18n::text(id));
}

platform::Status noSuchRecord(std::string_view name) {
  return platform::Status::refused("", "no record named \"" + std::string(name) + "\"");
}

// Calls fn(list) with the list the mode names; returns `otherwise` for the modes without one.
template <typename Book, typename Fn, typename R>
R withList(Book& book, NameDialogMode mode, Fn fn, R otherwise) {
  switch (mode) {
    case NameDialogMode::kMailbox:
      return fn(book.mailboxes);
    case NameDialogMode::kDevice:
      return fn(book.devices);
    case NameDialogMode::kSite:
      return fn(book.sites);
    case NameDialogMode::kGroup:
      return fn(book.groups);
    case NameDialogMode::kTcpIpGroup:
      return fn(book.tcpIpGroups);
    case NameDialogMode::kMailServer:
      return fn(book.mailServers);
    case NameDialogMode::kBitmapIndex:
    case NameDialogMode::kMailAddress:
      break;
  }
  return otherwise;
}

// The position of the first record called `name`, or -1.
template <typename Record>
ptrdiff_t indexOf(const std::vector<Record>& list, std::string_view name) {
  auto it =
      std::find_if(list.begin(), list.end(), [name](const Record& r) { return r.name == name; });
  return it == list.end() ? -1 : it - list.begin();
}

ptrdiff_t indexIn(const CAddressBook& book, NameDialogMode mode, std::string_view name) {
  return withList(
      book, mode, [name](const auto& list) { return indexOf(list, name); }, ptrdiff_t{-1});
}

// The device a site sends through; null when it has gone.
const CDevice* deviceOf(const CAddressBook& book, const CSite& site) {
  return book.findDevice(site.deviceName);
}

// Renames, in the sites whose device is of `type`, the network target `oldName`.
void renameSiteTargets(CAddressBook* book, DeviceType type, const std::string& oldName,
                       const std::string& newName) {
  for (CSite& site : book->sites) {
    const CDevice* device = deviceOf(*book, site);
    if (device && device->type == type && site.networkTarget == oldName)
      site.networkTarget = newName;
  }
}

void renameDeviceReferences(CAddressBook* book, const std::string& oldName,
                            const std::string& newName) {
  for (CSite& site : book->sites) {
    if (site.deviceName == oldName) site.deviceName = newName;
  }
  if (book->defaultDevice == oldName) book->defaultDevice = newName;
}

// Renames what names the record; runs before the record itself is renamed, so that a site's
// device still resolves under its old name.
void renameReferences(CAddressBook* book, NameDialogMode mode, const std::string& oldName,
                      const std::string& newName) {
  switch (mode) {
    case NameDialogMode::kDevice:
      renameDeviceReferences(book, oldName, newName);
      break;
    case NameDialogMode::kTcpIpGroup:
      renameSiteTargets(book, DeviceType::kTcpIp, oldName, newName);
      break;
    case NameDialogMode::kMailbox:
      renameSiteTargets(book, DeviceType::kEmail, oldName, newName);
      break;
    case NameDialogMode::kMailServer:
      for (CDevice& device : book->devices) {
        if (device.mailServerName == oldName) device.mailServerName = newName;
      }
      break;
    default:  // sites rename their groups' entries through renameSite; groups are not named
      break;
  }
}

}  // namespace

platform::Status checkNewName(const CAddressBook& book, NameDialogMode mode,
                              std::string_view name) {
  if (indexIn(book, mode, name) >= 0) return refuse(i18n::IDS_NAME_EXISTS);
  return platform::Status::success();
}

platform::Status renameRecord(CAddressBook* book, NameDialogMode mode, std::string_view oldName,
                              const std::string& newName) {
  const ptrdiff_t index = indexIn(*book, mode, oldName);
  if (index < 0) return noSuchRecord(oldName);
  const platform::Status free = checkNewName(*book, mode, newName);
  if (!free.ok()) return free;
  const std::string old(oldName);  // oldName may view the name being replaced
  if (mode == NameDialogMode::kSite) {
    book->renameSite(old, newName);
    return platform::Status::success();
  }
  renameReferences(book, mode, old, newName);
  withList(
      *book, mode,
      [&](auto& list) {
        list[static_cast<size_t>(index)].name = newName;
        return true;
      },
      false);
  return platform::Status::success();
}

platform::Status removeRecord(CAddressBook* book, NameDialogMode mode, std::string_view name) {
  const ptrdiff_t index = indexIn(*book, mode, name);
  if (index < 0) return noSuchRecord(name);
  platform::Status allowed;
  if (mode == NameDialogMode::kSite) allowed = book->canRemoveSite(name);
  if (mode == NameDialogMode::kDevice) allowed = book->canRemoveDevice(name);
  if (!allowed.ok()) return allowed;
  if (mode == NameDialogMode::kDevice && book->defaultDevice == name) book->defaultDevice.clear();
  withList(
      *book, mode,
      [index](auto& list) {
        list.erase(list.begin() + index);
        return true;
      },
      false);
  return platform::Status::success();
}

platform::Status includeSites(std::vector<std::string>* members,
                              const std::vector<std::string>& selected) {
  if (selected.empty()) return refuse(i18n::IDS_SELECT_SITES_TO_INCLUDE);
  for (const std::string& name : selected) {
    if (std::find(members->begin(), members->end(), name) == members->end())
      members->push_back(name);
  }
  return platform::Status::success();
}

platform::Status removeMember(std::vector<std::string>* members, std::string_view name) {
  auto it = std::find(members->begin(), members->end(), name);
  if (name.empty() || it == members->end()) return refuse(i18n::IDS_SELECT_SITES_TO_INCLUDE);
  members->erase(it);
  return platform::Status::success();
}

platform::Status addGroup(CAddressBook* book, const std::string& name,
                          std::vector<std::string> members) {
  const platform::Status free = checkNewName(*book, NameDialogMode::kGroup, name);
  if (!free.ok()) return free;
  book->groups.push_back(CSiteGroup{name, std::move(members)});
  return platform::Status::success();
}

platform::Status validateTcpIpAddress(std::string_view address) {
  if (address.empty()) return refuse(i18n::IDS_TCP_IP_ADDRESS_EMPTY);
  return platform::Status::success();
}

IpOctets parseIpAddress(std::string_view address) {
  IpOctets octets{};
  for (size_t part = 0; part < octets.size(); ++part) {
    unsigned value = 0;
    for (size_t i = 0; i < address.size() && address[i] >= '0' && address[i] <= '9'; ++i)
      value = std::min(255u, value * 10 + static_cast<unsigned>(address[i] - '0'));
    octets[part] = static_cast<uint8_t>(value);
    const size_t dot = address.find('.');
    if (dot == std::string_view::npos) break;
    address.remove_prefix(dot + 1);
  }
  return octets;
}

std::string formatIpAddress(const IpOctets& octets) {
  std::string text;
  for (uint8_t octet : octets) {
    if (!text.empty()) text += '.';
    text += std::to_string(octet);
  }
  return text;
}

platform::Status addTcpIpGroup(CAddressBook* book, const std::string& name,
                               const std::string& address) {
  platform::Status status = checkNewName(*book, NameDialogMode::kTcpIpGroup, name);
  if (status.ok()) status = validateTcpIpAddress(address);
  if (!status.ok()) return status;
  book->tcpIpGroups.push_back(CTcpIpGroup{name, address});
  return platform::Status::success();
}

}  // namespace addressbook
