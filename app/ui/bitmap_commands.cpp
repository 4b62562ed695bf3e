// The main window's "User-Defined Bitmap" menu: "Load File" and "Open Catalog".

#include "app/ui/main_frame.h"
#include "app/ui/varnel_view.h"
#include "bitmaps/ui/catalog_dialog.h"
#include "i18n/menu_texts.h"
#include "workspace/user_bitmap_usage.h"

namespace app::ui {

void CMainFrame::runBitmapCommand(int commandId) {
  switch (commandId) {
    case i18n::ID_BITMAP_LOAD_FILE:
      view_->loadTransferFile();
      return;
    case i18n::ID_BITMAP_OPEN_CATALOG:
      openCatalogWindow();
      return;
    default:
      return;
  }
}

void CMainFrame::openCatalogWindow(QWidget* owner) {
  bitmaps::ui::CBitmapCatalogDialog dialog(state_.catalog, language_,
                                           owner != nullptr ? owner : this);
  dialog.setImageInUse([this](int indexNumber) {
    return workspace::userBitmapInUse(doc_.workspace(), indexNumber);
  });
  connect(&dialog, &bitmaps::ui::CBitmapCatalogDialog::transferFileSaved, view_,
          &CVarnelView::transferFileSaved);
  dialog.exec();
}

}  // namespace app::ui
