#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace platform {

// A text typed into a window (UTF-8) and the Windows-1252 field it is meant for.
struct TypedText {
  std::string_view utf8;
  std::string* field;
};

// Stores each text's Windows-1252 bytes in its field when Windows-1252 can hold every one of
// them; a character it lacks must be refused where it was typed, as a '?' in its place would
// only show later (a failed log-in, a name that no longer matches). Returns the position of the
// first text that cannot be held, leaving every field as it was, or texts.size() when all were
// stored.
size_t storeTypedTexts(std::initializer_list<TypedText> texts);

}  // namespace platform
