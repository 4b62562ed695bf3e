#pragma once

#include <QList>
#include <memory>
#include <string>
#include <vector>

#include "i18n/language_module.h"
#include "i18n/language_targets.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// The language layer's view of Qt windows. A dialog's controls carry their control identifier as a
// property (setControlId) so the language file's "IDD<n>_<id>" keys find them; menu actions carry
// their command identifier as their data.
namespace i18n::ui {

// The property that holds a widget's control identifier.
inline constexpr char kControlIdProperty[] = "varnelControlId";

// Menu actions with this property set are no entries of the menu resource (the recent-file list)
// and take no language key.
inline constexpr char kNoLanguageKeyProperty[] = "varnelNoLanguageKey";

// Gives `widget` control identifier `id` (and an object name "control<id>" that tests can find).
void setControlId(QWidget* widget, int id);
// The control identifier of `widget`; kIdStatic when it has none.
int controlId(const QWidget* widget);
// The widget of `dialog` with control identifier `id`, or nullptr.
QWidget* findControl(QWidget* dialog, int id);

// A dialog over its widgets that carry a control identifier, in creation order. Widgets inside
// frames and layouts count as the dialog's own controls, as they are on the screen. Labels are
// "Static"; push buttons, check boxes, radio buttons and group frames "Button"; line edits and
// spin boxes "Edit"; combo boxes "ComboBox"; list views "ListBox"; anything else "Custom".
class QtDialogTextTarget final : public DialogTextTarget {
 public:
  explicit QtDialogTextTarget(QWidget* dialog);

  void setCaption(const std::string& text) override;
  int childCount() const override;
  std::string childClassName(int index) const override;
  int childId(int index) const override;
  // Hidden means hidden on purpose: a control of a dialog not yet shown counts as visible.
  bool childVisible(int index) const override;
  void setChildText(int index, const std::string& text) override;

 private:
  QWidget* const dialog_;           // The dialog; outlives this object.
  std::vector<QWidget*> controls_;  // Its widgets with a control identifier.
};

// A menu bar or menu over its actions: a submenu is a popup, a separator a separator, any other
// action a command whose identifier is its data (an int). Actions marked kNoLanguageKeyProperty
// are left out.
class QtMenuTextTarget final : public MenuTextTarget {
 public:
  explicit QtMenuTextTarget(QMenuBar* bar);
  explicit QtMenuTextTarget(QMenu* menu);
  ~QtMenuTextTarget() override;

  int itemCount() const override;
  MenuItemKind itemKind(int position) const override;
  MenuTextTarget* submenu(int position) override;
  void setPopupText(int position, const std::string& text) override;
  void setCommandText(int commandId, const std::string& text) override;
  int commandId(int position) const override;

 private:
  QList<QAction*> actions() const;

  QWidget* const menu_;                                  // QMenuBar or QMenu.
  std::vector<std::unique_ptr<QtMenuTextTarget>> subs_;  // Targets handed out by submenu().
};

// The command identifier of a menu action; 0 when it has none.
int actionCommandId(const QAction* action);

// Puts the current language's texts on dialog `dialogNumber` shown by `dialog`.
void applyDialogTexts(QWidget* dialog, int dialogNumber, const LanguageModule& language);
// Puts the current language's menu texts on `bar`, numbering from `firstNumber`.
void applyMenuTexts(QMenuBar* bar, int firstNumber, LanguageModule& language);

}  // namespace i18n::ui
