#include "i18n/text_format.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "i18n/string_table.h"

namespace i18n {
namespace {

struct Spec {
  bool leftAlign = false;
  bool zeroPad = false;
  int width = 0;
  int precision = -1;
  char conversion = 0;
};

std::string pad(std::string body, const Spec& spec, bool numeric) {
  if (static_cast<int>(body.size()) >= spec.width) return body;
  const size_t fill = static_cast<size_t>(spec.width) - body.size();
  if (spec.leftAlign) return body + std::string(fill, ' ');
  if (spec.zeroPad && numeric) {
    const size_t signLen = (!body.empty() && body[0] == '-') ? 1 : 0;
    return body.substr(0, signLen) + std::string(fill, '0') + body.substr(signLen);
  }
  return std::string(fill, ' ') + body;
}

std::string numberText(long long v, char conversion) {
  char buf[32];
  switch (conversion) {
    case 'u':
      std::snprintf(buf, sizeof(buf), "%llu", static_cast<unsigned long long>(v));
      break;
    case 'x':
      std::snprintf(buf, sizeof(buf), "%llx", static_cast<unsigned long long>(v));
      break;
    case 'X':
      std::snprintf(buf, sizeof(buf), "%llX", static_cast<unsigned long long>(v));
      break;
    default:
      std::snprintf(buf, sizeof(buf), "%lld", v);
      break;
  }
  return buf;
}

std::string convert(const FormatArg& arg, const Spec& spec) {
  if (spec.conversion == 's') {
    std::string s = std::holds_alternative<std::string>(arg)
                        ? std::get<std::string>(arg)
                        : numberText(std::get<long long>(arg), 'd');
    if (spec.precision >= 0 && static_cast<size_t>(spec.precision) < s.size()) {
      s.resize(static_cast<size_t>(spec.precision));
    }
    return pad(std::move(s), spec, false);
  }
  if (spec.conversion == 'c') {
    const char c = std::holds_alternative<long long>(arg)
                       ? static_cast<char>(std::get<long long>(arg))
                       : (std::get<std::string>(arg).empty() ? ' ' : std::get<std::string>(arg)[0]);
    return pad(std::string(1, c), spec, false);
  }
  long long v = 0;
  if (std::holds_alternative<long long>(arg)) {
    v = std::get<long long>(arg);
  } else {
    v = std::strtoll(std::get<std::string>(arg).c_str(), nullptr, 10);
  }
  return pad(numberText(v, spec.conversion), spec, true);
}

bool isConversion(char c) {
  return c == 'd' || c == 'i' || c == 'u' || c == 'x' || c == 'X' || c == 'c' || c == 's';
}

}  // namespace

std::string formatText(std::string_view format, const std::vector<FormatArg>& args) {
  std::string out;
  size_t next = 0;
  size_t i = 0;
  while (i < format.size()) {
    const char c = format[i];
    if (c != '%') {
      out.push_back(c);
      ++i;
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      out.push_back('%');
      i += 2;
      continue;
    }
    // Parse flags, width, precision and length modifiers.
    Spec spec;
    size_t j = i + 1;
    for (; j < format.size() && (format[j] == '-' || format[j] == '0'); ++j) {
      (format[j] == '-' ? spec.leftAlign : spec.zeroPad) = true;
    }
    for (; j < format.size() && std::isdigit(static_cast<unsigned char>(format[j])); ++j) {
      spec.width = std::min(spec.width * 10 + (format[j] - '0'), 1000);
    }
    if (j < format.size() && format[j] == '.') {
      spec.precision = 0;
      for (++j; j < format.size() && std::isdigit(static_cast<unsigned char>(format[j])); ++j) {
        spec.precision = std::min(spec.precision * 10 + (format[j] - '0'), 100000);
      }
    }
    while (j < format.size() && (format[j] == 'l' || format[j] == 'h'))
      ++j;
    if (j >= format.size() || !isConversion(format[j]) || next >= args.size()) {
      // Not a conversion we fill: keep the text as it stands.
      out.push_back('%');
      ++i;
      continue;
    }
    spec.conversion = format[j];
    out += convert(args[next++], spec);
    i = j + 1;
  }
  return out;
}

std::string textWith(int id, const std::vector<FormatArg>& args) {
  return formatText(text(id), args);
}

}  // namespace i18n
