#include "mail/base64.h"

#include <array>
#include <cstdint>

namespace mail {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kPad = '=';
constexpr int kNotInAlphabet = -1;

constexpr std::array<int, 256> makeDecodeTable() {
  std::array<int, 256> table{};
  for (int& v : table)
    v = kNotInAlphabet;
  for (int i = 0; i < 64; ++i)
    table[static_cast<unsigned char>(kAlphabet[i])] = i;
  return table;
}

constexpr std::array<int, 256> kDecodeTable = makeDecodeTable();

// Writes the base64 text of `bytes` to `out` (4 characters for every 3 bytes begun, the last
// group padded with "="); returns the end of what was written.
char* encodeGroups(std::string_view bytes, char* out) {
  const auto byteAt = [&bytes](size_t i) {
    return static_cast<uint32_t>(static_cast<unsigned char>(bytes[i]));
  };
  size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const uint32_t group = (byteAt(i) << 16) | (byteAt(i + 1) << 8) | byteAt(i + 2);
    *out++ = kAlphabet[(group >> 18) & 0x3F];
    *out++ = kAlphabet[(group >> 12) & 0x3F];
    *out++ = kAlphabet[(group >> 6) & 0x3F];
    *out++ = kAlphabet[group & 0x3F];
  }
  const size_t rest = bytes.size() - i;
  if (rest > 0) {
    uint32_t group = byteAt(i) << 16;
    if (rest == 2) group |= byteAt(i + 1) << 8;
    *out++ = kAlphabet[(group >> 18) & 0x3F];
    *out++ = kAlphabet[(group >> 12) & 0x3F];
    *out++ = rest == 2 ? kAlphabet[(group >> 6) & 0x3F] : kPad;
    *out++ = kPad;
  }
  return out;
}

}  // namespace

std::string base64Encode(std::string_view bytes, Base64Lines lines) {
  // The text is written straight into its final place, line ends included: an attachment of
  // several megabytes is encoded in one pass over a buffer sized once.
  const size_t chars = (bytes.size() + 2) / 3 * 4;
  if (lines == Base64Lines::kUnbroken) {
    std::string encoded(chars, '\0');
    encodeGroups(bytes, encoded.data());
    return encoded;
  }
  const size_t lineCount = (chars + kBase64LineLength - 1) / kBase64LineLength;
  std::string encoded(chars + lineCount * 2, '\0');
  char* out = encoded.data();
  // A whole number of groups fills a line, so only the last line can end in padding.
  constexpr size_t kBytesPerLine = kBase64LineLength / 4 * 3;
  for (size_t pos = 0; pos < bytes.size(); pos += kBytesPerLine) {
    out = encodeGroups(bytes.substr(pos, kBytesPerLine), out);
    *out++ = '\r';
    *out++ = '\n';
  }
  return encoded;
}

std::string base64Decode(std::string_view text) {
  std::string decoded;
  decoded.reserve(text.size() / 4 * 3 + 2);
  uint32_t group = 0;
  int held = 0;  // Characters collected in `group` so far (0 to 3).
  for (const char c : text) {
    if (c == kPad) break;
    const int value = kDecodeTable[static_cast<unsigned char>(c)];
    if (value == kNotInAlphabet) continue;
    group = (group << 6) | static_cast<uint32_t>(value);
    if (++held == 4) {
      decoded += static_cast<char>((group >> 16) & 0xFF);
      decoded += static_cast<char>((group >> 8) & 0xFF);
      decoded += static_cast<char>(group & 0xFF);
      group = 0;
      held = 0;
    }
  }
  if (held == 2) {
    decoded += static_cast<char>((group >> 4) & 0xFF);
  } else if (held == 3) {
    decoded += static_cast<char>((group >> 10) & 0xFF);
    decoded += static_cast<char>((group >> 2) & 0xFF);
  }
  return decoded;
}

}  // namespace mail
