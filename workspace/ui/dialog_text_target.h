#pragma once

#include <string>
#include <vector>

#include "i18n/language_targets.h"

class QWidget;

namespace workspace::ui {

// The language layer's view of one of this folder's dialogs: the window's caption and the
// controls it names, in creation order, each with its identifier and window class.
class WidgetDialogTextTarget : public i18n::DialogTextTarget {
 public:
  explicit WidgetDialogTextTarget(QWidget* window) : window_(window) {}

  // Adds a control; `className` as the language layer names it ("Static", "Button", "ListBox"...).
  void addControl(QWidget* widget, int id, std::string className);

  void setCaption(const std::string& text) override;
  int childCount() const override;
  std::string childClassName(int index) const override;
  int childId(int index) const override;
  bool childVisible(int index) const override;
  void setChildText(int index, const std::string& text) override;

 private:
  struct Control {
    QWidget* widget;
    int id;
    std::string className;
  };
  const Control* control(int index) const;

  QWidget* const window_;          // The dialog whose caption is set.
  std::vector<Control> controls_;  // In creation order.
};

}  // namespace workspace::ui
