#pragma once

#include <QDialog>

class QLineEdit;

namespace receiver::ui {

// "Please input name": the name a mailbox is listed under (its mail address).
class CNameDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit CNameDialog(const QString& name, QWidget* parent = nullptr);

  QString name() const;
  QLineEdit* nameField() const { return nameField_; }

 private:
  QLineEdit* const nameField_;
};

}  // namespace receiver::ui
