#pragma once

#include <string>
#include <string_view>

namespace mail {

// The charset every part and header of our mails names unless told otherwise.
inline constexpr char kDefaultCharset[] = "iso-8859-1";

// True when `charset` names UTF-8 ("UTF-8", any letter case).
bool isUtf8Charset(std::string_view charset);

// The bytes to put into a mail for `text` (Windows-1252, as the programs keep all text) under
// `charset`: converted to UTF-8 when the charset is UTF-8, otherwise unchanged.
std::string textForCharset(std::string_view text, std::string_view charset);

}  // namespace mail
