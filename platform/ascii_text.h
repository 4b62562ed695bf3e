#pragma once

#include <string_view>

namespace platform {

// Helpers for the ASCII keywords of profile files, language files, line settings and protocol
// replies. They look at bytes in the "C" locale: a Windows-1252 letter above 0x7F is never a
// space and never changes case.

// `text` without the white space (space, tab, CR, LF, VT, FF) at either end.
std::string_view trimSpaces(std::string_view text);

// True when `a` and `b` are the same apart from the case of ASCII letters.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace platform
