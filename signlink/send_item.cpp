#include "signlink/send_item.h"

namespace signlink {

SendItem itemForSite(const addressbook::CAddressBook& book, const addressbook::CSite& site) {
  SendItem item;
  item.signAddresses = site.signAddresses;
  const addressbook::CDevice* device = book.findDevice(site.deviceName);
  if (!device) {
    item.kind = kItemDeviceRemoved;
    item.targetName = site.deviceName;
    return item;
  }
  item.kind = static_cast<uint8_t>(device->type);
  item.comPort = static_cast<uint8_t>(device->comPort);
  switch (device->type) {
    case addressbook::DeviceType::kSerial:
      item.speedOrPort = device->baudRate;
      break;
    case addressbook::DeviceType::kTcpIp:
      item.targetName = site.networkTarget;
      item.speedOrPort = static_cast<uint16_t>(device->ipPort);
      item.timeout = device->tcpTimeout;
      break;
    case addressbook::DeviceType::kModem:
      if (device->modemKind == addressbook::kInternalModem) item.targetName = device->modemName;
      item.speedOrPort = device->baudRate;
      item.timeout = device->dialTimeout;
      item.phoneOrMailbox = site.phoneNumber;
      break;
    case addressbook::DeviceType::kEmail:
      item.targetName = device->mailServerName;
      item.phoneOrMailbox = site.networkTarget;
      break;
    default:  // A type no link serves: the item names its device to report it.
      item.targetName = device->name;
      break;
  }
  return item;
}

std::vector<SendItem> expandChoice(const addressbook::CAddressBook& book,
                                   const SendChoice& choice) {
  auto siteItem = [&book](const std::string& name) {
    if (const addressbook::CSite* site = book.findSite(name)) return itemForSite(book, *site);
    SendItem removed;
    removed.kind = kItemSiteRemoved;
    removed.targetName = name;
    return removed;
  };
  if (!choice.isGroup) return {siteItem(choice.name)};
  const addressbook::CSiteGroup* group = book.findGroup(choice.name);
  if (!group) {
    SendItem removed;
    removed.kind = kItemGroupRemoved;
    removed.targetName = choice.name;
    return {removed};
  }
  std::vector<SendItem> items;
  for (const std::string& siteName : group->siteNames)
    items.push_back(siteItem(siteName));
  return items;
}

}  // namespace signlink
