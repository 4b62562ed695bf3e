#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "addressbook/address_book.h"
#include "i18n/language_module.h"
#include "mail/mail_settings.h"
#include "platform/profile_file.h"

class QListWidget;

namespace mail::ui {

// The list dialog (dialog 142) of the mail servers ("Mail Server Settings") or of the receiving
// mailboxes ("Mailbox Settings"): the names in list order, the first selected, and New, Edit,
// Remove, Rename and Close. A mail server is edited in the mail server dialog, a mailbox's address
// in the name-entry dialog. The book is changed in place; `bookChanged` runs after every change.
// A mail server's TLS choice is kept in `profile` (mail/tls_profile.h): written with New and Edit,
// moved with Rename, removed with Remove.
class CMailListDialog final : public QDialog {
  Q_OBJECT

 public:
  CMailListDialog(MailListMode mode, addressbook::CAddressBook& book,
                  std::function<void()> bookChanged, const platform::ProfileFile& profile,
                  const i18n::LanguageModule& language, QWidget* parent = nullptr);

  QListWidget* list() const { return list_; }

 private:
  void applyMailboxTexts();
  std::string selectedName() const;
  bool selected(MailListAction action, std::string* name);
  void changed(int row, const std::string& text);
  void newRecord();
  void editRecord();
  void removeRecord();
  void renameRecord();

  const MailListMode mode_;
  addressbook::CAddressBook& book_;
  const std::function<void()> bookChanged_;
  const platform::ProfileFile& profile_;
  const i18n::LanguageModule& language_;
  QListWidget* list_;
};

}  // namespace mail::ui
