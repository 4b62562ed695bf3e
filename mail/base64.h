#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mail {

// Base64 as MIME defines it (alphabet A-Z a-z 0-9 + /, "=" as pad character).

// Length of a base64 line in a mail body, not counting its CR LF.
inline constexpr size_t kBase64LineLength = 76;

// How the encoder lays out its text.
enum class Base64Lines {
  kUnbroken,   // One line, no line ends: the form SMTP authentication sends.
  kMailLines,  // Lines of kBase64LineLength characters, each (the last, shorter one too)
               // followed by CR LF. Empty input gives empty output.
};

// Encodes `bytes`: every 3 bytes become 4 characters, the last group padded with one or two "=".
std::string base64Encode(std::string_view bytes, Base64Lines lines);

// Decodes base64 text. The bytes 7 to 13 (the line-end and tab characters) and the blank are
// dropped first, and so is every other character outside the alphabet, so line-broken text and
// stray bytes from a server decode as far as the alphabet goes; the first "=" ends the data. A
// trailing group of two or three characters without padding still gives its one or two bytes; a
// single leftover character carries no whole byte and is ignored.
std::string base64Decode(std::string_view text);

}  // namespace mail
