#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

// A number the user typed into a field that takes a count, a port or a number of seconds: decimal
// digits only, blanks around them allowed, from `min` to `max`. Nothing for anything else (empty,
// a sign, a fraction, a word, a value out of range), so a field cannot quietly become 0.
std::optional<int32_t> parseWholeNumber(std::string_view text, int32_t min, int32_t max);

}  // namespace platform
