#include "platform/whole_number.h"

#include "platform/ascii_text.h"

namespace platform {

std::optional<int32_t> parseWholeNumber(std::string_view text, int32_t min, int32_t max) {
  text = trimSpaces(text);
  if (text.empty()) return std::nullopt;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > max) return std::nullopt;
  }
  if (value < min) return std::nullopt;
  return static_cast<int32_t>(value);
}

}  // namespace platform
