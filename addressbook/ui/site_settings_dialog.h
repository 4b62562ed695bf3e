#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "addressbook/address_book.h"
#include "addressbook/site_dialog_rules.h"
#include "i18n/language_module.h"

class QListWidget;
class QPushButton;

namespace addressbook::ui {

// The Site Settings dialog (dialog 220) over the book's sites, or in group mode ("Group
// Settings") over its groups. New, Edit, Rename and Remove act on the book at once, through the
// name-entry dialog, the Site parameters dialog (sites) and the Group parameters dialog (groups):
//  - a new site or group is appended, listed and selected;
//  - a renamed site is renamed in every group that includes it (renameRecord);
//  - a site is not removed while a group includes it (the refusal names the group);
//  - a group's removal touches no site.
// `bookChanged` runs after every OK that changed the book.
class CSiteSettingsDialog final : public QDialog {
  Q_OBJECT

 public:
  CSiteSettingsDialog(CAddressBook& book, SiteListMode mode, const i18n::LanguageModule& language,
                      std::function<void()> bookChanged, QWidget* parent = nullptr);

  QListWidget* list() const { return list_; }

  void newEntry();
  void editEntry();
  void renameEntry();
  void removeEntry();

 private:
  // The selected entry's name; nothing (after the mode's message) when none is selected.
  std::optional<std::string> selectedName();
  void showList(int selectRow);
  void newSite(const std::string& name);
  void newGroup(const std::string& name);
  void changed();

  CAddressBook& book_;
  const SiteListMode mode_;
  const SiteListRules rules_;
  const i18n::LanguageModule& language_;
  const std::function<void()> bookChanged_;
  QListWidget* list_ = nullptr;
};

}  // namespace addressbook::ui
