#include "addressbook/site_parameters.h"

#include <utility>

#include "addressbook/book_edits.h"
#include "addressbook/sign_addresses.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"

namespace addressbook {
namespace {

platform::Status refuse(int id) {
  return platform::Status::refused(i18n::text(id));
}

}  // namespace

SiteParameters siteParametersOf(const CSite& site) {
  return SiteParameters{site.deviceName, site.signAddresses, site.phoneNumber, site.networkTarget,
                        site.networkTarget};
}

platform::Status validateSiteParameters(const CAddressBook& book, const SiteParameters& p) {
  const CDevice* device = p.deviceName.empty() ? nullptr : book.findDevice(p.deviceName);
  if (!device) return refuse(i18n::IDS_SELECT_DEVICE);
  const platform::Status addresses = validateSignAddresses(p.signAddresses);
  if (!addresses.ok()) return addresses;
  switch (device->type) {
    case DeviceType::kModem:
      if (p.phoneNumber.empty()) return refuse(i18n::IDS_PHONE_BLANK);
      break;
    case DeviceType::kTcpIp:
      if (p.tcpIpGroup.empty() || !book.findTcpIpGroup(p.tcpIpGroup))
        return refuse(i18n::IDS_SELECT_TCP_IP_GROUP);
      break;
    case DeviceType::kEmail:
      if (p.mailbox.empty() || !book.findMailbox(p.mailbox))
        return refuse(i18n::IDS_SELECT_MAILBOX);
      break;
    default:
      break;
  }
  return platform::Status::success();
}

platform::Status validateSite(const CAddressBook& book, const CSite& site) {
  return validateSiteParameters(book, siteParametersOf(site));
}

void applySiteParameters(const CAddressBook& book, const SiteParameters& p, CSite* site) {
  site->deviceName = p.deviceName;
  site->signAddresses = p.signAddresses;
  const CDevice* device = book.findDevice(p.deviceName);
  if (!device) return;
  switch (device->type) {
    case DeviceType::kModem:
      site->phoneNumber = p.phoneNumber;
      break;
    case DeviceType::kTcpIp:
      site->networkTarget = p.tcpIpGroup;
      break;
    case DeviceType::kEmail:
      site->networkTarget = p.mailbox;
      break;
    default:
      break;
  }
}

platform::Status addSite(CAddressBook* book, const std::string& name, const SiteParameters& p) {
  platform::Status status = checkNewName(*book, NameDialogMode::kSite, name);
  if (status.ok()) status = validateSiteParameters(*book, p);
  if (!status.ok()) return status;
  CSite site;
  site.name = name;
  applySiteParameters(*book, p, &site);
  book->sites.push_back(std::move(site));
  return platform::Status::success();
}

platform::Status editSite(CAddressBook* book, std::string_view name, const SiteParameters& p) {
  CSite* site = book->findSite(name);
  if (!site) return platform::Status::refused("", "no site named \"" + std::string(name) + "\"");
  const platform::Status valid = validateSiteParameters(*book, p);
  if (!valid.ok()) return valid;
  applySiteParameters(*book, p, site);
  return platform::Status::success();
}

platform::Status validateDeviceReferences(const CAddressBook& book, const CDevice& device) {
  if (device.type == DeviceType::kEmail &&
      (device.mailServerName.empty() || !book.findMailServer(device.mailServerName)))
    return refuse(i18n::IDS_SELECT_MAIL_SERVER);
  if (device.type == DeviceType::kModem && device.modemKind == kInternalModem &&
      device.modemName.empty())
    return refuse(i18n::IDS_SELECT_MODEM);
  return platform::Status::success();
}

platform::Status validateMailServer(const CMailServer& server) {
  if (server.pop3Server.empty()) return refuse(i18n::IDS_POP3_SERVER_BLANK);
  if (server.pop3Account.empty()) return refuse(i18n::IDS_POP3_ACCOUNT_BLANK);
  if (server.smtpServer.empty()) return refuse(i18n::IDS_SMTP_SERVER_BLANK);
  if (server.mailAddress.empty()) return refuse(i18n::IDS_MAIL_ADDRESS_BLANK);
  if (server.needsAuth && !server.usePop3Credentials && server.account.empty())
    return refuse(i18n::IDS_AUTH_ACCOUNT_BLANK);
  return platform::Status::success();
}

}  // namespace addressbook
