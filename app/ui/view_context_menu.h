#pragma once

#include <QString>
#include <vector>

// The editor's two pop-up menus. They are not among the language files' menu keys; their texts
// are strings of the string table, so a language file translates them all the same.
namespace app::ui {

struct ContextMenuEntry {
  int textId;     // The entry's string; 0 for a separator.
  int commandId;  // The Insert menu command it runs; 0 for a separator.
};

// The text area's menu, in display order.
const std::vector<ContextMenuEntry>& insertMenuEntries();

// The entry's text in the current language.
QString contextMenuText(int textId);

}  // namespace app::ui
