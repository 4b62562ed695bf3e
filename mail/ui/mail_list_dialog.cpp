#include "mail/ui/mail_list_dialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <optional>
#include <utility>

#include "addressbook/book_edits.h"
#include "addressbook/ui/list_dialog_layout.h"
#include "addressbook/ui/name_entry_dialog.h"
#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/ui/message_boxes.h"
#include "i18n/ui/qt_language_targets.h"
#include "i18n/ui/template_widgets.h"
#include "mail/tls_profile.h"
#include "mail/ui/mail_server_dialog.h"
#include "platform/ui/qt_text.h"

namespace mail::ui {
namespace {

using addressbook::NameDialogMode;
using platform::ui::fromCp1252;

constexpr int kNumber = i18n::IDD_MAIL_LIST;

bool passes(QWidget* parent, const platform::Status& status) {
  if (status.ok()) return true;
  if (!status.message().empty()) i18n::ui::showWarningBox(parent, status.message());
  return false;
}

}  // namespace

CMailListDialog::CMailListDialog(MailListMode mode, addressbook::CAddressBook& book,
                                 std::function<void()> bookChanged,
                                 const platform::ProfileFile& profile,
                                 const i18n::LanguageModule& language, QWidget* parent)
    : QDialog(parent),
      mode_(mode),
      book_(book),
      bookChanged_(std::move(bookChanged)),
      profile_(profile),
      language_(language),
      list_(new QListWidget(this)) {
  using i18n::ui::makeControl;
  auto* label = makeControl<QLabel>(this, kNumber, i18n::kIdMailListLabel);
  i18n::ui::setControlId(list_, i18n::kIdMailList);
  for (const std::string& name : mailListNames(book_, mode_))
    list_->addItem(fromCp1252(name));
  if (list_->count() > 0) list_->setCurrentRow(0);

  addressbook::ui::layOutListDialog(this, kNumber, label, list_,
                                    {{i18n::kIdMailListNew, [this] { newRecord(); }},
                                     {i18n::kIdMailListEdit, [this] { editRecord(); }},
                                     {i18n::kIdMailListRemove, [this] { removeRecord(); }},
                                     {i18n::kIdMailListRename, [this] { renameRecord(); }},
                                     {i18n::kIdOk, [this] { reject(); }}});
  i18n::ui::initDialog(this, kNumber, language_);
  if (mode_ == MailListMode::kMailboxes) applyMailboxTexts();
}

void CMailListDialog::applyMailboxTexts() {
  const MailListTexts texts = mailboxListTexts();
  setWindowTitle(fromCp1252(texts.caption));
  const std::pair<int, const std::string*> controls[] = {
      {i18n::kIdMailListLabel, &texts.label},
      {i18n::kIdMailListNew, &texts.newButton},
      {i18n::kIdMailListEdit, &texts.editButton},
      {i18n::kIdMailListRemove, &texts.removeButton},
      {i18n::kIdMailListRename, &texts.renameButton}};
  for (const auto& [id, text] : controls) {
    QWidget* widget = i18n::ui::findControl(this, id);
    if (auto* labelWidget = qobject_cast<QLabel*>(widget)) labelWidget->setText(fromCp1252(*text));
    if (auto* button = qobject_cast<QPushButton*>(widget)) button->setText(fromCp1252(*text));
  }
}

std::string CMailListDialog::selectedName() const {
  const QListWidgetItem* item = list_->currentItem();
  if (!item) return {};
  const std::vector<std::string> names = mailListNames(book_, mode_);
  const int row = list_->row(item);
  return row >= 0 && row < static_cast<int>(names.size()) ? names[static_cast<size_t>(row)]
                                                          : std::string();
}

bool CMailListDialog::selected(MailListAction action, std::string* name) {
  *name = selectedName();
  return passes(this, requireSelectedItem(action, *name));
}

void CMailListDialog::changed(int row, const std::string& text) {
  if (row >= list_->count()) list_->addItem(QString());
  list_->item(row)->setText(fromCp1252(text));
  list_->setCurrentRow(row);
  bookChanged_();
}

void CMailListDialog::newRecord() {
  const std::optional<std::string> name =
      addressbook::ui::askForName(book_, nameModeOf(mode_), language_, this);
  if (!name) return;
  const std::string caption = newRecordCaption(mode_, *name);
  platform::Status added;
  if (mode_ == MailListMode::kMailServers) {
    // A name used before keeps nothing of its old choice: the dialog's choice replaces it.
    CMailServerDialog dialog(addressbook::CMailServer{}, caption, language_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    added = addMailServer(&book_, *name, dialog.server());
    if (added.ok()) added = writeTlsChoice(profile_, *name, dialog.tls());
  } else {
    const std::optional<std::string> address =
        addressbook::ui::askForName(book_, NameDialogMode::kMailAddress, language_, this, caption);
    if (!address) return;
    added = addMailbox(&book_, *name, *address);
  }
  if (passes(this, added)) changed(list_->count(), *name);
}

void CMailListDialog::editRecord() {
  std::string name;
  if (!selected(MailListAction::kEdit, &name)) return;
  const std::string caption = editRecordCaption(mode_, name);
  platform::Status edited;
  if (mode_ == MailListMode::kMailServers) {
    CMailServerDialog dialog(*book_.findMailServer(name), readTlsChoice(profile_, name), caption,
                             language_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    edited = editMailServer(&book_, name, dialog.server());
    if (edited.ok()) edited = writeTlsChoice(profile_, name, dialog.tls());
  } else {
    const std::optional<std::string> address =
        addressbook::ui::askForName(book_, NameDialogMode::kMailAddress, language_, this, caption,
                                    book_.findMailbox(name)->address);
    if (!address) return;
    edited = editMailbox(&book_, name, *address);
  }
  if (passes(this, edited)) changed(list_->currentRow(), name);
}

void CMailListDialog::removeRecord() {
  std::string name;
  if (!selected(MailListAction::kRemove, &name)) return;
  if (!i18n::ui::askYesNo(this, removeItemQuestion())) return;
  if (!passes(this, addressbook::removeRecord(&book_, nameModeOf(mode_), name))) return;
  if (mode_ == MailListMode::kMailServers) passes(this, removeTlsChoice(profile_, name));
  const int row = list_->currentRow();
  delete list_->takeItem(row);
  list_->setCurrentRow(std::min(row, list_->count() - 1));
  bookChanged_();
}

void CMailListDialog::renameRecord() {
  std::string name;
  if (!selected(MailListAction::kRename, &name)) return;
  const std::optional<std::string> newName = addressbook::ui::askForName(
      book_, nameModeOf(mode_), language_, this, renameRecordCaption(mode_, name), name);
  if (!newName) return;
  if (!passes(this, addressbook::renameRecord(&book_, nameModeOf(mode_), name, *newName))) return;
  if (mode_ == MailListMode::kMailServers) passes(this, moveTlsChoice(profile_, name, *newName));
  changed(list_->currentRow(), *newName);
}

}  // namespace mail::ui
