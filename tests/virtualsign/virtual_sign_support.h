#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include <ostream>
#include "platform/local_clock.h"
#include "signlink/address_header.h"
#include "tests/support/test_time.h"
#include "virtualsign/sign_receiver.h"
#include "virtualsign/state_json.h"

namespace virtualsign {
// Messages print as their text with each item's colour and font, for readable failures.
inline void PrintTo(const MessageItem& item, std::ostream* os) {
  *os << messageText({item}) << "/c" << int(item.colour) << "f" << int(item.font);
}
}  // namespace virtualsign

namespace vs_test {

inline std::string bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values)
    s.push_back(static_cast<char>(v));
  return s;
}

// The address header a sender writes for `addresses` (expanded) and `groupCode`.
inline std::string header(const std::vector<uint8_t>& addresses, uint8_t groupCode = 0) {
  std::string out;
  signlink::writeAddressHeader(signlink::headerAddresses(addresses), groupCode, &out);
  return out;
}

inline platform::LocalTime hostNow() {
  return testing_support::makeLocalTime(2026, 12, 8, 9, 5, 0, 2);
}

// A fresh sign with `address` and `width` that receives `lineBytes` as one reception.
struct Sign {
  explicit Sign(int address = 0, int width = 80)
      : clock(hostNow()), receiver(initial(address, width), clock) {}
  static virtualsign::SignState initial(int address, int width) {
    virtualsign::SignState s;
    s.address = address;
    s.width = width;
    return s;
  }
  Sign& receive(std::string_view lineBytes) {
    receiver.begin();
    receiver.feed(lineBytes);
    receiver.finish();
    return *this;
  }
  const virtualsign::SignState& state() const { return receiver.state(); }
  const std::vector<virtualsign::Diagnostic>& diagnostics() const { return receiver.diagnostics(); }

  platform::FixedClock clock;
  virtualsign::SignReceiver receiver;
};

}  // namespace vs_test
