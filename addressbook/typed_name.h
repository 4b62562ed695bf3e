#pragma once

#include <string>
#include <string_view>

#include "addressbook/address_book.h"
#include "addressbook/book_edits.h"
#include "platform/status.h"

namespace addressbook {

// The name-entry dialog's OK on its field as typed (UTF-8). The book keeps Windows-1252 bytes, so
// a character Windows-1252 lacks is refused with "This field can only hold Western European
// (Windows-1252) characters!" rather than stored as '?' (a name "ł" would become "?" and a second
// one would then clash with it); then checkNewName. On success *name holds the bytes to store.
platform::Status checkTypedName(const CAddressBook& book, NameDialogMode mode,
                                std::string_view typed, std::string* name);

}  // namespace addressbook
