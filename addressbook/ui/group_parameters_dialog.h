#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "addressbook/address_book.h"
#include "i18n/language_module.h"

class QListWidget;

namespace addressbook::ui {

// The Group parameters dialog (dialog 222): every site of the book on the left (several may be
// selected) and the group's members on the right. "&Include Site" appends the selected sites that
// are not yet members (includeSites), "&Remove Site" takes out the selected member
// (removeMember); both refuse an empty selection. OK returns the member list, Cancel discards it;
// the dialog itself does not change the book.
class CGroupParametersDialog final : public QDialog {
  Q_OBJECT

 public:
  CGroupParametersDialog(const CAddressBook& book, std::vector<std::string> members,
                         const std::string& caption, const i18n::LanguageModule& language,
                         QWidget* parent = nullptr);

  const std::vector<std::string>& members() const { return members_; }
  QListWidget* allSites() const { return allSites_; }
  QListWidget* memberList() const { return memberList_; }

  void includeSelected();
  void removeSelected();

 private:
  void showMembers();

  const CAddressBook& book_;
  std::vector<std::string> members_;
  QListWidget* allSites_ = nullptr;
  QListWidget* memberList_ = nullptr;
};

// Runs the dialog modally; the confirmed member list, or nothing after Cancel.
std::optional<std::vector<std::string>> askGroupMembers(const CAddressBook& book,
                                                        std::vector<std::string> members,
                                                        const std::string& caption,
                                                        const i18n::LanguageModule& language,
                                                        QWidget* parent);

}  // namespace addressbook::ui
