#pragma once

#include <QIcon>

namespace app::ui {

// varnel's icon: a small moving-message sign with lit LEDs, drawn rather than loaded.
QIcon programIcon();

}  // namespace app::ui
