#pragma once

#include <QDialog>
#include <QString>
#include <memory>

#include "mail/tls_choice.h"
#include "platform/ui/security_controls.h"

#include "receiver/receiver_settings.h"
#include "receiver/typed_mailbox.h"

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace receiver::ui {

// The POP3 dialog: server, account, password (hidden) and port of one mailbox, and how its
// connection uses TLS (the policy, offered "TLS required" first, and a CA file). OK is refused
// while the server or the account is blank, or a field holds a character Windows-1252 cannot hold
// (checkTypedMailbox), or the CA file cannot be read (mail::checkCaFile). Until the user picks a
// policy, the list follows the port (mail::TlsChoiceForm).
class CPop3ServerDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit CPop3ServerDialog(const MailboxRecord& record, QWidget* parent = nullptr);

  // Copies the fields into *record (its name is left alone) when they pass checkTypedMailbox.
  void store(MailboxRecord* record) const;

  // The refusal OK would give now, or an empty text when the fields are complete.
  QString refusal() const;

  QLineEdit* serverField() const { return server_; }
  QLineEdit* accountField() const { return account_; }
  QLineEdit* passwordField() const { return password_; }
  QSpinBox* portField() const { return port_; }
  QComboBox* tlsList() const { return security_.policyList(); }
  QLineEdit* caFileField() const { return security_.caFileField(); }

 public slots:
  void accept() override;

 private:
  TypedMailbox typed() const;
  // The refusal of the fields (checkTypedMailbox, then the CA file), with the field to focus.
  QString check(MailboxRecord* record, QWidget** field) const;

  QLineEdit* const server_;
  QLineEdit* const account_;
  QLineEdit* const password_;
  QSpinBox* const port_;
  mail::TlsChoiceForm tls_;
  const platform::ui::SecurityControls security_;
};

}  // namespace receiver::ui
