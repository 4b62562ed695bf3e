#pragma once

#include <QDialog>
#include <QString>

#include "receiver/receiver_settings.h"
#include "receiver/typed_mailbox.h"

class QLineEdit;
class QSpinBox;

namespace receiver::ui {

// The POP3 dialog: server, account, password (hidden) and port of one mailbox. OK is refused while
// the server or the account is blank, or a field holds a character Windows-1252 cannot hold
// (checkTypedMailbox).
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

 public slots:
  void accept() override;

 private:
  TypedMailbox typed() const;

  QLineEdit* const server_;
  QLineEdit* const account_;
  QLineEdit* const password_;
  QSpinBox* const port_;
};

}  // namespace receiver::ui
