#include "mail/dot_stuffing.h"

namespace mail {

std::string dotStuff(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  bool atLineStart = true;
  for (const char c : text) {
    if (c == '.' && atLineStart) out += '.';
    out += c;
    atLineStart = c == '\n';
  }
  return out;
}

}  // namespace mail
