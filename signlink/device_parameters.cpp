#include "signlink/device_parameters.h"

#include <algorithm>
#include <optional>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "platform/whole_number.h"

namespace signlink {
namespace {

using addressbook::DeviceType;

constexpr int32_t kMaxIpPort = 65535;
constexpr int32_t kMaxComPort = 255;
constexpr char kComPrefix[] = "COM";

platform::Status refuse(int id) {
  return platform::Status::refused(i18n::text(id));
}

std::optional<int32_t> wholeNumber(std::string_view text, int32_t min, int32_t max) {
  return platform::parseWholeNumber(text, min, max);
}

std::optional<int32_t> baudRateOf(std::string_view text) {
  const std::optional<int32_t> rate = wholeNumber(text, 1, kBaudRates.back());
  if (!rate || std::find(kBaudRates.begin(), kBaudRates.end(), *rate) == kBaudRates.end())
    return std::nullopt;
  return rate;
}

platform::Status validateTimeout(std::string_view text) {
  if (!wholeNumber(text, 1, kMaxTimeoutSeconds)) return refuse(i18n::IDS_ENTER_TIMEOUT);
  return platform::Status::success();
}

platform::Status validateModem(const DeviceForm& form) {
  if (!baudRateOf(form.baudRate)) return refuse(i18n::IDS_SELECT_BAUD_RATE);
  if (form.modemKind == addressbook::kInternalModem) {
    if (form.modemName.empty()) return refuse(i18n::IDS_SELECT_MODEM);
  } else if (comPortNumber(form.comPort) < 0) {
    return refuse(i18n::IDS_SELECT_COM_PORT);
  }
  return validateTimeout(form.dialTimeout);
}

}  // namespace

DeviceType deviceKindOf(bool modem, bool tcpIp, bool email) {
  if (modem) return DeviceType::kModem;
  if (tcpIp) return DeviceType::kTcpIp;
  if (email) return DeviceType::kEmail;
  return DeviceType::kSerial;
}

DeviceLayout deviceLayout(DeviceType kind, int32_t modemKind,
                          const DeviceTemplateTexts& templateTexts) {
  DeviceLayout layout;
  switch (kind) {
    case DeviceType::kModem:
      layout.modemKinds = layout.comPort = layout.modemList = true;
      layout.baudRate = layout.timeout = true;
      layout.comPortEnabled = modemKind != addressbook::kInternalModem;
      layout.modemListEnabled = !layout.comPortEnabled;
      layout.frameText = templateTexts.modemFrame;
      layout.labelText = templateTexts.modemTimeout;
      break;
    case DeviceType::kTcpIp:
      layout.ipPort = layout.timeout = true;
      layout.frameText = i18n::text(i18n::IDS_DEVICE_FRAME_TCP_IP);
      layout.labelText = i18n::text(i18n::IDS_DEVICE_TCP_IP_TIMEOUT);
      break;
    case DeviceType::kEmail:
      layout.mailServer = true;
      layout.frameText = i18n::text(i18n::IDS_DEVICE_FRAME_EMAIL);
      layout.labelText = i18n::text(i18n::IDS_DEVICE_MAIL_SERVER_LABEL);
      break;
    default:
      layout.comPort = layout.comPortEnabled = layout.baudRate = true;
      break;
  }
  return layout;
}

DeviceForm deviceFormOf(const addressbook::CDevice& device) {
  DeviceForm form;
  form.kind = device.type;
  form.comPort = kComPrefix + std::to_string(device.comPort);
  form.baudRate = std::to_string(device.baudRate);
  form.ipPort = std::to_string(device.ipPort);
  form.modemKind = device.modemKind == addressbook::kInternalModem ? addressbook::kInternalModem
                                                                   : addressbook::kExternalModem;
  form.modemName = device.modemName;
  form.dialTimeout = std::to_string(device.dialTimeout);
  form.tcpTimeout = std::to_string(device.tcpTimeout);
  form.mailServer = device.mailServerName;
  return form;
}

addressbook::CDevice newDevice(const LastDeviceChoices& last) {
  addressbook::CDevice device;
  device.comPort = last.lastComport;
  device.ipPort = last.lastIpPort;
  device.modemName = last.lastModemName;
  device.mailServerName = last.lastSmtpName;
  return device;
}

std::vector<std::string> comPortEntries(const std::vector<int>& portNumbers) {
  std::vector<std::string> entries;
  entries.reserve(portNumbers.size());
  for (int n : portNumbers)
    entries.push_back(kComPrefix + std::to_string(n));
  return entries;
}

std::vector<std::string> baudRateEntries() {
  std::vector<std::string> entries;
  for (int32_t rate : kBaudRates)
    entries.push_back(std::to_string(rate));
  return entries;
}

int comPortNumber(std::string_view entry) {
  if (entry.substr(0, sizeof kComPrefix - 1) != kComPrefix) return -1;
  return wholeNumber(entry.substr(sizeof kComPrefix - 1), 0, kMaxComPort).value_or(-1);
}

platform::Status validateDeviceForm(const DeviceForm& form) {
  switch (form.kind) {
    case DeviceType::kTcpIp:
      if (!wholeNumber(form.ipPort, 1, kMaxIpPort)) return refuse(i18n::IDS_ENTER_IP_PORT);
      return validateTimeout(form.tcpTimeout);
    case DeviceType::kModem:
      return validateModem(form);
    case DeviceType::kEmail:
      if (form.mailServer.empty()) return refuse(i18n::IDS_SELECT_MAIL_SERVER);
      return platform::Status::success();
    default:
      if (comPortNumber(form.comPort) < 0) return refuse(i18n::IDS_SELECT_COM_PORT);
      if (!baudRateOf(form.baudRate)) return refuse(i18n::IDS_SELECT_BAUD_RATE);
      return platform::Status::success();
  }
}

platform::Status applyDeviceForm(const DeviceForm& form, addressbook::CDevice* device) {
  const platform::Status verdict = validateDeviceForm(form);
  if (!verdict.ok()) return verdict;
  device->type = form.kind;
  switch (form.kind) {
    case DeviceType::kTcpIp:
      device->ipPort = *wholeNumber(form.ipPort, 1, kMaxIpPort);
      device->tcpTimeout = *wholeNumber(form.tcpTimeout, 1, kMaxTimeoutSeconds);
      break;
    case DeviceType::kModem:
      device->baudRate = *baudRateOf(form.baudRate);
      device->modemKind = form.modemKind;
      if (form.modemKind == addressbook::kInternalModem) {
        device->modemName = form.modemName;
      } else {
        device->comPort = comPortNumber(form.comPort);
      }
      device->dialTimeout = *wholeNumber(form.dialTimeout, 1, kMaxTimeoutSeconds);
      break;
    case DeviceType::kEmail:
      device->mailServerName = form.mailServer;
      break;
    default:
      device->comPort = comPortNumber(form.comPort);
      device->baudRate = *baudRateOf(form.baudRate);
      break;
  }
  return platform::Status::success();
}

platform::Status recordLastChoices(const platform::ProfileFile& profile, const DeviceForm& form,
                                   LastDeviceChoices* last) {
  platform::Status first;
  const auto keep = [&first](const platform::Status& status) {
    if (first.ok() && !status.ok()) first = status;
  };
  const int baud = baudRateOf(form.baudRate).value_or(0);
  switch (form.kind) {
    case DeviceType::kTcpIp:
      last->lastIpPort = wholeNumber(form.ipPort, 1, kMaxIpPort).value_or(last->lastIpPort);
      keep(profile.writeInt(kSectionDevice, kKeyLastIpPort, last->lastIpPort));
      break;
    case DeviceType::kModem:
      last->lastModemName = form.modemName;
      keep(profile.writeInt(kSectionDevice, kKeyLastBaudRate, baud));
      keep(profile.writeString(kSectionDevice, kKeyLastModemName, form.modemName));
      break;
    case DeviceType::kEmail:
      last->lastSmtpName = form.mailServer;
      keep(profile.writeString(kSectionDevice, kKeyLastSmtpName, form.mailServer));
      break;
    default:
      last->lastComport = comPortNumber(form.comPort);
      keep(profile.writeInt(kSectionDevice, kKeyLastComport, last->lastComport));
      keep(profile.writeInt(kSectionDevice, kKeyLastBaudRate, baud));
      break;
  }
  return first;
}

}  // namespace signlink
