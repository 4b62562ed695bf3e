#pragma once

#include <QIcon>

namespace receiver::ui {

// Mailpump's icon (a letter over a sign's LED strip), drawn rather than loaded so the program
// needs no resource files. Used by the window and the tray.
QIcon programIcon();

}  // namespace receiver::ui
