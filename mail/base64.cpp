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

}  // namespace

std::string base64Encode(std::string_view bytes, Base64Lines lines) {
  std::string encoded;
  encoded.reserve((bytes.size() + 2) / 3 * 4);
  size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const uint32_t group = (static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << 16) |
                           (static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8) |
                           static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 2]));
    encoded += kAlphabet[(group >> 18) & 0x3F];
    encoded += kAlphabet[(group >> 12) & 0x3F];
    encoded += kAlphabet[(group >> 6) & 0x3F];
    encoded += kAlphabet[group & 0x3F];
  }
  const size_t rest = bytes.size() - i;
  if (rest > 0) {
    uint32_t group = static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
    if (rest == 2) group |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
    encoded += kAlphabet[(group >> 18) & 0x3F];
    encoded += kAlphabet[(group >> 12) & 0x3F];
    encoded += rest == 2 ? kAlphabet[(group >> 6) & 0x3F] : kPad;
    encoded += kPad;
  }
  if (lines == Base64Lines::kUnbroken) return encoded;

  std::string broken;
  broken.reserve(encoded.size() + (encoded.size() / kBase64LineLength + 1) * 2);
  for (size_t pos = 0; pos < encoded.size(); pos += kBase64LineLength) {
    broken.append(encoded, pos, kBase64LineLength);
    broken += "\r\n";
  }
  return broken;
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
