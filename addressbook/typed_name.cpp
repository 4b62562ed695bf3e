#include "addressbook/typed_name.h"

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "platform/typed_text.h"

namespace addressbook {

platform::Status checkTypedName(const CAddressBook& book, NameDialogMode mode,
                                std::string_view typed, std::string* name) {
  std::string stored;
  if (platform::storeTypedTexts({{typed, &stored}}) == 0)
    return platform::Status::refused(i18n::text(i18n::IDS_TYPED_TEXT_NOT_CP1252));
  platform::Status verdict = checkNewName(book, mode, stored);
  if (verdict.ok()) *name = std::move(stored);
  return verdict;
}

}  // namespace addressbook
