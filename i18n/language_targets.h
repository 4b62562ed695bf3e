#pragma once

#include <string>

#include "i18n/menu_texts.h"

namespace i18n {

// A dialog as the language layer sees it: a caption and direct child controls in the window
// system's order. The Qt dialogs implement it over their widgets (class name "Static" for labels,
// "Button" for push buttons, check boxes, radio buttons and group boxes); tests implement it over
// plain data.
class DialogTextTarget {
 public:
  virtual ~DialogTextTarget() = default;

  virtual void setCaption(const std::string& text) = 0;
  virtual int childCount() const = 0;
  // The control's window class name in any case ("Static", "BUTTON", "Edit", ...).
  virtual std::string childClassName(int index) const = 0;
  // The control identifier; -1 (or 0xFFFF) for controls no one addresses.
  virtual int childId(int index) const = 0;
  virtual bool childVisible(int index) const = 0;
  virtual void setChildText(int index, const std::string& text) = 0;
};

// A menu (a menu bar or a popup's submenu) as the language layer sees it.
class MenuTextTarget {
 public:
  virtual ~MenuTextTarget() = default;

  virtual int itemCount() const = 0;
  virtual MenuItemKind itemKind(int position) const = 0;
  // The submenu of the popup at `position`; never null for a popup.
  virtual MenuTextTarget* submenu(int position) = 0;
  // Replaces the text of the popup at `position`, keeping its submenu.
  virtual void setPopupText(int position, const std::string& text) = 0;
  // Replaces the text of the command entry `commandId` of this menu.
  virtual void setCommandText(int commandId, const std::string& text) = 0;
  // The command identifier of the entry at `position` (commands only).
  virtual int commandId(int position) const = 0;
};

}  // namespace i18n
