#include "i18n/ui/qt_language_targets.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>

#include "i18n/dialog_texts.h"
#include "platform/ui/qt_text.h"

namespace i18n::ui {

using platform::ui::fromCp1252;

void setControlId(QWidget* widget, int id) {
  widget->setProperty(kControlIdProperty, id);
  widget->setObjectName(QStringLiteral("control%1").arg(id));
}

int controlId(const QWidget* widget) {
  const QVariant id = widget->property(kControlIdProperty);
  return id.isValid() ? id.toInt() : kIdStatic;
}

QWidget* findControl(QWidget* dialog, int id) {
  for (QWidget* child : dialog->findChildren<QWidget*>()) {
    if (child->property(kControlIdProperty).isValid() && controlId(child) == id) return child;
  }
  return nullptr;
}

QtDialogTextTarget::QtDialogTextTarget(QWidget* dialog) : dialog_(dialog) {
  for (QWidget* child : dialog->findChildren<QWidget*>()) {
    if (child->property(kControlIdProperty).isValid()) controls_.push_back(child);
  }
}

void QtDialogTextTarget::setCaption(const std::string& text) {
  dialog_->setWindowTitle(fromCp1252(text));
}

int QtDialogTextTarget::childCount() const {
  return static_cast<int>(controls_.size());
}

std::string QtDialogTextTarget::childClassName(int index) const {
  const QWidget* w = controls_.at(static_cast<size_t>(index));
  ControlKind kind = ControlKind::kOther;
  if (qobject_cast<const QLabel*>(w)) {
    kind = ControlKind::kStatic;
  } else if (qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QGroupBox*>(w)) {
    kind = ControlKind::kButton;
  } else if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w)) {
    kind = ControlKind::kEdit;
  } else if (qobject_cast<const QComboBox*>(w)) {
    kind = ControlKind::kComboBox;
  } else if (qobject_cast<const QAbstractItemView*>(w)) {
    kind = ControlKind::kListBox;
  } else if (qobject_cast<const QScrollBar*>(w)) {
    kind = ControlKind::kScrollBar;
  }
  return std::string(controlClassName(kind));
}

int QtDialogTextTarget::childId(int index) const {
  return controlId(controls_.at(static_cast<size_t>(index)));
}

bool QtDialogTextTarget::childVisible(int index) const {
  return !controls_.at(static_cast<size_t>(index))->isHidden();
}

void QtDialogTextTarget::setChildText(int index, const std::string& text) {
  QWidget* w = controls_.at(static_cast<size_t>(index));
  const QString value = fromCp1252(text);
  if (auto* label = qobject_cast<QLabel*>(w)) {
    label->setText(value);
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    button->setText(value);
  } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
    frame->setTitle(value);
  }
}

QtMenuTextTarget::QtMenuTextTarget(QMenuBar* bar) : menu_(bar) {}
QtMenuTextTarget::QtMenuTextTarget(QMenu* menu) : menu_(menu) {}
QtMenuTextTarget::~QtMenuTextTarget() = default;

QList<QAction*> QtMenuTextTarget::actions() const {
  QList<QAction*> keyed;
  for (QAction* action : menu_->actions()) {
    if (!action->property(kNoLanguageKeyProperty).toBool()) keyed.push_back(action);
  }
  return keyed;
}

int QtMenuTextTarget::itemCount() const {
  return static_cast<int>(actions().size());
}

MenuItemKind QtMenuTextTarget::itemKind(int position) const {
  const QAction* action = actions().at(position);
  if (action->menu() != nullptr) return MenuItemKind::kPopup;
  if (action->isSeparator()) return MenuItemKind::kSeparator;
  return MenuItemKind::kCommand;
}

MenuTextTarget* QtMenuTextTarget::submenu(int position) {
  subs_.push_back(std::make_unique<QtMenuTextTarget>(actions().at(position)->menu()));
  return subs_.back().get();
}

void QtMenuTextTarget::setPopupText(int position, const std::string& text) {
  actions().at(position)->setText(fromCp1252(text));
}

void QtMenuTextTarget::setCommandText(int commandId, const std::string& text) {
  for (QAction* action : actions()) {
    if (action->menu() == nullptr && actionCommandId(action) == commandId) {
      action->setText(fromCp1252(text));
    }
  }
}

int QtMenuTextTarget::commandId(int position) const {
  return actionCommandId(actions().at(position));
}

int actionCommandId(const QAction* action) {
  return action->data().isValid() ? action->data().toInt() : 0;
}

void applyDialogTexts(QWidget* dialog, int dialogNumber, const LanguageModule& language) {
  QtDialogTextTarget target(dialog);
  language.applyToDialog(target, dialogNumber);
}

void applyMenuTexts(QMenuBar* bar, int firstNumber, LanguageModule& language) {
  QtMenuTextTarget target(bar);
  language.applyToMenu(target, firstNumber);
}

}  // namespace i18n::ui
