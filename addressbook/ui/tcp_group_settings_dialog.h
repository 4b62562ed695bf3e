#pragma once

#include <QDialog>
#include <functional>

#include "addressbook/address_book.h"
#include "i18n/language_module.h"

class QListWidget;

namespace addressbook::ui {

// The TCP/IP Group Settings dialog (dialog 211): the book's TCP/IP groups listed as
// "name<=>address", the first selected when it opens. New, Edit, Rename and Remove act on the
// book at once; `bookChanged` runs after every OK that changed it.
//  - Rename also renames the group in the sites that send to it (renameRecord), so that they keep
//    reaching their signs. This is deliberate: left with the old name, those sites would name a
//    group that no longer exists and fail at the next send.
//  - Remove asks first and checks no site: the sites that name the group keep the name and are
//    told at send time that it has gone. The selection stays at the same position, or moves to
//    the previous entry when the last one was removed.
//  - Edit and Rename with an empty list do nothing.
class CTcpGroupSettingsDialog final : public QDialog {
  Q_OBJECT

 public:
  CTcpGroupSettingsDialog(CAddressBook& book, const i18n::LanguageModule& language,
                          std::function<void()> bookChanged, QWidget* parent = nullptr);

  QListWidget* list() const { return list_; }

  void newGroup();
  void editGroup();
  void renameGroup();
  void removeGroup();

 private:
  // The selected group's position in the book, or -1.
  int selectedRow() const;
  void showList(int selectRow);
  void changed();

  CAddressBook& book_;
  const i18n::LanguageModule& language_;
  const std::function<void()> bookChanged_;
  QListWidget* list_ = nullptr;
};

}  // namespace addressbook::ui
