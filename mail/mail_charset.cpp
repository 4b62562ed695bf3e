#include "mail/mail_charset.h"

#include <strings.h>

#include "platform/cp1252.h"

namespace mail {

bool isUtf8Charset(std::string_view charset) {
  static constexpr std::string_view kUtf8 = "UTF-8";
  return charset.size() == kUtf8.size() &&
         ::strncasecmp(charset.data(), kUtf8.data(), kUtf8.size()) == 0;
}

std::string textForCharset(std::string_view text, std::string_view charset) {
  if (isUtf8Charset(charset)) return platform::cp1252ToUtf8(text);
  return std::string(text);
}

}  // namespace mail
