#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"

namespace addressbook {

// A site's sign-address list is text such as "1,3,5-7": items separated by ",", each a decimal
// number or a range "a-b" whose ends may come in either order. Each sign answers to one one-byte
// address; address 0 means every sign.

// The most addresses one destination's address header can carry.
inline constexpr size_t kMaxSignAddresses = 128;
// The largest address a sign can have.
inline constexpr unsigned kMaxSignAddress = 255;

// Checks a list the user typed before a site is accepted, in this order:
//  1. empty text;
//  2. "," or "-" as the first character;
//  3. "," or "-" as the last character;
//  4. "," or "-" next to another "," or "-" (so "1,,2" and "1,-2" are refused);
//  5. an item that is not one number or two numbers joined by one "-", blanks around the numbers
//     allowed: any character other than digits, blanks, "," and "-" is refused this way, as are
//     an item of blanks alone, "1 2" and "1-2-3" (expansion would read these as 0, the address
//     of every sign, or drop their tail);
//  6. a number above 255 (it would wrap to another sign's address; 256 would reach every sign).
// Success when the list is acceptable; otherwise kRefused with the text to show the user.
platform::Status validateSignAddresses(std::string_view text);

// Expands a list into at most kMaxSignAddresses addresses, in text order, duplicates kept:
//  - empty items are skipped;
//  - an item containing "-" covers min(a,b) .. max(a,b), where a is read from before the first "-"
//    and b from after it; addresses are appended while fewer than kMaxSignAddresses are held;
//  - any other item stops the expansion when kMaxSignAddresses are held, else appends its value.
// A number is read from the item's leading decimal digits after any blanks; no digits read as 0.
// Each address is the low 8 bits of its number (numbers too large for 64 bits count as the largest
// 64-bit value). Never fails: the validator is what refuses bad lists.
std::vector<uint8_t> expandSignAddresses(std::string_view text);

}  // namespace addressbook
