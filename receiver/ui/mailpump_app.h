#pragma once

#include <string>

class QApplication;

namespace receiver::ui {

// The windowed program: one instance per data directory (a second start brings the first
// window to the front and ends with status 0), the settings loaded (their problems shown, the
// defaults kept), Save and Logo created, the window run until "Exit" or SIGINT/SIGTERM, and the
// settings saved on the way out. `dataDirArgument` is --data-dir, or empty for the default.
// Returns the exit status.
int runWindowedProgram(QApplication& app, const std::string& dataDirArgument);

}  // namespace receiver::ui
