#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace signlink {

// Every command record a sign interprets may open with an address header naming the signs that
// should take it: 0x00, 0xFF 0xFF, the group code, 0x0B, the addresses, 0xFF.
inline constexpr uint8_t kGroupCodeSettings = 1;  // sign width and clear-memory records
inline constexpr uint8_t kGroupCodeMessages = 0;  // every other record

// The addresses one destination's headers carry. Address 0 means every sign, and a list holding
// it anywhere is sent as the 128 addresses 0 to 127 instead.
std::vector<uint8_t> headerAddresses(const std::vector<uint8_t>& expanded);

// Appends the address header for `addresses` (as returned by headerAddresses).
void writeAddressHeader(const std::vector<uint8_t>& addresses, uint8_t groupCode, std::string* out);

// Length of that header: 6 bytes plus one per address.
inline size_t addressHeaderLength(const std::vector<uint8_t>& addresses) {
  return 6 + addresses.size();
}

}  // namespace signlink
