#pragma once

#include <string_view>

#include "mail/md5.h"

namespace mail {

// HMAC-MD5 of RFC 2104: a key longer than the 64-byte block is first replaced by its MD5 digest,
// then zero-padded to 64 bytes; inner = MD5(key ^ 0x36..., message), result = MD5(key ^ 0x5C...,
// inner). CRAM-MD5 answers a server's challenge with it, the password being the key.
Md5Digest hmacMd5(std::string_view key, std::string_view message);

}  // namespace mail
