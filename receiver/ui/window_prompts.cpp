#include "receiver/ui/window_prompts.h"

#include <QMessageBox>

#include "receiver/ui/name_dialog.h"
#include "receiver/ui/pop3_server_dialog.h"
#include "receiver/ui/window_texts.h"

namespace receiver::ui {

bool QtWindowPrompts::askName(QWidget* parent, QString* name) {
  CNameDialog dialog(*name, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  *name = dialog.name();
  return true;
}

bool QtWindowPrompts::askServer(QWidget* parent, MailboxRecord* record) {
  CPop3ServerDialog dialog(*record, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  dialog.store(record);
  return true;
}

bool QtWindowPrompts::askYesNo(QWidget* parent, const QString& title, const QString& text) {
  return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

void QtWindowPrompts::warn(QWidget* parent, const QString& text) {
  QMessageBox::warning(parent, QString::fromLatin1(texts::kWarningTitle), text);
}

void QtWindowPrompts::inform(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox::information(parent, title, text);
}

}  // namespace receiver::ui
