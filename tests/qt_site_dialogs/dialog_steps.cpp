#include "dialog_steps.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "addressbook/ui/name_entry_dialog.h"
#include "i18n/dialog_texts.h"
#include "i18n/ui/qt_language_targets.h"

namespace site_dialogs_test {

using addressbook::DeviceType;

addressbook::CAddressBook sampleBook() {
  addressbook::CAddressBook b;
  const std::pair<const char*, DeviceType> devices[] = {{"Net", DeviceType::kTcpIp},
                                                        {"Dial", DeviceType::kModem},
                                                        {"Mail", DeviceType::kEmail},
                                                        {"Port", DeviceType::kSerial}};
  for (const auto& [name, type] : devices) {
    addressbook::CDevice d;
    d.name = name;
    d.type = type;
    b.devices.push_back(d);
  }
  b.defaultDevice = "Port";
  b.tcpIpGroups = {{"North", "10.0.0.1"}, {"South", "192.168.1.20"}};
  b.mailboxes = {{"Office", "pc@example.com"}};
  b.sites = {{"Depot", "Net", "1", "", "North"},
             {"Farm", "Dial", "2-4", "5550100", ""},
             {"Shed", "Port", "7", "", ""}};
  b.groups = {{"All", {"Depot", "Farm"}}};
  return b;
}

Step answerBox(BoxSeen* seen, QMessageBox::StandardButton button) {
  return [seen, button](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    if (box == nullptr) return;
    seen->text = box->text();
    seen->title = box->windowTitle();
    seen->icon = box->icon();
    ++seen->count;
    if (QAbstractButton* b = box->button(button)) b->click();
  };
}

QPushButton* button(QWidget* dialog, int id) {
  return qobject_cast<QPushButton*>(i18n::ui::findControl(dialog, id));
}

void pressOk(QWidget* dialog) {
  if (QPushButton* ok = button(dialog, i18n::kIdOk)) ok->click();
}

QStringList entries(const QListWidget* list) {
  QStringList texts;
  for (int row = 0; row < list->count(); ++row)
    texts << list->item(row)->text();
  return texts;
}

Step enterName(const QString& text) {
  return on<addressbook::ui::CNameEntryDialog>([text](addressbook::ui::CNameEntryDialog* d) {
    d->field()->setText(text);
    pressOk(d);
  });
}

Step cancelNoting(QString* caption) {
  return [caption](QWidget* w) {
    *caption = w->windowTitle();
    if (auto* dialog = qobject_cast<QDialog*>(w)) dialog->reject();
  };
}

}  // namespace site_dialogs_test
