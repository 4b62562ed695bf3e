#include "addressbook/sign_addresses.h"

#include <algorithm>
#include <limits>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"

namespace addressbook {
namespace {

constexpr char kItemSeparator = ',';
constexpr char kRangeSeparator = '-';

bool isSeparator(char c) {
  return c == kItemSeparator || c == kRangeSeparator;
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

// The value of the leading decimal digits of `text` after any blanks; 0 when there are none.
// Saturates instead of overflowing.
uint64_t leadingNumber(std::string_view text) {
  constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();
  size_t i = 0;
  while (i < text.size() && isBlank(text[i]))
    ++i;
  uint64_t value = 0;
  for (; i < text.size() && isDigit(text[i]); ++i) {
    const uint64_t digit = static_cast<uint64_t>(text[i] - '0');
    value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
  }
  return value;
}

// True when some run of digits in `text` stands for a number above the largest sign address.
bool hasNumberAboveMaxAddress(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    if (!isDigit(text[i])) {
      ++i;
      continue;
    }
    const size_t start = i;
    while (i < text.size() && isDigit(text[i]))
      ++i;
    if (leadingNumber(text.substr(start, i - start)) > kMaxSignAddress) return true;
  }
  return false;
}

// True when `part` is one number, with blanks around it allowed: "7", " 12 ".
bool isOneNumber(std::string_view part) {
  size_t i = 0;
  while (i < part.size() && isBlank(part[i]))
    ++i;
  const size_t digitsStart = i;
  while (i < part.size() && isDigit(part[i]))
    ++i;
  if (i == digitsStart) return false;
  while (i < part.size() && isBlank(part[i]))
    ++i;
  return i == part.size();
}

// True when every item is a number or two numbers joined by one "-". Anything else would expand
// to something the user did not type: a letter or a lone blank reads as 0, which every sign
// answers to, and "1 2" or "1-2-3" would silently drop their tail.
bool itemsAreWellFormed(std::string_view text) {
  while (true) {
    const size_t end = std::min(text.find(kItemSeparator), text.size());
    const std::string_view item = text.substr(0, end);
    const size_t dash = item.find(kRangeSeparator);
    if (dash == std::string_view::npos) {
      if (!isOneNumber(item)) return false;
    } else if (!isOneNumber(item.substr(0, dash)) || !isOneNumber(item.substr(dash + 1))) {
      return false;
    }
    if (end == text.size()) return true;
    text.remove_prefix(end + 1);
  }
}

platform::Status refuse(int id) {
  return platform::Status::refused(i18n::text(id));
}

}  // namespace

platform::Status validateSignAddresses(std::string_view text) {
  if (text.empty()) return refuse(i18n::IDS_ADDRESS_EMPTY);
  if (isSeparator(text.front())) return refuse(i18n::IDS_ADDRESS_FIRST_CHAR);
  if (isSeparator(text.back())) return refuse(i18n::IDS_ADDRESS_LAST_CHAR);
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (isSeparator(text[i]) && isSeparator(text[i + 1])) return refuse(i18n::IDS_ADDRESS_INVALID);
  }
  if (!itemsAreWellFormed(text)) return refuse(i18n::IDS_ADDRESS_BAD_ITEM);
  if (hasNumberAboveMaxAddress(text)) return refuse(i18n::IDS_ADDRESS_ABOVE_255);
  return platform::Status::success();
}

std::vector<uint8_t> expandSignAddresses(std::string_view text) {
  std::vector<uint8_t> addresses;
  addresses.reserve(kMaxSignAddresses);
  while (true) {
    const size_t end = std::min(text.find(kItemSeparator), text.size());
    const std::string_view item = text.substr(0, end);
    if (!item.empty()) {
      const size_t dash = item.find(kRangeSeparator);
      if (dash != std::string_view::npos) {
        const uint64_t a = leadingNumber(item.substr(0, dash));
        const uint64_t b = leadingNumber(item.substr(dash + 1));
        const uint64_t lo = std::min(a, b);
        const uint64_t hi = std::max(a, b);
        // Counting up from lo; the room left bounds the loop, so a huge range costs nothing.
        for (uint64_t n = lo; addresses.size() < kMaxSignAddresses; ++n) {
          addresses.push_back(static_cast<uint8_t>(n & 0xFF));
          if (n == hi) break;
        }
      } else {
        if (addresses.size() >= kMaxSignAddresses) break;
        addresses.push_back(static_cast<uint8_t>(leadingNumber(item) & 0xFF));
      }
    }
    if (end == text.size()) break;
    text.remove_prefix(end + 1);
  }
  return addresses;
}

}  // namespace addressbook
