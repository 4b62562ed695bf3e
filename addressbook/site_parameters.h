#pragma once

#include <string>
#include <string_view>

#include "addressbook/address_book.h"
#include "platform/status.h"

namespace addressbook {

// What the Site parameters dialog collects for one site. The second row of the dialog depends on
// the chosen device's type, so only one of the last three fields is used for a given device.
struct SiteParameters {
  std::string deviceName;     // empty: no device chosen
  std::string signAddresses;  // the sign-address list as typed
  std::string phoneNumber;    // modem device
  std::string tcpIpGroup;     // TCP/IP device: the TCP/IP group's name
  std::string mailbox;        // e-mail device: the mailbox's name
};

// The dialog's fields for editing `site`: its device and addresses, its phone number, and its
// network target offered as both the TCP/IP group and the mailbox (the device decides which).
SiteParameters siteParametersOf(const CSite& site);

// The Site parameters dialog's OK checks, in this order; the first that fails gives kRefused with
// its text (error icon):
//  1. no device chosen, or one the book does not hold: "You must first select a connect device.";
//  2. the sign addresses, by validateSignAddresses (its text);
//  3. a modem device with an empty phone number: "Phone number cannot be left blank.\r...";
//  4. a TCP/IP device without a TCP/IP group of the book: "You must select a TCP/IP group at
//     first, ...";
//  5. an e-mail device without a mailbox of the book: "You must select a mail address which will
//     recieve mail, ...".
// A serial device (or a type this program does not know) needs none of the last three.
platform::Status validateSiteParameters(const CAddressBook& book, const SiteParameters& p);

// The same checks on a stored site (what "book import" asks of every site).
platform::Status validateSite(const CAddressBook& book, const CSite& site);

// Writes the dialog's fields into `site`: the device name, the sign addresses and the one field of
// the device's type (phone number for a modem, network target = TCP/IP group for TCP/IP, network
// target = mailbox for e-mail). The other fields keep their values, so a new site leaves them
// empty. Expects parameters that validateSiteParameters accepted.
void applySiteParameters(const CAddressBook& book, const SiteParameters& p, CSite* site);

// New Site: checks the name (checkNewName) and the parameters, then appends the site.
platform::Status addSite(CAddressBook* book, const std::string& name, const SiteParameters& p);

// Edit Site: checks the parameters, then applies them to the site `name`. kRefused with an empty
// message when there is no such site.
platform::Status editSite(CAddressBook* book, std::string_view name, const SiteParameters& p);

// The Device Parameters dialog's checks that a stored device can fail: an e-mail device needs a
// mail server of the book ("Please select one MAIL SERVER from MAIL SERVER list box.\r..."); an
// internal modem needs an installed modem's name ("Please select one modem at first.\r...").
platform::Status validateDeviceReferences(const CAddressBook& book, const CDevice& device);

// The mail server dialog's OK checks, in this order, each kRefused with its text (shown with the
// dialog's caption): an empty POP3 server ("The POP3 SERVER can't be left blank"), POP3 account
// ("The POP3 Account can't be left blank"), SMTP server ("The SMTP can't be left blank!") or
// sender address ("The Mailbox can't be left blank!"); then the authentication dialog's check:
// with authentication on and the POP3 credentials not used, an empty account ("The account for
// authentication can't be left blank!").
platform::Status validateMailServer(const CMailServer& server);

}  // namespace addressbook
