#pragma once

#include <string>
#include <string_view>

#include "addressbook/address_book.h"
#include "platform/status.h"

// The rules of the Device Settings dialog: the list of devices and the default device. Renaming
// and removing a device are the address book's own edits (addressbook/book_edits.h: a renamed
// device is renamed in the sites that use it and as the default; a device in use cannot go).
namespace signlink {

// Success when a device is selected (`name` not empty); otherwise kRefused with "You must first
// select an available device." (Edit, Rename, Remove and Make Default need one).
platform::Status requireSelectedDevice(std::string_view name);

// New Device: appends `device` under `name` once the name is free among the devices.
platform::Status addDevice(addressbook::CAddressBook* book, const std::string& name,
                           addressbook::CDevice device);

// Edit Device: replaces every field of the device `name` but its name with those of `device`.
// kRefused with an empty message when there is no such device.
platform::Status editDevice(addressbook::CAddressBook* book, std::string_view name,
                            const addressbook::CDevice& device);

// Make Default: the device `name` becomes the default device.
platform::Status makeDefaultDevice(addressbook::CAddressBook* book, std::string_view name);

// Close: refused with "You must assign a default device before closing." while the list holds
// devices and none of them is the default (an empty default, or a name no device has).
platform::Status checkDeviceSettingsClose(const addressbook::CAddressBook& book);

// Remove's question: "Are you sure you wish to remove", a blank, the name and "?".
std::string removeDeviceQuestion(std::string_view name);

}  // namespace signlink
