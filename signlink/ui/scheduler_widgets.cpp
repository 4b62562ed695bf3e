#include "signlink/ui/scheduler_widgets.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QPushButton>

#include "i18n/dialog_controls.h"
#include "i18n/ui/qt_language_targets.h"
#include "i18n/ui/template_widgets.h"
#include "platform/ui/qt_text.h"
#include "signlink/scheduler_sheet.h"

namespace signlink::ui {

QComboBox* makeChoiceList(QWidget* parent, int id, const std::vector<std::string>& texts) {
  auto* list = new QComboBox(parent);
  i18n::ui::setControlId(list, id);
  for (const std::string& text : texts)
    list->addItem(platform::ui::fromCp1252(text));
  return list;
}

void setChoice(QComboBox* list, int choice) {
  list->setCurrentIndex(choice >= 0 && choice < list->count() ? choice : -1);
}

void fillList(QListWidget* list, const std::vector<std::string>& texts, int selection) {
  list->clear();
  for (const std::string& text : texts)
    list->addItem(platform::ui::fromCp1252(text));
  if (selection >= 0 && selection < list->count()) list->setCurrentRow(selection);
}

int selectedRow(const QListWidget* list) {
  const QModelIndexList rows = list->selectionModel()->selectedRows();
  return rows.isEmpty() ? kNoChoice : rows.front().row();
}

QPushButton* makeHiddenTransmitButton(QWidget* page, int dialogNumber) {
  auto* button = i18n::ui::makeControl<QPushButton>(page, dialogNumber, i18n::kIdSchedulerTransmit);
  button->hide();
  return button;
}

}  // namespace signlink::ui
