#pragma once

#include <QString>
#include <vector>

// The editor's two pop-up menus. Like the program's other pop-up menus they are not part of the
// language files' menu keys, so their texts stand here.
namespace app::ui {

inline constexpr char kCombineFileText[] = "Combine file";
inline constexpr char kDeleteFileText[] = "Delete file";

struct ContextMenuEntry {
  const char* text;  // "" for a separator.
  int commandId;     // The Insert menu command it runs; 0 for a separator.
};

// The text area's menu, in display order.
const std::vector<ContextMenuEntry>& insertMenuEntries();

QString contextMenuText(const char* text);

}  // namespace app::ui
