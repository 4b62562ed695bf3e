#include "workspace/ui/dialog_text_target.h"

#include <QAbstractButton>
#include <QLabel>
#include <QWidget>

#include "platform/ui/qt_text.h"

namespace workspace::ui {

void WidgetDialogTextTarget::addControl(QWidget* widget, int id, std::string className) {
  controls_.push_back({widget, id, std::move(className)});
}

void WidgetDialogTextTarget::setCaption(const std::string& text) {
  window_->setWindowTitle(platform::ui::fromCp1252(text));
}

int WidgetDialogTextTarget::childCount() const {
  return static_cast<int>(controls_.size());
}

const WidgetDialogTextTarget::Control* WidgetDialogTextTarget::control(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  return &controls_[static_cast<size_t>(index)];
}

std::string WidgetDialogTextTarget::childClassName(int index) const {
  const Control* c = control(index);
  return c != nullptr ? c->className : std::string();
}

int WidgetDialogTextTarget::childId(int index) const {
  const Control* c = control(index);
  return c != nullptr ? c->id : -1;
}

bool WidgetDialogTextTarget::childVisible(int index) const {
  // A dialog applies its language before it is shown: a control counts when it will show with it.
  const Control* c = control(index);
  return c != nullptr && c->widget->isVisibleTo(window_);
}

void WidgetDialogTextTarget::setChildText(int index, const std::string& text) {
  const Control* c = control(index);
  if (c == nullptr) return;
  const QString converted = platform::ui::fromCp1252(text);
  if (auto* button = qobject_cast<QAbstractButton*>(c->widget)) {
    button->setText(converted);
  } else if (auto* label = qobject_cast<QLabel*>(c->widget)) {
    label->setText(converted);
  }
}

}  // namespace workspace::ui
