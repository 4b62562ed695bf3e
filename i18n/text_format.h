#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace i18n {

// One argument of a formatted message: a number or a text.
using FormatArg = std::variant<long long, std::string>;

// Fills a printf-style message text with typed arguments. Message texts come from language files
// that users edit, so the text is never handed to printf: each conversion (%d %i %u %x %X %c %s,
// with optional '-', '0', width and precision; %% for a percent sign) takes the next argument and
// is converted by its type. A conversion without an argument left is written out unchanged, and
// arguments without a conversion are ignored, so a faulty language file shows odd text but can
// never read memory it should not.
std::string formatText(std::string_view format, const std::vector<FormatArg>& args);

// The string-table text `id` in the current language, filled with `args`.
std::string textWith(int id, const std::vector<FormatArg>& args);

}  // namespace i18n
