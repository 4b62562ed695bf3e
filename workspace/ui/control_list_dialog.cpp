#include "workspace/ui/control_list_dialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "i18n/dialog_texts.h"
#include "platform/ui/qt_text.h"
#include "workspace/editor_insert_dialogs.h"
#include "workspace/sign_tables.h"
#include "workspace/ui/dialog_text_target.h"

namespace workspace::ui {
namespace {

// The list shows what an entry's text holds before its "\n"; the editor's label uses the rest.
std::string longForm(const std::string& entry) {
  return entry.substr(0, entry.find('\n'));
}

// The list's identifier as the dialog's template gives it (its first control).
int listIdentifier(int number) {
  const i18n::DialogTemplate* dialog = i18n::findDialogTemplate(number);
  if (dialog == nullptr || dialog->controls.empty()) return i18n::kIdStatic;
  return dialog->controls.front().id;
}

}  // namespace

int ControlListDialog::dialogNumber(int controlType) {
  switch (controlType) {
    case kControlBeep:
      return i18n::IDD_INSERT_BEEP;
    case kControlCartoon:
      return i18n::IDD_INSERT_CARTOON;
    case kControlPause:
      return i18n::IDD_INSERT_PAUSE;
    case kControlSpeed:
      return i18n::IDD_INSERT_SPEED;
    case kControlTransition:
      return i18n::IDD_INSERT_EFFECT;
    default:
      return 0;
  }
}

ControlListDialog::ControlListDialog(QWidget* parent, int controlType,
                                     const i18n::LanguageModule& language)
    : QDialog(parent),
      list_(new QListWidget(this)),
      insert_(new QPushButton(this)),
      cancel_(new QPushButton(this)) {
  const int number = dialogNumber(controlType);
  if (const i18n::DialogTemplate* dialog = i18n::findDialogTemplate(number)) {
    setWindowTitle(platform::ui::fromCp1252(dialog->caption));
    insert_->setText(platform::ui::fromCp1252(i18n::findDialogControl(*dialog, i18n::kIdOk)->text));
    cancel_->setText(
        platform::ui::fromCp1252(i18n::findDialogControl(*dialog, i18n::kIdCancel)->text));
  }

  if (const ControlInfo* info = controlInfo(controlType)) {
    for (int value = 1; value <= info->maxValue; ++value) {
      list_->addItem(platform::ui::fromCp1252(longForm(controlEntryText(controlType, value))));
    }
  }
  const int defaultEntry = controlDialogDefault(controlType);
  if (defaultEntry >= 1 && defaultEntry <= list_->count()) list_->setCurrentRow(defaultEntry - 1);

  insert_->setDefault(true);
  insert_->setAutoDefault(true);
  cancel_->setAutoDefault(false);
  auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
  buttons->addButton(insert_, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancel_, QDialogButtonBox::RejectRole);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);
  list_->setMinimumWidth(list_->sizeHintForColumn(0) + 2 * list_->frameWidth() + 24);

  connect(insert_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

  WidgetDialogTextTarget texts(this);
  texts.addControl(list_, listIdentifier(number), "ListBox");
  texts.addControl(insert_, i18n::kIdOk, "Button");
  texts.addControl(cancel_, i18n::kIdCancel, "Button");
  language.applyToDialog(texts, number);
}

std::optional<int> ControlListDialog::selectedEntry() const {
  const int row = list_->currentRow();
  if (row < 0) return std::nullopt;
  return row + 1;
}

}  // namespace workspace::ui
