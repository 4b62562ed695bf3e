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

addressbook::CMailServer popBeforeSmtpServer(int smtpPort, int pop3Port, const std::string& account,
                                             const std::string& password) {
  addressbook::CMailServer server;
  server.name = "Office";
  server.smtpServer = "127.0.0.1";
  server.smtpPort = smtpPort;
  server.mailAddress = "office@example.com";
  server.pop3Server = "127.0.0.1";
  server.pop3Port = pop3Port;
  server.pop3Account = account;
  server.pop3Password = password;
  return server;
}

}  // namespace testing_support
