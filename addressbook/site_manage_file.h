#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "addressbook/address_book.h"

namespace addressbook {

// Byte layout of the site manage file (all integers little-endian int32 unless noted; a "string"
// is an int32 byte count followed by that many bytes, no terminator):
//   int32 20, the 20 header bytes, int32 version,
//   device count + devices, site count + sites, group count + groups,
//   TCP/IP group count + TCP/IP groups, mailbox count + mailboxes,
//   mail server count + mail servers, string default device name.
// Anything after the default device name is ignored.
//   device:      string name, modem name, mail server name; int32 type, IP port, COM port,
//                baud rate, modem kind, dial-up time-out, TCP/IP time-out
//   site:        string name, device name, sign addresses, phone number, network target
//   group:       string name; int32 count; count strings (site names)
//   TCP/IP group and mailbox: string name, address
//   mail server: uint8 needs authentication; int32 SMTP port; string SMTP server, mail address,
//                name, account, password; from version 35 on: int32 POP3 port; uint8 use POP3
//                credentials; string POP3 server, POP3 account, POP3 password.
inline constexpr std::string_view kSiteManageHeader = "Z2500 SITE DATA HEAD";
inline constexpr int32_t kSiteManageVersion = 35;       // the version this program writes
inline constexpr int32_t kFirstVersionWithPop3 = 35;    // older mail servers lack the POP3 part
inline constexpr int32_t kFirstUnreadableVersion = 36;  // written by a newer program

// Decodes a whole site manage file into the lists and default device name of *book, which must be
// empty. Every count and length is checked against the bytes present before anything is read or
// allocated. On failure *book holds a partial result the caller must discard, and the status is
//  - kNotOurFile: not a site manage file (the message names `path`);
//  - kTooNew: version kFirstUnreadableVersion or above (the "NEW program" message);
//  - kDamaged: right header, but the body is short or holds an impossible count or length (the
//    message of kNotOurFile; the detail gives the offset of the list or record that broke).
// *version (when given) receives the file's version once the header has been read.
platform::Status parseSiteManageFile(std::string_view bytes, const std::string& path,
                                     CAddressBook* book, int32_t* version = nullptr);

// Encodes the address book as a version 35 site manage file.
std::string serializeSiteManageFile(const CAddressBook& book);

}  // namespace addressbook
