#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mail {

// Size of an MD5 digest in bytes.
inline constexpr size_t kMd5DigestSize = 16;

using Md5Digest = std::array<uint8_t, kMd5DigestSize>;

// The MD5 message digest of RFC 1321, fed piece by piece. The CRAM-MD5 login needs it; it is not
// used for anything that has to resist attack.
class Md5 {
 public:
  Md5();

  // Adds `bytes` to the message.
  void update(std::string_view bytes);

  // Pads the message, returns its digest and resets the object for a new message.
  Md5Digest finish();

 private:
  void transform(const uint8_t block[64]);

  std::array<uint32_t, 4> state_;   // A, B, C, D.
  uint64_t bitCount_;               // Message length so far, in bits.
  std::array<uint8_t, 64> buffer_;  // Bytes of the unfinished block.
  size_t buffered_;                 // How many bytes of buffer_ hold data.
};

// The digest of a whole message.
Md5Digest md5(std::string_view bytes);

// A digest as lowercase hexadecimal digits, two per byte ("%02x" each).
std::string digestToHex(const Md5Digest& digest);

}  // namespace mail
