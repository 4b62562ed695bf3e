#include "addressbook/site_dialog_rules.h"

#include <algorithm>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"

namespace addressbook {
namespace {

template <typename Record>
std::vector<std::string> namesOf(const std::vector<Record>& list) {
  std::vector<std::string> names;
  names.reserve(list.size());
  for (const Record& record : list)
    names.push_back(record.name);
  return names;
}

}  // namespace

SiteListRules siteListRules(SiteListMode mode) {
  if (mode == SiteListMode::kGroups) {
    return {NameDialogMode::kGroup, i18n::IDS_NAME_CAPTION_GROUP, i18n::IDS_CAPTION_EDIT_GROUP,
            i18n::IDS_CAPTION_RENAME_GROUP, i18n::IDS_SELECT_AVAILABLE_GROUP};
  }
  return {NameDialogMode::kSite, i18n::IDS_NAME_CAPTION_SITE, i18n::IDS_CAPTION_EDIT_SITE,
          i18n::IDS_CAPTION_RENAME_SITE, i18n::IDS_SELECT_AVAILABLE_SITE};
}

GroupModeTexts groupModeTexts() {
  return {i18n::text(i18n::IDS_GROUP_SETTINGS_CAPTION), i18n::text(i18n::IDS_AVAILABLE_GROUPS),
          i18n::text(i18n::IDS_NAME_CAPTION_GROUP),     i18n::text(i18n::IDS_CAPTION_EDIT_GROUP),
          i18n::text(i18n::IDS_CAPTION_RENAME_GROUP),   i18n::text(i18n::IDS_REMOVE_GROUP)};
}

std::vector<std::string> siteListNames(const CAddressBook& book, SiteListMode mode) {
  return mode == SiteListMode::kGroups ? namesOf(book.groups) : namesOf(book.sites);
}

std::string removeQuestion(std::string_view name) {
  std::string question = i18n::text(i18n::IDS_ASK_REMOVE_RECORD);
  question += ' ';
  question += name;
  return question;
}

SiteTargetRow siteTargetRow(const CAddressBook& book, std::string_view deviceName) {
  const CDevice* device = deviceName.empty() ? nullptr : book.findDevice(deviceName);
  if (!device) return SiteTargetRow::kNone;
  switch (device->type) {
    case DeviceType::kModem:
      return SiteTargetRow::kPhoneNumber;
    case DeviceType::kTcpIp:
      return SiteTargetRow::kTcpIpGroup;
    case DeviceType::kEmail:
      return SiteTargetRow::kMailbox;
    default:
      return SiteTargetRow::kNone;
  }
}

std::string siteTargetLabel(SiteTargetRow row) {
  if (row == SiteTargetRow::kTcpIpGroup) return i18n::text(i18n::IDS_SITE_TARGET_TCP_IP_GROUP);
  if (row == SiteTargetRow::kMailbox) return i18n::text(i18n::IDS_SITE_TARGET_MAILBOX);
  return {};
}

std::vector<std::string> siteTargetChoices(const CAddressBook& book, SiteTargetRow row) {
  if (row == SiteTargetRow::kTcpIpGroup) return namesOf(book.tcpIpGroups);
  if (row == SiteTargetRow::kMailbox) return namesOf(book.mailboxes);
  return {};
}

std::string preselectedDevice(const CAddressBook& book, const CSite* site) {
  if (site) return book.findDevice(site->deviceName) ? site->deviceName : std::string();
  if (book.findDevice(book.defaultDevice)) return book.defaultDevice;
  return book.devices.empty() ? std::string() : book.devices.front().name;
}

std::string tcpIpGroupEntry(const CTcpIpGroup& group) {
  return group.name + "<=>" + group.address;
}

std::string removeTcpIpGroupQuestion(std::string_view name) {
  return i18n::formatText(i18n::text(i18n::IDS_ASK_REMOVE_TCP_IP_GROUP), {std::string(name)});
}

int selectionAfterRemoval(int removed, int remaining) {
  if (remaining <= 0) return -1;
  return std::clamp(removed, 0, remaining - 1);
}

std::string ipAddressFromField(std::string_view fieldText) {
  std::string kept;
  bool anyDigit = false;
  for (char c : fieldText) {
    const bool digit = c >= '0' && c <= '9';
    anyDigit = anyDigit || digit;
    if (digit || c == '.') kept += c;
  }
  if (!anyDigit) return {};
  return formatIpAddress(parseIpAddress(kept));
}

}  // namespace addressbook
