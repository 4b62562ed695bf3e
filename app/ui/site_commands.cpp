#include "app/ui/main_frame.h"

namespace app::ui {

void CMainFrame::runSiteCommand(int /*commandId*/) {
  showNotAvailable();
}

}  // namespace app::ui
