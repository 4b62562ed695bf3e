#include "platform/cp1252.h"

#include <array>
#include <cstdio>

namespace platform {
namespace {

// Code points of bytes 0x80 to 0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> kCodePointsOf80To9F = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

void appendUtf8(std::string* out, char32_t cp) {
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Decodes one UTF-8 sequence at *pos; returns false on malformed input.
bool decodeUtf8(std::string_view s, size_t* pos, char32_t* cp) {
  const auto lead = static_cast<unsigned char>(s[*pos]);
  int extra;
  char32_t value;
  if (lead < 0x80) {
    extra = 0;
    value = lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    value = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    value = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    value = lead & 0x07;
  } else {
    return false;
  }
  if (*pos + static_cast<size_t>(extra) >= s.size() && extra > 0) return false;
  for (int k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(s[*pos + static_cast<size_t>(k)]);
    if ((b & 0xC0) != 0x80) return false;
    value = (value << 6) | (b & 0x3F);
  }
  static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  if (value < kMin[extra] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    return false;
  }
  *pos += static_cast<size_t>(extra) + 1;
  *cp = value;
  return true;
}

}  // namespace

char32_t cp1252ToCodePoint(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kCodePointsOf80To9F[byte - 0x80];
  return byte;
}

std::string cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes)
    appendUtf8(&out, cp1252ToCodePoint(static_cast<unsigned char>(c)));
  return out;
}

namespace {

// The Windows-1252 byte of code point `cp`, or false when it has none.
bool codePointToCp1252(char32_t cp, char* byte) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
    *byte = static_cast<char>(cp);
    return true;
  }
  for (size_t k = 0; k < kCodePointsOf80To9F.size(); ++k) {
    if (kCodePointsOf80To9F[k] == cp) {
      *byte = static_cast<char>(0x80 + k);
      return true;
    }
  }
  return false;
}

}  // namespace

std::string utf8ToCp1252Lossy(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t cp;
    char byte;
    if (!decodeUtf8(utf8, &pos, &cp)) {
      ++pos;  // One '?' per byte that does not start a valid sequence.
      out.push_back('?');
    } else {
      out.push_back(codePointToCp1252(cp, &byte) ? byte : '?');
    }
  }
  return out;
}

Result<std::string> utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    const size_t at = pos;
    char32_t cp;
    if (!decodeUtf8(utf8, &pos, &cp)) {
      return Status::refused("invalid UTF-8 at byte " + std::to_string(at));
    }
    char byte;
    if (!codePointToCp1252(cp, &byte)) {
      char buf[96];
      std::snprintf(buf, sizeof(buf), "character U+%04X at byte %zu is not in Windows-1252",
                    static_cast<unsigned>(cp), at);
      return Status::refused(buf);
    }
    out.push_back(byte);
  }
  return out;
}

}  // namespace platform
