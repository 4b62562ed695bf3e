// The "User-Defined Bitmap" menu's "Open Workspace": the bitmap editor window, and the catalog
// of the sign a workspace file brings.

#include "app/sign_catalogs.h"
#include "app/ui/main_frame.h"
#include "app/ui/message_box.h"
#include "app/ui/varnel_view.h"
#include "bitmaps/ui/graphic_window.h"

namespace app::ui {

bitmaps::ui::CGraphicWindow* CMainFrame::bitmapEditor() const {
  return bitmapEditor_;
}

void CMainFrame::openBitmapEditor() {
  // Each opening starts with a fresh drawing under the next free index number.
  delete bitmapEditor_;
  bitmapEditor_ =
      new bitmaps::ui::CGraphicWindow(state_.catalog, state_.sign.colourMode, language_, this);
  bitmapEditor_->setAttribute(Qt::WA_DeleteOnClose);
  // A stored image may be one the view's Image Transfer File holds: its slots and the preview
  // follow.
  connect(bitmapEditor_, &bitmaps::ui::CGraphicWindow::imageStored, view_,
          [this] { view_->catalogChanged(); });
  // The editor's "Open Catalog": the catalog window, owned by the editor.
  connect(bitmapEditor_, &bitmaps::ui::CGraphicWindow::catalogRequested, this,
          [this](QWidget* editorWindow) { openCatalogWindow(editorWindow); });
  bitmapEditor_->show();
  bitmapEditor_->activateWindow();
}

void CMainFrame::workspaceSignOpened(int width, int colourMode) {
  // The editor's drawing was stored with its last stroke; a workspace file always finds the
  // editor closed, and one of another sign shows that sign's catalog.
  delete bitmapEditor_;
  const std::string failure = app::useSignCatalog(&state_, {width, colourMode});
  if (!failure.empty()) app::ui::showWarning(this, failure);
  view_->catalogChanged();
}

}  // namespace app::ui
