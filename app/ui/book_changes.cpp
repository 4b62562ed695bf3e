#include "app/ui/main_frame.h"

namespace app::ui {

void CMainFrame::bookChanged() {}

}  // namespace app::ui
