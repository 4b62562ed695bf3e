#pragma once

#include <string>
#include <vector>

#include "addressbook/address_book.h"
#include "platform/status.h"
#include "signlink/send_item.h"

// The rules of the "Send option..." dialog: which names it lists, which one it preselects, and
// what OK accepts. The dialog only shows and collects.
namespace signlink {

// The dialog's last choice, kept for its next opening (the "SendInfo" profile keys).
struct SendOptionMemory {
  bool isGroup = false;
  std::string lastSite;
  std::string lastGroup;
};

// The names the list offers: every site, or every group, in address-book order.
std::vector<std::string> sendTargetNames(const addressbook::CAddressBook& book, bool isGroup);

// The entry to preselect: `lastName` when listed, else the first; -1 for an empty list.
int preselectedTarget(const std::vector<std::string>& names, const std::string& lastName);

// The string id of the list's frame caption: "Available Sites" or "Available Groups".
int sendTargetCaptionId(bool isGroup);

// The dialog opened on `memory`: the kind to check, the names listed and the entry selected.
struct SendOptionView {
  bool isGroup = false;
  std::vector<std::string> names;
  int selected = -1;
};
SendOptionView sendOptionView(const addressbook::CAddressBook& book, const SendOptionMemory& memory,
                              bool isGroup);

// OK with `selectedName` (empty when nothing is selected): refused with "You must first select one
// site or group ..." (the dialog stays open), else the choice, remembered in *memory.
platform::Result<SendChoice> confirmSendOption(bool isGroup, const std::string& selectedName,
                                               SendOptionMemory* memory);

}  // namespace signlink
