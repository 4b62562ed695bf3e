#include "app/ui/sign_setup_dialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/ui/message_box.h"
#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/ui/qt_language_targets.h"
#include "i18n/ui/template_widgets.h"

namespace app::ui {
namespace {

constexpr int kBiColourMode = 2;
// The picture data file records the width in 16 bits.
constexpr long kMaxWidth = 0xFFFF;
constexpr int kWidthEditChars = 8;

}  // namespace

CSignSetupDialog::CSignSetupDialog(const varnel_profile::SignSettings& settings,
                                   const i18n::LanguageModule& language, QWidget* parent)
    : QDialog(parent), settings_(settings), width_(new QLineEdit(this)) {
  using i18n::ui::makeControl;
  constexpr int kNumber = i18n::IDD_SIGN_SETUP;
  auto* prompt = makeControl<QLabel>(this, kNumber, i18n::kIdSetupPrompt);
  i18n::ui::setControlId(width_, i18n::kIdSetupWidth);
  width_->setText(QString::number(settings.width));
  width_->setMaximumWidth(width_->fontMetrics().horizontalAdvance(QLatin1Char('0')) *
                          kWidthEditChars * 2);
  auto* frame = makeControl<QGroupBox>(this, kNumber, i18n::kIdSetupColourFrame);
  monochrome_ = makeControl<QRadioButton>(frame, kNumber, i18n::kIdSetupMonochrome);
  biColour_ = makeControl<QRadioButton>(frame, kNumber, i18n::kIdSetupBiColour);
  (settings.colourMode == kBiColourMode ? biColour_ : monochrome_)->setChecked(true);
  auto* frameLayout = new QHBoxLayout(frame);
  frameLayout->addWidget(monochrome_);
  frameLayout->addWidget(biColour_);
  frameLayout->addStretch();

  auto* buttons = i18n::ui::makeOkCancelButtons(this, kNumber);

  auto* widthRow = new QHBoxLayout;
  widthRow->addWidget(prompt);
  widthRow->addWidget(width_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(widthRow);
  layout->addWidget(frame);
  layout->addWidget(buttons);
  i18n::ui::initDialog(this, kNumber, language);
  width_->selectAll();
}

std::optional<int> CSignSetupDialog::parseWidth(const QString& text) {
  const QString t = text.trimmed();
  int i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
    negative = t[i] == QLatin1Char('-');
    ++i;
  }
  long value = 0;
  bool digits = false;
  for (; i < t.size() && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9'); ++i) {
    digits = true;
    value = value * 10 + (t[i].unicode() - '0');
    if (value > kMaxWidth) return std::nullopt;
  }
  if (!digits || negative || value <= 0) return std::nullopt;
  return static_cast<int>(value);
}

void CSignSetupDialog::accept() {
  const std::optional<int> width = parseWidth(width_->text());
  if (!width) {
    app::ui::showError(this, i18n::text(i18n::IDS_INVALID_SIGN_WIDTH));
    width_->setFocus();
    width_->selectAll();
    return;
  }
  settings_.width = *width;
  settings_.colourMode =
      biColour_->isChecked() ? kBiColourMode : varnel_profile::kDefaultColourMode;
  QDialog::accept();
}

}  // namespace app::ui
