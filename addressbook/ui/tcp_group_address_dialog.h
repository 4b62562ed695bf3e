#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "i18n/language_module.h"

class QLineEdit;

namespace addressbook::ui {

// The "New/Edit TCP/IP group..." dialog (dialog 212): one IP-address field of four octets. It
// opens with a stored address split into its octets (parseIpAddress); OK with a field that holds
// no digit is refused with "TCP/IP address can't be empty!" (caption "Error") and the focus goes
// back to the field; otherwise the address is kept as "%d.%d.%d.%d".
class CTcpGroupAddressDialog final : public QDialog {
  Q_OBJECT

 public:
  CTcpGroupAddressDialog(const std::string& address, const std::string& caption,
                         const i18n::LanguageModule& language, QWidget* parent = nullptr);

  // The confirmed address (valid after OK).
  const std::string& address() const { return address_; }
  QLineEdit* field() const { return field_; }

  void accept() override;

 private:
  QLineEdit* const field_;
  std::string address_;
};

// Runs the address dialog modally; the confirmed address, or nothing after Cancel.
std::optional<std::string> askTcpIpAddress(const std::string& address, const std::string& caption,
                                           const i18n::LanguageModule& language, QWidget* parent);

}  // namespace addressbook::ui
