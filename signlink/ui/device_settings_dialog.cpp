#include "signlink/ui/device_settings_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <optional>
#include <utility>

#include "addressbook/book_edits.h"
#include "addressbook/name_dialog_texts.h"
#include "addressbook/ui/list_dialog_layout.h"
#include "addressbook/ui/name_entry_dialog.h"
#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/ui/message_boxes.h"
#include "i18n/ui/qt_language_targets.h"
#include "i18n/ui/template_widgets.h"
#include "platform/com_ports.h"
#include "platform/ui/qt_text.h"
#include "signlink/device_settings.h"
#include "signlink/ui/device_parameters_dialog.h"

namespace signlink::ui {
namespace {

using addressbook::NameDialogMode;
using platform::ui::fromCp1252;

constexpr int kNumber = i18n::IDD_DEVICE_SETTINGS;

// Shows a refusal; true when `status` is success.
bool passes(QWidget* parent, const platform::Status& status) {
  if (status.ok()) return true;
  if (!status.message().empty()) i18n::ui::showWarningBox(parent, status.message());
  return false;
}

}  // namespace

CDeviceSettingsDialog::CDeviceSettingsDialog(DeviceDialogContext context, QWidget* parent)
    : QDialog(parent), context_(std::move(context)), list_(new QListWidget(this)) {
  using i18n::ui::makeControl;
  auto* label = makeControl<QLabel>(this, kNumber, i18n::kIdDeviceListLabel);
  i18n::ui::setControlId(list_, i18n::kIdDeviceList);
  for (const addressbook::CDevice& device : context_.book.devices)
    list_->addItem(fromCp1252(device.name));
  if (list_->count() > 0) list_->setCurrentRow(0);
  auto* frame = makeControl<QGroupBox>(this, kNumber, i18n::kIdDeviceDefaultFrame);
  defaultName_ = new QLabel(frame);
  i18n::ui::setControlId(defaultName_, i18n::kIdDeviceDefaultName);
  (new QVBoxLayout(frame))->addWidget(defaultName_);

  addressbook::ui::layOutListDialog(this, kNumber, label, list_,
                                    {{i18n::kIdDeviceNew, [this] { newDevice(); }},
                                     {i18n::kIdDeviceEdit, [this] { editDevice(); }},
                                     {i18n::kIdDeviceRename, [this] { renameDevice(); }},
                                     {i18n::kIdDeviceRemove, [this] { removeDevice(); }},
                                     {i18n::kIdDeviceMakeDefault, [this] { makeDefault(); }},
                                     {i18n::kIdOk, [this] { reject(); }}},
                                    frame);
  i18n::ui::initDialog(this, kNumber, context_.language);
  showDefault();
}

std::string CDeviceSettingsDialog::selectedName() const {
  const QListWidgetItem* item = list_->currentItem();
  const int row = item ? list_->row(item) : -1;
  if (row < 0 || row >= static_cast<int>(context_.book.devices.size())) return {};
  return context_.book.devices[static_cast<size_t>(row)].name;
}

void CDeviceSettingsDialog::showDefault() {
  defaultName_->setText(fromCp1252(context_.book.defaultDevice));
}

bool CDeviceSettingsDialog::runParameters(addressbook::CDevice* device,
                                          const std::string& caption) {
  DeviceChoiceLists lists;
  lists.comPorts = comPortEntries(platform::listComPorts(context_.profile.path()));
  lists.modems = context_.modems.names();
  for (const addressbook::CMailServer& server : context_.book.mailServers)
    lists.mailServers.push_back(server.name);
  CDeviceParametersDialog dialog(*device, lists, caption, context_.language, this);
  if (dialog.exec() != QDialog::Accepted) return false;
  // A failed profile write loses only the next dialog's suggestion; the device is kept regardless.
  (void)recordLastChoices(context_.profile, dialog.form(), &context_.last);
  *device = dialog.device();
  return true;
}

void CDeviceSettingsDialog::newDevice() {
  const std::optional<std::string> name =
      addressbook::ui::askForName(context_.book, NameDialogMode::kDevice, context_.language, this);
  if (!name) return;
  addressbook::CDevice device = signlink::newDevice(context_.last);
  if (!runParameters(&device, addressbook::recordCaption(i18n::IDS_NAME_CAPTION_DEVICE, *name)))
    return;
  if (!passes(this, addDevice(&context_.book, *name, device))) return;
  list_->addItem(fromCp1252(*name));
  list_->setCurrentRow(list_->count() - 1);
  context_.bookChanged();
}

void CDeviceSettingsDialog::editDevice() {
  const std::string name = selectedName();
  if (!passes(this, requireSelectedDevice(name))) return;
  addressbook::CDevice device = *context_.book.findDevice(name);
  if (!runParameters(&device, addressbook::recordCaption(i18n::IDS_DEVICE_CAPTION_EDIT, name)))
    return;
  if (!passes(this, signlink::editDevice(&context_.book, name, device))) return;
  context_.bookChanged();
}

void CDeviceSettingsDialog::renameDevice() {
  const std::string name = selectedName();
  if (!passes(this, requireSelectedDevice(name))) return;
  const std::optional<std::string> newName =
      addressbook::ui::askForName(context_.book, NameDialogMode::kDevice, context_.language, this,
                                  i18n::text(i18n::IDS_DEVICE_CAPTION_RENAME), name);
  if (!newName) return;
  if (!passes(this,
              addressbook::renameRecord(&context_.book, NameDialogMode::kDevice, name, *newName)))
    return;
  list_->currentItem()->setText(fromCp1252(*newName));
  showDefault();
  context_.bookChanged();
}

void CDeviceSettingsDialog::removeDevice() {
  const std::string name = selectedName();
  if (!passes(this, requireSelectedDevice(name))) return;
  if (!i18n::ui::askYesNo(this, removeDeviceQuestion(name))) return;
  const int row = list_->currentRow();
  if (!passes(this, addressbook::removeRecord(&context_.book, NameDialogMode::kDevice, name)))
    return;
  delete list_->takeItem(row);
  showDefault();
  context_.bookChanged();
}

void CDeviceSettingsDialog::makeDefault() {
  if (!passes(this, makeDefaultDevice(&context_.book, selectedName()))) return;
  showDefault();
  context_.bookChanged();
}

void CDeviceSettingsDialog::reject() {
  if (!passes(this, checkDeviceSettingsClose(context_.book))) return;
  QDialog::reject();
}

}  // namespace signlink::ui
