#include "app/ui/main_frame.h"

namespace app::ui {

void CMainFrame::runDeviceCommand(int /*commandId*/) {
  showNotAvailable();
}

}  // namespace app::ui
