#include "signlink/send_option.h"

#include <algorithm>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"

namespace signlink {

std::vector<std::string> sendTargetNames(const addressbook::CAddressBook& book, bool isGroup) {
  std::vector<std::string> names;
  if (isGroup) {
    for (const auto& group : book.groups)
      names.push_back(group.name);
  } else {
    for (const auto& site : book.sites)
      names.push_back(site.name);
  }
  return names;
}

int preselectedTarget(const std::vector<std::string>& names, const std::string& lastName) {
  if (names.empty()) return -1;
  const auto found = std::find(names.begin(), names.end(), lastName);
  return found == names.end() ? 0 : static_cast<int>(found - names.begin());
}

int sendTargetCaptionId(bool isGroup) {
  return isGroup ? i18n::IDS_SEND_TARGET_GROUPS : i18n::IDS_SEND_TARGET_SITES;
}

SendOptionView sendOptionView(const addressbook::CAddressBook& book, const SendOptionMemory& memory,
                              bool isGroup) {
  SendOptionView view;
  view.isGroup = isGroup;
  view.names = sendTargetNames(book, isGroup);
  view.selected = preselectedTarget(view.names, isGroup ? memory.lastGroup : memory.lastSite);
  return view;
}

platform::Result<SendChoice> confirmSendOption(bool isGroup, const std::string& selectedName,
                                               SendOptionMemory* memory) {
  if (selectedName.empty()) {
    return platform::Status::refused(i18n::text(i18n::IDS_SELECT_SITE_OR_GROUP));
  }
  memory->isGroup = isGroup;
  (isGroup ? memory->lastGroup : memory->lastSite) = selectedName;
  return SendChoice{isGroup, selectedName};
}

}  // namespace signlink
