#pragma once

#include <string>
#include <string_view>

namespace mail {

// The answer of a CRAM-MD5 login (RFC 2195) before base64: the user name, one blank, and the
// HMAC-MD5 of the server's decoded challenge keyed with the password, as 32 lowercase
// hexadecimal digits.
std::string cramMd5Response(std::string_view userName, std::string_view password,
                            std::string_view challenge);

}  // namespace mail
