#pragma once

#include <QDialog>

#include "addressbook/address_book.h"
#include "i18n/language_module.h"
#include "signlink/send_option.h"

class QComboBox;
class QGroupBox;
class QRadioButton;

namespace signlink::ui {

// "Send option...": a site or a group to send to. The lists, the preselection and the refusal of
// an empty choice are the rules of signlink/send_option.h; this window shows and collects.
class CSendOptionDialog : public QDialog {
  Q_OBJECT

 public:
  // `book` must outlive the dialog; *memory is read at opening and updated on OK.
  CSendOptionDialog(const addressbook::CAddressBook& book, SendOptionMemory* memory,
                    const i18n::LanguageModule& language, QWidget* parent = nullptr);

  // The confirmed choice (after OK).
  const SendChoice& choice() const { return choice_; }

  void accept() override;

 private:
  void showKind(bool isGroup);

  const addressbook::CAddressBook& book_;
  SendOptionMemory* memory_;
  QRadioButton* site_;
  QRadioButton* group_;
  QGroupBox* frame_;
  QComboBox* names_;
  SendChoice choice_;
};

}  // namespace signlink::ui
