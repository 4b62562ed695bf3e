#pragma once

#include <string>
#include <string_view>

#include "platform/status.h"

namespace platform {

// The programs keep all text as Windows-1252 bytes; these convert at the edges (Qt, JSON, mail).

// Every byte maps to one character. The five bytes Windows-1252 leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the control characters of the same value, as Windows does, so any byte
// string survives a round trip.
std::string cp1252ToUtf8(std::string_view bytes);

// Converts UTF-8 to Windows-1252. kRefused when the input is not valid UTF-8 or holds a character
// Windows-1252 cannot represent; the message then names the character's position.
Result<std::string> utf8ToCp1252(std::string_view utf8);

// Converts UTF-8 to Windows-1252 for a field or a text that must hold something: each character
// Windows-1252 cannot represent, and each byte that is not part of valid UTF-8, becomes '?'. For
// file-system paths (bytes, UTF-8 by convention) written into Windows-1252 fields and messages.
std::string utf8ToCp1252Lossy(std::string_view utf8);

// The Unicode code point of a Windows-1252 byte.
char32_t cp1252ToCodePoint(unsigned char byte);

}  // namespace platform
