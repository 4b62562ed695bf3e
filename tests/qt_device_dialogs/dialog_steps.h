#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <functional>

#include "i18n/ui/qt_language_targets.h"

// Small steps the device and mail dialog tests share: controls found by their identifier.
namespace dialog_steps {

template <class W>
W* find(QWidget* dialog, int id) {
  return qobject_cast<W*>(i18n::ui::findControl(dialog, id));
}

inline void type(QWidget* dialog, int id, const QString& text) {
  find<QLineEdit>(dialog, id)->setText(text);
}

inline void choose(QWidget* dialog, int id, const QString& entry) {
  QComboBox* combo = find<QComboBox>(dialog, id);
  combo->setCurrentIndex(combo->findText(entry));
}

inline void click(QWidget* dialog, int id) {
  find<QAbstractButton>(dialog, id)->click();
}

// A step that types `text` into the name-entry dialog and presses OK.
inline std::function<void(QWidget*)> enterName(const QString& text, QString* caption = nullptr) {
  return [text, caption](QWidget* w) {
    if (caption) *caption = w->windowTitle();
    type(w, 1000, text);
    qobject_cast<QDialog*>(w)->accept();
  };
}

// A step that runs `fill` on a dialog and presses OK.
inline std::function<void(QWidget*)> fillAndAccept(std::function<void(QWidget*)> fill) {
  return [fill](QWidget* w) {
    fill(w);
    qobject_cast<QDialog*>(w)->accept();
  };
}

}  // namespace dialog_steps
