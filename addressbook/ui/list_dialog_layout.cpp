#include "addressbook/ui/list_dialog_layout.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "i18n/ui/template_widgets.h"

namespace addressbook::ui {

std::vector<QPushButton*> layOutListDialog(QDialog* dialog, int dialogNumber, QWidget* label,
                                           QListWidget* list,
                                           const std::vector<ListButton>& buttons, QWidget* below,
                                           int closeId) {
  std::vector<QPushButton*> made;
  auto* column = new QVBoxLayout;
  for (const ListButton& entry : buttons) {
    auto* button = i18n::ui::makeControl<QPushButton>(dialog, dialogNumber, entry.id);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, dialog, entry.action);
    column->addWidget(button);
    made.push_back(button);
  }
  column->addStretch();
  if (closeId != 0) {
    auto* close = i18n::ui::makeControl<QPushButton>(dialog, dialogNumber, closeId);
    close->setDefault(true);
    QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::accept);
    column->addWidget(close);
    made.push_back(close);
  }
  auto* left = new QVBoxLayout;
  left->addWidget(label);
  left->addWidget(list);
  if (below) left->addWidget(below);
  auto* layout = new QHBoxLayout(dialog);
  layout->addLayout(left, 1);
  layout->addLayout(column);
  return made;
}

}  // namespace addressbook::ui
