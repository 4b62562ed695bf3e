#include "tests/support/mail_site_book.h"

namespace testing_support {

addressbook::CAddressBook emailSiteBook(const addressbook::CMailServer& server,
                                        const std::string& siteName, const std::string& mailboxName,
                                        const std::string& mailboxAddress) {
  addressbook::CAddressBook book;
  addressbook::CDevice device;
  device.name = "Poller";
  device.type = addressbook::DeviceType::kEmail;
  device.mailServerName = server.name;
  book.devices = {device};
  addressbook::CSite site;
  site.name = siteName;
  site.deviceName = device.name;
  site.signAddresses = "1-3";
  site.networkTarget = mailboxName;
  book.sites = {site};
  book.mailboxes = {{mailboxName, mailboxAddress}};
  book.mailServers = {server};
  return book;
}

}  // namespace testing_support
