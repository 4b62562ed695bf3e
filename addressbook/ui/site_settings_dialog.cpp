#include "addressbook/ui/site_settings_dialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

#include "addressbook/book_edits.h"
#include "addressbook/name_dialog_texts.h"
#include "addressbook/site_parameters.h"
#include "addressbook/ui/group_parameters_dialog.h"
#include "addressbook/ui/list_dialog_layout.h"
#include "addressbook/ui/name_entry_dialog.h"
#include "addressbook/ui/site_parameters_dialog.h"
#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/string_table.h"
#include "i18n/ui/message_boxes.h"
#include "i18n/ui/template_widgets.h"
#include "platform/ui/qt_text.h"

namespace addressbook::ui {

using platform::ui::fromCp1252;

namespace {

constexpr int kNumber = i18n::IDD_SITE_SETTINGS;

}  // namespace

CSiteSettingsDialog::CSiteSettingsDialog(CAddressBook& book, SiteListMode mode,
                                         const i18n::LanguageModule& language,
                                         std::function<void()> bookChanged, QWidget* parent)
    : QDialog(parent),
      book_(book),
      mode_(mode),
      rules_(siteListRules(mode)),
      language_(language),
      bookChanged_(std::move(bookChanged)) {
  using i18n::ui::makeControl;
  auto* label = makeControl<QLabel>(this, kNumber, i18n::kIdSiteListLabel);
  list_ = new QListWidget(this);
  i18n::ui::setControlId(list_, i18n::kIdSiteList);
  const std::vector<QPushButton*> buttons =
      layOutListDialog(this, kNumber, label, list_,
                       {{i18n::kIdSiteNew, [this] { newEntry(); }},
                        {i18n::kIdSiteEdit, [this] { editEntry(); }},
                        {i18n::kIdSiteRename, [this] { renameEntry(); }},
                        {i18n::kIdSiteRemove, [this] { removeEntry(); }}},
                       nullptr, i18n::kIdOk);
  i18n::ui::initDialog(this, kNumber, language);
  if (mode == SiteListMode::kGroups) {
    const GroupModeTexts texts = groupModeTexts();
    setWindowTitle(fromCp1252(texts.caption));
    label->setText(fromCp1252(texts.listLabel));
    const std::string* const labels[] = {&texts.newButton, &texts.editButton, &texts.renameButton,
                                         &texts.removeButton};
    for (size_t i = 0; i < std::size(labels); ++i)
      buttons[i]->setText(fromCp1252(*labels[i]));
  }
  showList(-1);
}

void CSiteSettingsDialog::showList(int selectRow) {
  list_->clear();
  for (const std::string& name : siteListNames(book_, mode_))
    list_->addItem(fromCp1252(name));
  list_->setCurrentRow(selectRow);
}

std::optional<std::string> CSiteSettingsDialog::selectedName() {
  const QList<QListWidgetItem*> selected = list_->selectedItems();
  const std::vector<std::string> names = siteListNames(book_, mode_);
  const int row = selected.isEmpty() ? -1 : list_->row(selected.front());
  if (row < 0 || static_cast<size_t>(row) >= names.size()) {
    i18n::ui::showWarningWithErrorIcon(this, i18n::text(rules_.noSelection));
    return std::nullopt;
  }
  return names[static_cast<size_t>(row)];
}

void CSiteSettingsDialog::changed() {
  if (bookChanged_) bookChanged_();
}

void CSiteSettingsDialog::newSite(const std::string& name) {
  SiteParameters initial;
  initial.deviceName = preselectedDevice(book_, nullptr);
  const auto p =
      askSiteParameters(book_, initial, recordCaption(rules_.newCaption, name), language_, this);
  if (!p || !addSite(&book_, name, *p).ok()) return;
  showList(static_cast<int>(book_.sites.size()) - 1);
  changed();
}

void CSiteSettingsDialog::newGroup(const std::string& name) {
  auto members =
      askGroupMembers(book_, {}, recordCaption(rules_.newCaption, name), language_, this);
  if (!members || !addGroup(&book_, name, std::move(*members)).ok()) return;
  showList(static_cast<int>(book_.groups.size()) - 1);
  changed();
}

void CSiteSettingsDialog::newEntry() {
  const auto name = askForName(book_, rules_.nameMode, language_, this);
  if (!name) return;
  mode_ == SiteListMode::kSites ? newSite(*name) : newGroup(*name);
}

void CSiteSettingsDialog::editEntry() {
  const std::optional<std::string> selected = selectedName();
  if (!selected) return;
  const std::string& name = *selected;
  const std::string caption = recordCaption(rules_.editCaption, name);
  if (mode_ == SiteListMode::kSites) {
    const CSite before = *book_.findSite(name);
    SiteParameters initial = siteParametersOf(before);
    initial.deviceName = preselectedDevice(book_, &before);
    const auto p = askSiteParameters(book_, initial, caption, language_, this);
    if (!p || !editSite(&book_, name, *p).ok() || *book_.findSite(name) == before) return;
  } else {
    CSiteGroup* group = book_.findGroup(name);
    auto members = askGroupMembers(book_, group->siteNames, caption, language_, this);
    if (!members || *members == group->siteNames) return;
    group->siteNames = std::move(*members);
  }
  changed();
}

void CSiteSettingsDialog::renameEntry() {
  const std::optional<std::string> name = selectedName();
  if (!name) return;
  const int row = list_->currentRow();
  const auto newName = askForName(book_, rules_.nameMode, language_, this,
                                  recordCaption(rules_.renameCaption, *name), *name);
  if (!newName || !renameRecord(&book_, rules_.nameMode, *name, *newName).ok()) return;
  showList(row);
  changed();
}

void CSiteSettingsDialog::removeEntry() {
  const std::optional<std::string> name = selectedName();
  if (!name || !i18n::ui::askYesNo(this, removeQuestion(*name))) return;
  const platform::Status removed = removeRecord(&book_, rules_.nameMode, *name);
  if (!removed.ok()) {
    if (!removed.message().empty()) i18n::ui::showWarningWithErrorIcon(this, removed.message());
    return;
  }
  showList(-1);
  changed();
}

}  // namespace addressbook::ui
