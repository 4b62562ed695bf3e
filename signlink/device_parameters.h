#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "addressbook/address_records.h"
#include "platform/profile_file.h"
#include "platform/status.h"

// The rules of the Device Parameters dialog: which controls each device kind shows, what the
// dialog's fields must hold before OK is taken, how they fill the device record, and the "Last…"
// values of the profile that a confirmed dialog updates and a new device starts from.
namespace signlink {

// The speeds the "Baud Rate" list offers, in list order.
inline constexpr std::array<int32_t, 8> kBaudRates = {1200,  2400,  4800,  9600,
                                                      14400, 19200, 28800, 57600};

// The longest time-out the dialog takes, in seconds.
inline constexpr int32_t kMaxTimeoutSeconds = 3600;

// The profile's "Device" section.
inline constexpr char kSectionDevice[] = "Device";
inline constexpr char kKeyLastComport[] = "LastComport";
inline constexpr char kKeyLastBaudRate[] = "LastBaudRate";
inline constexpr char kKeyLastIpPort[] = "LastIPPort";
inline constexpr char kKeyLastModemName[] = "LastModemName";
inline constexpr char kKeyLastSmtpName[] = "LastSMTPName";

// The "Device" values kept in memory from start-up on: a new device starts from them, and a
// confirmed Device Parameters dialog updates them together with the profile.
struct LastDeviceChoices {
  int lastComport = 1;
  int lastIpPort = 5005;
  std::string lastModemName;
  std::string lastSmtpName;
};

// The kind the three check boxes choose: modem wins over TCP/IP, TCP/IP over e-mail; none checked
// is a serial port.
addressbook::DeviceType deviceKindOf(bool modem, bool tcpIp, bool email);

// The modem kind's texts of the dialog template (in the current language): the frame and the
// time-out label read these for a modem, as the template does.
struct DeviceTemplateTexts {
  std::string modemFrame;    // "Modem Settings"
  std::string modemTimeout;  // "Dial-up time out by modem"
};

// What the kind-dependent part of the dialog shows; controls not shown are hidden and disabled.
struct DeviceLayout {
  bool comPort = false;  // "COM Port" and its list
  bool comPortEnabled = false;
  bool baudRate = false;
  bool ipPort = false;
  bool modemKinds = false;  // "External Modem" and "Internal Modem"
  bool modemList = false;   // the installed modems
  bool modemListEnabled = false;
  bool timeout = false;     // the time-out edit and "Seconds"
  bool mailServer = false;  // the mail server list
  std::string frameText;    // the settings frame's title; empty for a serial port
  std::string labelText;    // the time-out label: a time-out's name, or "MAIL SERVER"
};

// The layout of `kind`; for a modem, "External Modem" (`modemKind` kExternalModem) enables the COM
// port list and "Internal Modem" the installed-modem list.
DeviceLayout deviceLayout(addressbook::DeviceType kind, int32_t modemKind,
                          const DeviceTemplateTexts& templateTexts);

// The dialog's fields as collected: list choices as their entry texts (empty when nothing is
// chosen), edits as typed.
struct DeviceForm {
  addressbook::DeviceType kind = addressbook::DeviceType::kSerial;
  std::string comPort;   // "COM<N>"
  std::string baudRate;  // one of kBaudRates as text
  std::string ipPort;
  int32_t modemKind = addressbook::kExternalModem;
  std::string modemName;    // an installed modem
  std::string dialTimeout;  // seconds, shown for a modem
  std::string tcpTimeout;   // seconds, shown for a TCP/IP device
  std::string mailServer;   // a mail server of the address book
};

// The fields that show `device`.
DeviceForm deviceFormOf(const addressbook::CDevice& device);

// A new device: the record's defaults, with the COM port, IP port, modem and mail server last
// confirmed.
addressbook::CDevice newDevice(const LastDeviceChoices& last);

// The list entries: "COM<N>" for each present port number, and the baud rates as text.
std::vector<std::string> comPortEntries(const std::vector<int>& portNumbers);
std::vector<std::string> baudRateEntries();

// The port number of a "COM<N>" entry (COM0 may be a mapped port); -1 when the text is not one.
int comPortNumber(std::string_view entry);

// OK's checks for the form's kind, in this order; the first that fails gives kRefused with its
// text and the dialog stays open:
//  - serial: a COM port ("Please select one comport at first.\r..."), a baud rate ("Please select
//    one baud rate at first.");
//  - TCP/IP: the IP port, a whole number from 1 to 65535 ("Please enter one integer as IP port."),
//    then the time-out;
//  - modem: a baud rate; an external modem a COM port, an internal modem an installed modem
//    ("Please select one modem at first.\r..."); then the time-out;
//  - e-mail: a mail server ("Please select one MAIL SERVER from MAIL SERVER list box.\r...").
// A time-out must be a whole number of seconds from 1 to kMaxTimeoutSeconds: a dial or connect
// that gives up at once, or one whose milliseconds overflow, would never reach a sign.
platform::Status validateDeviceForm(const DeviceForm& form);

// Fills `device` from a form validateDeviceForm accepted: the kind, and the fields of that kind
// (serial: COM port and baud rate; TCP/IP: IP port and TCP/IP time-out; modem: baud rate, modem
// kind, the COM port of an external or the name of an internal modem, and the dial-up time-out;
// e-mail: the mail server). The other fields keep their values. Returns validateDeviceForm's
// verdict and leaves `device` untouched when it refuses.
platform::Status applyDeviceForm(const DeviceForm& form, addressbook::CDevice* device);

// After OK: writes the "Device" keys of the form's kind to `profile` (serial: "LastComport" and
// "LastBaudRate"; TCP/IP: "LastIPPort"; modem: "LastBaudRate" and "LastModemName"; e-mail:
// "LastSMTPName") and keeps the same values in `last`. The first failed write is returned; the
// memory is updated regardless.
platform::Status recordLastChoices(const platform::ProfileFile& profile, const DeviceForm& form,
                                   LastDeviceChoices* last);

}  // namespace signlink
