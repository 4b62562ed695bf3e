#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mail {

// Source bytes that go into one encoded word.
inline constexpr size_t kEncodedWordChunkBytes = 70;

// Writes header text (a subject, a friendly name) as RFC 2047 "Q" encoded words. The text is
// first converted for `charset` (UTF-8 conversion when it names UTF-8), then cut into chunks of
// kEncodedWordChunkBytes bytes; with UTF-8 a chunk never ends inside a character. The results of
// the chunks are joined with nothing between them. A chunk of printable ASCII only is written as
// it is; any other chunk becomes "=?" charset "?q?" ... "?=" in which a blank is "_", the bytes
// "=", "?", "_", every control byte and every byte from 127 up are "=" and two uppercase
// hexadecimal digits, and the rest stays as it is. So no text can break a header line.
std::string encodeWords(std::string_view text, std::string_view charset);

}  // namespace mail
