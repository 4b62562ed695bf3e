#include "mail/encoded_word.h"

#include <algorithm>

#include "mail/mail_charset.h"

namespace mail {

namespace {

bool isPrintableAscii(unsigned char byte) {
  return byte >= 32 && byte <= 126;
}

bool isUtf8Continuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// Q-encodes one chunk into *out.
void encodeChunk(std::string_view chunk, std::string_view charset, std::string* out) {
  bool plain = true;
  for (const char c : chunk)
    plain = plain && isPrintableAscii(static_cast<unsigned char>(c));
  if (plain) {
    out->append(chunk);
    return;
  }
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  *out += "=?";
  out->append(charset);
  *out += "?q?";
  for (const char c : chunk) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == ' ') {
      *out += '_';
    } else if (byte == '=' || byte == '?' || byte == '_' || !isPrintableAscii(byte)) {
      *out += '=';
      *out += kHexDigits[byte >> 4];
      *out += kHexDigits[byte & 0x0F];
    } else {
      *out += c;
    }
  }
  *out += "?=";
}

}  // namespace

std::string encodeWords(std::string_view text, std::string_view charset) {
  const std::string bytes = textForCharset(text, charset);
  const bool utf8 = isUtf8Charset(charset);
  std::string out;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t end = std::min(bytes.size(), pos + kEncodedWordChunkBytes);
    if (utf8) {
      // Step back to the start of a character, unless one character fills the whole chunk.
      size_t boundary = end;
      while (boundary > pos && boundary < bytes.size() &&
             isUtf8Continuation(static_cast<unsigned char>(bytes[boundary]))) {
        --boundary;
      }
      if (boundary > pos) end = boundary;
    }
    encodeChunk(std::string_view(bytes).substr(pos, end - pos), charset, &out);
    pos = end;
  }
  return out;
}

}  // namespace mail
