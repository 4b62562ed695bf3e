#include "signlink/device_settings.h"

#include <utility>

#include "addressbook/book_edits.h"
#include "addressbook/site_dialog_rules.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"

namespace signlink {
namespace {

platform::Status noSuchDevice(std::string_view name) {
  return platform::Status::refused("", "no device named \"" + std::string(name) + "\"");
}

}  // namespace

platform::Status requireSelectedDevice(std::string_view name) {
  if (name.empty()) return platform::Status::refused(i18n::text(i18n::IDS_SELECT_AVAILABLE_DEVICE));
  return platform::Status::success();
}

platform::Status addDevice(addressbook::CAddressBook* book, const std::string& name,
                           addressbook::CDevice device) {
  const platform::Status free =
      addressbook::checkNewName(*book, addressbook::NameDialogMode::kDevice, name);
  if (!free.ok()) return free;
  device.name = name;
  book->devices.push_back(std::move(device));
  return platform::Status::success();
}

platform::Status editDevice(addressbook::CAddressBook* book, std::string_view name,
                            const addressbook::CDevice& device) {
  addressbook::CDevice* stored = book->findDevice(name);
  if (!stored) return noSuchDevice(name);
  std::string keptName = std::move(stored->name);
  *stored = device;
  stored->name = std::move(keptName);
  return platform::Status::success();
}

platform::Status makeDefaultDevice(addressbook::CAddressBook* book, std::string_view name) {
  const platform::Status selected = requireSelectedDevice(name);
  if (!selected.ok()) return selected;
  if (!book->findDevice(name)) return noSuchDevice(name);
  book->defaultDevice = std::string(name);
  return platform::Status::success();
}

platform::Status checkDeviceSettingsClose(const addressbook::CAddressBook& book) {
  if (book.devices.empty() || book.findDevice(book.defaultDevice))
    return platform::Status::success();
  return platform::Status::refused(i18n::text(i18n::IDS_ASSIGN_DEFAULT_DEVICE));
}

std::string removeDeviceQuestion(std::string_view name) {
  // The sites' and groups' question, with the question mark the device list adds.
  return addressbook::removeQuestion(name) + "?";
}

}  // namespace signlink
