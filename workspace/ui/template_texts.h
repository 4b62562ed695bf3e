#pragma once

class QWidget;

namespace i18n {
class LanguageModule;
}

namespace workspace::ui {

// Gives `dialog` its texts: the English caption and control texts of template `dialogNumber`
// first, then whatever the current language has for them. Controls are found by the identifier
// i18n::ui::setControlId gave them.
void applyTemplateTexts(QWidget* dialog, int dialogNumber, const i18n::LanguageModule& language);

}  // namespace workspace::ui
