#include "app/ui/main_frame.h"
#include "app/ui/varnel_view.h"
#include "signlink/ui/scheduler_dialog.h"

namespace app::ui {

void CMainFrame::showScheduler() {
  workspace::Workspace& ws = doc_.workspace();
  signlink::ui::CSchedulerDialog dialog(ws.scheduler, doc_.fileCount(), language_, this);
  if (dialog.exec() != QDialog::Accepted || dialog.settings() == ws.scheduler) return;
  ws.scheduler = dialog.settings();
  doc_.setModified(true);
  updateDocumentState();
  // The time format shows in the preview's time items.
  view_->viewport()->update();
}

}  // namespace app::ui
