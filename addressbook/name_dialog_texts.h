#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "addressbook/book_edits.h"

namespace addressbook {

// What the shared name-entry dialog shows in each mode, in the current language.
struct NameDialogTexts {
  std::string caption;
  std::string prompt;
  std::size_t maxLength = 0;  // characters the field takes; 0 for no limit
};

NameDialogTexts nameDialogTexts(NameDialogMode mode);

// The caption of a dialog that works on one record: the string-table text `stringId` (for example
// "Rename Site"), ":" and the record's name, so "New Site" and a site named Depot give
// "New Site:Depot".
std::string recordCaption(int stringId, std::string_view name);

}  // namespace addressbook
