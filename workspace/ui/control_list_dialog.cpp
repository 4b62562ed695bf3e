#include "workspace/ui/control_list_dialog.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "i18n/dialog_texts.h"
#include "i18n/ui/qt_language_targets.h"
#include "platform/ui/qt_text.h"
#include "workspace/editor_insert_dialogs.h"
#include "workspace/sign_tables.h"
#include "workspace/ui/template_texts.h"

namespace workspace::ui {
namespace {

constexpr int kVisibleRows = 12;    // Rows the list shows before it scrolls.
constexpr int kScrollBarRoom = 24;  // Beside the longest entry, for the scroll bar.

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
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(insert_);
  buttons->addWidget(cancel_);
  buttons->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(list_, 1, Qt::AlignTop);
  layout->addLayout(buttons);
  // Whole rows only, up to kVisibleRows; longer lists scroll.
  const int frame = 2 * list_->frameWidth();
  const int rows = std::min(list_->count(), kVisibleRows);
  list_->setFixedHeight(rows * list_->sizeHintForRow(0) + frame);
  list_->setMinimumWidth(list_->sizeHintForColumn(0) + frame + kScrollBarRoom);

  connect(insert_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

  i18n::ui::setControlId(list_, listIdentifier(number));
  i18n::ui::setControlId(insert_, i18n::kIdOk);
  i18n::ui::setControlId(cancel_, i18n::kIdCancel);
  applyTemplateTexts(this, number, language);
}

std::optional<int> ControlListDialog::selectedEntry() const {
  const int row = list_->currentRow();
  if (row < 0) return std::nullopt;
  return row + 1;
}

}  // namespace workspace::ui
