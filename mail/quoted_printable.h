#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mail {

// Longest encoded line, counting the "=" of a soft line break but not the CR LF.
inline constexpr size_t kQuotedPrintableLineLimit = 76;

// Quoted-printable encoding of a text body, in two passes:
// 1. the bytes 33-60 and 62-126, tab, LF, CR and blank are copied; every other byte ("=" and all
//    bytes from 127 up among them) becomes "=" and two uppercase hexadecimal digits;
// 2. lines longer than the limit are cut with the soft line break "=\r\n", just after the last
//    blank or tab or the last complete escape that fits, or at the limit when there is none
//    (never inside an escape). Lines ended by CR or LF in the text keep their line ends.
std::string quotedPrintableEncode(std::string_view text);

}  // namespace mail
