#include "signlink/address_header.h"

#include <algorithm>

namespace signlink {
namespace {

constexpr uint8_t kLead = 0x00;
constexpr uint8_t kMask = 0xFF;
constexpr uint8_t kListMark = 0x0B;
constexpr uint8_t kEnd = 0xFF;
constexpr size_t kMaxAddresses = 128;  // also the count of the "every sign" list
constexpr uint8_t kEverySign = 0;

}  // namespace

std::vector<uint8_t> headerAddresses(const std::vector<uint8_t>& expanded) {
  const bool everySign = std::find(expanded.begin(), expanded.end(), kEverySign) != expanded.end();
  if (!everySign) {
    return {expanded.begin(), expanded.begin() + static_cast<std::ptrdiff_t>(
                                                     std::min(expanded.size(), kMaxAddresses))};
  }
  std::vector<uint8_t> all(kMaxAddresses);
  for (size_t i = 0; i < kMaxAddresses; ++i)
    all[i] = static_cast<uint8_t>(i);
  return all;
}

void writeAddressHeader(const std::vector<uint8_t>& addresses, uint8_t groupCode,
                        std::string* out) {
  out->push_back(static_cast<char>(kLead));
  out->push_back(static_cast<char>(kMask));
  out->push_back(static_cast<char>(kMask));
  out->push_back(static_cast<char>(groupCode));
  out->push_back(static_cast<char>(kListMark));
  for (const uint8_t a : addresses)
    out->push_back(static_cast<char>(a));
  out->push_back(static_cast<char>(kEnd));
}

}  // namespace signlink
