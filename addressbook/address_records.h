#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace addressbook {

// The records of the address book. They are plain values: each list owns its records, and records
// refer to one another by name only, never by position or pointer, so a record that has gone is
// noticed when a name no longer resolves. All texts are Windows-1252 bytes.

// How a device reaches its signs. Values are stored in the site manage file; a value outside the
// four known ones is kept as read so that saving never changes it.
enum class DeviceType : int32_t {
  kSerial = 1,  // a COM port wired to the sign
  kTcpIp = 2,   // a network sign
  kModem = 3,   // dial-up, internal or external modem
  kEmail = 4,   // mailed to a receiving PC ("Email Poller")
};

// CDevice::modemKind values.
inline constexpr int32_t kInternalModem = 1;  // chosen by its installed modem name
inline constexpr int32_t kExternalModem = 2;  // on the device's COM port

// One communication device.
struct CDevice {
  std::string name;  // unique among devices
  DeviceType type = DeviceType::kSerial;
  int32_t comPort = 1;      // serial device, or external modem
  int32_t ipPort = 5005;    // TCP port of a network sign
  int32_t baudRate = 2400;  // serial device, or modem
  int32_t modemKind = kExternalModem;
  int32_t dialTimeout = 30;    // seconds ("Dial-up time out by modem")
  int32_t tcpTimeout = 15;     // seconds ("TCP/IP connect time out")
  std::string modemName;       // the installed modem (internal modem)
  std::string mailServerName;  // the CMailServer an e-mail device sends through

  bool operator==(const CDevice&) const = default;
};

// One site: one or more signs reached through one device.
struct CSite {
  std::string name;           // unique among sites
  std::string deviceName;     // names a CDevice
  std::string signAddresses;  // sign-address list, see sign_addresses.h
  std::string phoneNumber;    // modem devices only
  std::string networkTarget;  // a CTcpIpGroup (TCP/IP device) or a CMailbox (e-mail device)

  bool operator==(const CSite&) const = default;
};

// A named, ordered list of site names. A site may stand in several groups, and a group may name
// a site that has since been removed.
struct CSiteGroup {
  std::string name;                    // unique among groups
  std::vector<std::string> siteNames;  // in the order the user added them

  bool operator==(const CSiteGroup&) const = default;
};

// A name with one address: used for both the TCP/IP groups and the receiving mailboxes.
struct CNamedAddress {
  std::string name;
  std::string address;

  bool operator==(const CNamedAddress&) const = default;
};

// A network sign's IP address as dotted text ("%d.%d.%d.%d", no leading zeros).
using CTcpIpGroup = CNamedAddress;
// The e-mail address of a PC that receives sign data by mail.
using CMailbox = CNamedAddress;

// The SMTP server an e-mail device sends through, with the optional POP3 log-in before sending.
struct CMailServer {
  std::string name;  // unique among mail servers
  std::string smtpServer;
  std::string mailAddress;  // the sender's address
  int32_t smtpPort = 25;
  uint8_t needsAuth = 0;  // "SMTP se&rver needs AUTHENTICATION"
  std::string account;
  std::string password;
  std::string pop3Server;
  std::string pop3Account;
  std::string pop3Password;
  int32_t pop3Port = 110;
  uint8_t usePop3Credentials = 1;  // "Use the same information with POP3 Server"

  bool operator==(const CMailServer&) const = default;
};

}  // namespace addressbook
