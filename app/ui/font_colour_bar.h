#pragma once

#include <QWidget>

#include "i18n/language_module.h"

class QComboBox;

namespace app::ui {

// The font-and-colour bar (dialog 107, "ZiTi"): the seven fonts and the colours of the sign's
// colour mode, two for a single-colour sign and sixteen otherwise. Choosing an entry tells the
// editor; the editor tells the bar what stands at the caret.
class CFontColourBar : public QWidget {
  Q_OBJECT

 public:
  CFontColourBar(int colourMode, const i18n::LanguageModule& language, QWidget* parent = nullptr);

  QComboBox* fontList() const { return fonts_; }
  QComboBox* colourList() const { return colours_; }

  // Shows `font` and `colour` without telling the editor. A colour the list lacks shows nothing.
  void showFontAndColour(int font, int colour);
  // Offers the colours of `colourMode` (a loaded workspace file brought another sign).
  void setColourMode(int colourMode);
  // Puts the current language's texts on the labels and the colour names.
  void applyLanguage(const i18n::LanguageModule& language);

 signals:
  void fontChosen(int font);
  void colourChosen(int colour);

 private:
  void fillColours();

  int colourCount_;     // Two or sixteen.
  QComboBox* fonts_;    // Control 1053.
  QComboBox* colours_;  // Control 1054.
};

}  // namespace app::ui
