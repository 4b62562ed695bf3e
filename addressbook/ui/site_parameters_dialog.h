#pragma once

#include <QDialog>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "addressbook/address_book.h"
#include "addressbook/site_dialog_rules.h"
#include "addressbook/site_parameters.h"
#include "i18n/language_module.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace addressbook::ui {

// The Site parameters dialog (dialog 223): a site's device, the second row the device's type asks
// for (the phone number of a modem, the TCP/IP group of a TCP/IP device, the mailbox of an e-mail
// device, nothing for a serial one) and its sign addresses. OK runs validateSiteParameters and
// keeps the dialog open with the refusal's text (error icon) until the fields pass; the dialog
// itself does not change the book.
class CSiteParametersDialog final : public QDialog {
  Q_OBJECT

 public:
  // `initial` fills the fields; its device name should come from preselectedDevice().
  CSiteParametersDialog(const CAddressBook& book, const SiteParameters& initial,
                        const std::string& caption, const i18n::LanguageModule& language,
                        QWidget* parent = nullptr);

  // The confirmed fields (valid after OK).
  const SiteParameters& parameters() const { return values_; }

  QComboBox* device() const { return device_; }
  QLabel* targetLabel() const { return targetLabel_; }
  QLineEdit* phone() const { return phone_; }
  QComboBox* targetList() const { return targetList_; }
  QLineEdit* addresses() const { return addresses_; }

  void accept() override;

 private:
  // Shows the second row of the selected device's type, its list filled and its entry selected.
  void showTargetRow();
  // Keeps the list row's choice for when the device changes back to its type.
  void keepTargetChoice();
  // The fields as they are now.
  SiteParameters collect() const;

  const CAddressBook& book_;
  SiteParameters values_;
  SiteTargetRow row_ = SiteTargetRow::kNone;
  std::vector<std::string> deviceNames_;  // the device list's entries
  std::vector<std::string> targetNames_;  // the second row list's entries
  QString phoneLabel_;                    // the template's (translated) "Phone Number"
  QComboBox* device_ = nullptr;
  QLabel* targetLabel_ = nullptr;
  QLineEdit* phone_ = nullptr;
  QComboBox* targetList_ = nullptr;
  QLineEdit* addresses_ = nullptr;
};

// Runs the dialog modally; the confirmed fields, or nothing after Cancel.
std::optional<SiteParameters> askSiteParameters(const CAddressBook& book,
                                                const SiteParameters& initial,
                                                const std::string& caption,
                                                const i18n::LanguageModule& language,
                                                QWidget* parent);

}  // namespace addressbook::ui
