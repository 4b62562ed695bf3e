#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "addressbook/address_book.h"
#include "i18n/language_module.h"
#include "platform/profile_file.h"
#include "signlink/device_parameters.h"
#include "signlink/modem_list.h"

class QLabel;
class QListWidget;

namespace signlink::ui {

// What the device dialogs work on. The book is changed in place and `bookChanged` runs after
// every OK that changed it; `profile` is varnel's profile (its "Device" keys, and the "Ports" map
// the COM port list probes through); `last` the "Device" values kept in memory.
struct DeviceDialogContext {
  addressbook::CAddressBook& book;
  std::function<void()> bookChanged;
  platform::ProfileFile profile;
  LastDeviceChoices& last;
  ModemList modems;
  const i18n::LanguageModule& language;
};

// "Device Settings" (dialog 135): the devices of the address book in list order, the default
// device's name, New, Edit, Rename, Remove, Make Default and Close. Close (and closing the window)
// is refused while devices exist but none is the default.
class CDeviceSettingsDialog final : public QDialog {
  Q_OBJECT

 public:
  CDeviceSettingsDialog(DeviceDialogContext context, QWidget* parent = nullptr);

  QListWidget* list() const { return list_; }

  void reject() override;

 private:
  std::string selectedName() const;
  void showDefault();
  bool runParameters(addressbook::CDevice* device, const std::string& caption);
  void newDevice();
  void editDevice();
  void renameDevice();
  void removeDevice();
  void makeDefault();

  DeviceDialogContext context_;
  QListWidget* list_;
  QLabel* defaultName_ = nullptr;
};

}  // namespace signlink::ui
