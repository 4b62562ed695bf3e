#include "receiver/ui/name_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "receiver/ui/window_texts.h"

namespace receiver::ui {

namespace {

constexpr int kFieldMinimumWidth = 260;

}  // namespace

CNameDialog::CNameDialog(const QString& name, QWidget* parent)
    : QDialog(parent), nameField_(new QLineEdit(name, this)) {
  setWindowTitle(QString::fromLatin1(texts::kNameDialogTitle));
  nameField_->setMinimumWidth(kFieldMinimumWidth);
  nameField_->selectAll();

  auto* form = new QFormLayout;
  form->addRow(QString::fromLatin1(texts::kNameLabel), nameField_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

QString CNameDialog::name() const {
  return nameField_->text();
}

}  // namespace receiver::ui
