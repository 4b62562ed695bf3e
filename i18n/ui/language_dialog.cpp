#include "i18n/ui/language_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/ui/qt_language_targets.h"
#include "i18n/ui/template_widgets.h"
#include "platform/ui/qt_text.h"

namespace i18n::ui {
namespace {

constexpr int kListMinimumWidth = 260;

}  // namespace

CLanguageDialog::CLanguageDialog(i18n::LanguageModule& language, QWidget* parent)
    : QDialog(parent), language_(language), list_(new QComboBox(this)) {
  using i18n::ui::makeControl;
  constexpr int kNumber = i18n::IDD_LANGUAGE_SETTING;
  auto* prompt = makeControl<QLabel>(this, kNumber, i18n::kIdLanguagePrompt);
  i18n::ui::setControlId(list_, i18n::kIdLanguageList);
  list_->setMinimumWidth(kListMinimumWidth);
  auto* buttons = i18n::ui::makeOkCancelButtons(this, kNumber);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt);
  layout->addWidget(list_);
  layout->addWidget(buttons);

  const std::string current = language_.settingLanguage();
  for (const std::string& name : language_.listLanguages()) {
    list_->addItem(platform::ui::fromCp1252(name));
    if (name == current) list_->setCurrentIndex(list_->count() - 1);
  }
  i18n::ui::initDialog(this, kNumber, language_);
}

void CLanguageDialog::accept() {
  if (list_->currentIndex() < 0) return;
  language_.selectLanguage(platform::ui::toCp1252(list_->currentText()));
  QDialog::accept();
}

}  // namespace i18n::ui
