#pragma once

// Address-book records for tests that send: a device at 9600 baud and a site on a device.

#include <string>

#include "addressbook/address_records.h"

namespace testing_support {

inline addressbook::CDevice device(const std::string& name, addressbook::DeviceType type,
                                   int comPort) {
  addressbook::CDevice d;
  d.name = name;
  d.type = type;
  d.comPort = comPort;
  d.baudRate = 9600;
  return d;
}

inline addressbook::CSite site(const std::string& name, const std::string& deviceName,
                               const std::string& addresses, const std::string& target = {}) {
  addressbook::CSite s;
  s.name = name;
  s.deviceName = deviceName;
  s.signAddresses = addresses;
  s.networkTarget = target;
  return s;
}

}  // namespace testing_support
