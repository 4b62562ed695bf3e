#include "app/ui/font_colour_bar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>

#include "app/ui/sign_colours.h"
#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/string_table.h"
#include "i18n/ui/qt_language_targets.h"
#include "i18n/ui/template_widgets.h"
#include "platform/ui/qt_text.h"
#include "workspace/sign_tables.h"

namespace app::ui {
namespace {

constexpr int kSwatchSize = 12;

QIcon swatch(int colour) {
  QPixmap pixmap(kSwatchSize, kSwatchSize);
  pixmap.fill(Qt::black);
  QPainter p(&pixmap);
  p.fillRect(pixmap.rect().adjusted(1, 1, -1, -1),
             app::ui::signColourBrush(colour, pixmap.rect().adjusted(1, 1, -1, -1)));
  return QIcon(pixmap);
}

}  // namespace

CFontColourBar::CFontColourBar(int colourMode, const i18n::LanguageModule& language,
                               QWidget* parent)
    : QWidget(parent),
      colourCount_(colourMode == workspace::kSingleColourMode ? workspace::kSingleColourCount
                                                              : workspace::kColourCount),
      fonts_(new QComboBox(this)),
      colours_(new QComboBox(this)) {
  using i18n::ui::makeControl;
  constexpr int kNumber = i18n::IDD_FONT_COLOUR_BAR;
  auto* fontLabel = makeControl<QLabel>(this, kNumber, i18n::kIdFontLabel);
  auto* colourLabel = makeControl<QLabel>(this, kNumber, i18n::kIdColourLabel);
  i18n::ui::setControlId(fonts_, i18n::kIdFontList);
  i18n::ui::setControlId(colours_, i18n::kIdColourList);
  for (int f = 0; f < workspace::kFontCount; ++f) {
    fonts_->addItem(platform::ui::fromCp1252(workspace::fontInfo(f)->name));
  }
  fonts_->setCurrentIndex(workspace::kDefaultFont);
  fillColours();
  colours_->setCurrentIndex(workspace::kDefaultColour);
  fonts_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  colours_->setSizeAdjustPolicy(QComboBox::AdjustToContents);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->addWidget(fontLabel);
  layout->addWidget(fonts_);
  layout->addSpacing(12);
  layout->addWidget(colourLabel);
  layout->addWidget(colours_);
  layout->addStretch();

  connect(fonts_, &QComboBox::activated, this, &CFontColourBar::fontChosen);
  connect(colours_, &QComboBox::activated, this, &CFontColourBar::colourChosen);
  i18n::ui::initDialog(this, kNumber, language);
}

void CFontColourBar::fillColours() {
  const QSignalBlocker block(colours_);
  const int current = colours_->currentIndex();
  colours_->clear();
  for (int c = 0; c < colourCount_; ++c) {
    colours_->addItem(swatch(c),
                      platform::ui::fromCp1252(i18n::text(*workspace::colourStringId(c))));
  }
  colours_->setCurrentIndex(current);
}

void CFontColourBar::setColourMode(int colourMode) {
  colourCount_ = colourMode == workspace::kSingleColourMode ? workspace::kSingleColourCount
                                                            : workspace::kColourCount;
  fillColours();
}

void CFontColourBar::showFontAndColour(int font, int colour) {
  const QSignalBlocker blockFonts(fonts_);
  const QSignalBlocker blockColours(colours_);
  fonts_->setCurrentIndex(font >= 0 && font < fonts_->count() ? font : -1);
  colours_->setCurrentIndex(colour >= 0 && colour < colours_->count() ? colour : -1);
}

void CFontColourBar::applyLanguage(const i18n::LanguageModule& language) {
  i18n::ui::applyDialogTexts(this, i18n::IDD_FONT_COLOUR_BAR, language);
  fillColours();
}

}  // namespace app::ui
