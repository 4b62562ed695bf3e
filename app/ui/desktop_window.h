#pragma once

class QMainWindow;
class QScreen;

namespace app::ui {

// Makes the menu bar of `window` reachable from the keyboard without touching its texts: F10
// opens the first menu, and Alt pressed and released alone highlights the first menu title (arrow
// keys then move along the bar, Down or Enter opens, Escape or Alt again leaves it).
void enableKeyboardMenus(QMainWindow* window);

// Shows `window` maximized on `screen` (the primary screen when null) with a normal placement
// that keeps its frame on the screen: restoring it puts the title bar inside the available area,
// so the window can still be moved and closed with the mouse.
void showMaximizedOnScreen(QMainWindow* window, QScreen* screen);

}  // namespace app::ui
