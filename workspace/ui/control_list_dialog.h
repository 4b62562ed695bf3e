#pragma once

#include <QDialog>

#include "i18n/language_module.h"

class QListWidget;
class QPushButton;

namespace workspace::ui {

// One of the Insert menu's list dialogs (transition effect, cartoon, beep, speed, pause): the long
// form of each entry of control `controlType` in a list, "Insert" (default) and "Cancel". A double
// click on an entry acts as "Insert".
class ControlListDialog : public QDialog {
  Q_OBJECT

 public:
  ControlListDialog(QWidget* parent, int controlType, const i18n::LanguageModule& language);

  // The dialog number of control `controlType`'s list dialog; 0 for an unknown type.
  static int dialogNumber(int controlType);

  // The selected entry, 1-based; nothing when no entry is selected.
  std::optional<int> selectedEntry() const;

  QListWidget* list() const { return list_; }
  QPushButton* insertButton() const { return insert_; }
  QPushButton* cancelButton() const { return cancel_; }

 private:
  QListWidget* list_;
  QPushButton* insert_;
  QPushButton* cancel_;
};

}  // namespace workspace::ui
