#include "addressbook/ui/tcp_group_settings_dialog.h"

#include <QLabel>
#include <QListWidget>
#include <string>
#include <utility>

#include "addressbook/book_edits.h"
#include "addressbook/name_dialog_texts.h"
#include "addressbook/site_dialog_rules.h"
#include "addressbook/ui/list_dialog_layout.h"
#include "addressbook/ui/name_entry_dialog.h"
#include "addressbook/ui/tcp_group_address_dialog.h"
#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/ui/message_boxes.h"
#include "i18n/ui/template_widgets.h"
#include "platform/ui/qt_text.h"

namespace addressbook::ui {

namespace {

constexpr int kNumber = i18n::IDD_TCP_GROUP_SETTINGS;
constexpr NameDialogMode kMode = NameDialogMode::kTcpIpGroup;

}  // namespace

CTcpGroupSettingsDialog::CTcpGroupSettingsDialog(CAddressBook& book,
                                                 const i18n::LanguageModule& language,
                                                 std::function<void()> bookChanged, QWidget* parent)
    : QDialog(parent), book_(book), language_(language), bookChanged_(std::move(bookChanged)) {
  using i18n::ui::makeControl;
  auto* label = makeControl<QLabel>(this, kNumber, i18n::kIdTcpGroupListLabel);
  list_ = new QListWidget(this);
  i18n::ui::setControlId(list_, i18n::kIdTcpGroupList);
  layOutListDialog(this, kNumber, label, list_,
                   {{i18n::kIdTcpGroupNew, [this] { newGroup(); }},
                    {i18n::kIdTcpGroupEdit, [this] { editGroup(); }},
                    {i18n::kIdTcpGroupRemove, [this] { removeGroup(); }},
                    {i18n::kIdTcpGroupRename, [this] { renameGroup(); }}},
                   nullptr, i18n::kIdOk);
  i18n::ui::initDialog(this, kNumber, language);
  showList(0);
}

void CTcpGroupSettingsDialog::showList(int selectRow) {
  list_->clear();
  for (const CTcpIpGroup& group : book_.tcpIpGroups)
    list_->addItem(platform::ui::fromCp1252(tcpIpGroupEntry(group)));
  list_->setCurrentRow(selectRow < list_->count() ? selectRow : -1);
}

int CTcpGroupSettingsDialog::selectedRow() const {
  const QList<QListWidgetItem*> selected = list_->selectedItems();
  const int row = selected.isEmpty() ? -1 : list_->row(selected.front());
  return row < static_cast<int>(book_.tcpIpGroups.size()) ? row : -1;
}

void CTcpGroupSettingsDialog::changed() {
  if (bookChanged_) bookChanged_();
}

void CTcpGroupSettingsDialog::newGroup() {
  const auto name = askForName(book_, kMode, language_, this);
  if (!name) return;
  const auto address = askTcpIpAddress(
      {}, recordCaption(i18n::IDS_NAME_CAPTION_TCP_IP_GROUP, *name), language_, this);
  if (!address || !addTcpIpGroup(&book_, *name, *address).ok()) return;
  showList(static_cast<int>(book_.tcpIpGroups.size()) - 1);
  changed();
}

void CTcpGroupSettingsDialog::editGroup() {
  const int row = selectedRow();
  if (row < 0) return;
  CTcpIpGroup& group = book_.tcpIpGroups[static_cast<size_t>(row)];
  const auto address =
      askTcpIpAddress(group.address, recordCaption(i18n::IDS_CAPTION_EDIT_TCP_IP_GROUP, group.name),
                      language_, this);
  if (!address || *address == group.address) return;
  group.address = *address;
  showList(row);
  changed();
}

void CTcpGroupSettingsDialog::renameGroup() {
  const int row = selectedRow();
  if (row < 0) return;
  const std::string name = book_.tcpIpGroups[static_cast<size_t>(row)].name;
  const auto newName = askForName(book_, kMode, language_, this,
                                  recordCaption(i18n::IDS_CAPTION_RENAME_TCP_IP_GROUP, name), name);
  if (!newName || !renameRecord(&book_, kMode, name, *newName).ok()) return;
  showList(row);
  changed();
}

void CTcpGroupSettingsDialog::removeGroup() {
  const int row = selectedRow();
  if (row < 0) {
    i18n::ui::showErrorBox(this, i18n::text(i18n::IDS_SELECT_TCP_IP_GROUP_TO_REMOVE));
    return;
  }
  const std::string name = book_.tcpIpGroups[static_cast<size_t>(row)].name;
  if (!i18n::ui::askYesNo(this, removeTcpIpGroupQuestion(name), i18n::ui::BoxIcon::kInformation))
    return;
  if (!removeRecord(&book_, kMode, name).ok()) return;
  showList(selectionAfterRemoval(row, static_cast<int>(book_.tcpIpGroups.size())));
  changed();
}

}  // namespace addressbook::ui
