#include "mail/hmac_md5.h"

#include <array>
#include <cstring>
#include <string>

namespace mail {

namespace {

constexpr size_t kBlockSize = 64;
constexpr uint8_t kInnerPad = 0x36;
constexpr uint8_t kOuterPad = 0x5C;

}  // namespace

Md5Digest hmacMd5(std::string_view key, std::string_view message) {
  std::array<uint8_t, kBlockSize> block{};
  if (key.size() > kBlockSize) {
    const Md5Digest keyDigest = md5(key);
    std::memcpy(block.data(), keyDigest.data(), keyDigest.size());
  } else if (!key.empty()) {
    std::memcpy(block.data(), key.data(), key.size());
  }

  std::string innerPad(kBlockSize, '\0');
  std::string outerPad(kBlockSize, '\0');
  for (size_t i = 0; i < kBlockSize; ++i) {
    innerPad[i] = static_cast<char>(block[i] ^ kInnerPad);
    outerPad[i] = static_cast<char>(block[i] ^ kOuterPad);
  }

  Md5 hasher;
  hasher.update(innerPad);
  hasher.update(message);
  const Md5Digest inner = hasher.finish();
  hasher.update(outerPad);
  hasher.update(std::string_view(reinterpret_cast<const char*>(inner.data()), inner.size()));
  return hasher.finish();
}

}  // namespace mail
