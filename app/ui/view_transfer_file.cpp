// The view's current Image Transfer File: "Load File", reloading the list file a workspace names,
// the catalog window's saves, and Insert > User-Defined Bitmaps with its dialog.

#include <QFile>

#include "app/ui/message_box.h"
#include "app/ui/varnel_view.h"
#include "bitmaps/ui/list_file_dialogs.h"
#include "bitmaps/ui/user_bitmaps_dialog.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "workspace/sign_tables.h"

namespace app::ui {

void CVarnelView::setCatalog(const bitmaps::CBitmapCatalog* catalog) {
  catalog_ = catalog;
  catalogChanged();
}

const bitmaps::CBitmapCatalog& CVarnelView::catalog() const {
  static const bitmaps::CBitmapCatalog kEmpty;
  return catalog_ != nullptr ? *catalog_ : kEmpty;
}

void CVarnelView::catalogChanged() {
  slots_.rebuild(catalog());
  viewport()->update();
}

bool CVarnelView::loadTransferFileAt(const std::string& path, bool justOpened) {
  const platform::Result<bool> loaded = slots_.load(path, &doc_.workspace(), catalog());
  if (!loaded.ok()) {
    app::ui::showError(this, loaded.message());
    return false;
  }
  if (*loaded && !justOpened) doc_.setModified(true);
  updateAfterChange();
  return true;
}

bool CVarnelView::loadTransferFile() {
  const QString chosen =
      chooser_ ? chooser_(FileDialogKind::kOpenList) : bitmaps::ui::chooseListFileToOpen(this);
  if (chosen.isEmpty()) return false;
  return loadTransferFileAt(bitmaps::ui::listFileLocalPath(chosen), false);
}

bool CVarnelView::reloadTransferFile() {
  const std::string path = doc_.workspace().transferFilePath;
  if (!app::ViewImageSlots::listFileExists(path)) {
    app::ui::showMessageBox(this, i18n::textWith(i18n::IDS_TRANSFER_FILE_MISSING, {path}),
                            i18n::text(i18n::IDS_CAPTION_WARNING), workspace::MessageIcon::kError,
                            workspace::MessageButtons::kOk);
    return loadTransferFile();
  }
  return loadTransferFileAt(path, false);
}

void CVarnelView::afterWorkspaceLoaded(int previousWidth) {
  switch (slots_.workspaceOpened(previousWidth, signWidth_, &doc_.workspace())) {
    case app::ViewImageSlots::OpenedListFile::kNone:
      break;
    case app::ViewImageSlots::OpenedListFile::kLoad:
      loadTransferFileAt(doc_.workspace().transferFilePath, true);
      break;
    case app::ViewImageSlots::OpenedListFile::kMissing:
      reloadTransferFile();
      break;
  }
}

void CVarnelView::transferFileSaved(const bitmaps::ImageTransferFile& file) {
  const std::string& current = doc_.workspace().transferFilePath;
  if (current.empty() || current != file.fileName) return;
  loadTransferFileAt(current, false);
}

void CVarnelView::insertUserBitmap() {
  workspace::UserBitmapDecision decision = workspace::decideUserBitmapCommand(
      !doc_.workspace().transferFilePath.empty(), slots_.count());
  if (decision.step == workspace::UserBitmapStep::kLoadTransferFile) {
    app::ui::showEditorMessage(this, *decision.message);
    if (!loadTransferFile()) return;
    decision = workspace::decideUserBitmapCommand(true, slots_.count());
  }
  if (decision.step == workspace::UserBitmapStep::kNoImages) {
    app::ui::showEditorMessage(this, *decision.message);
    return;
  }
  bitmaps::ui::CUserBitmapsDialog::Images images;
  images.numbers = [this] { return slots_.images(); };
  images.picture = [this](int slot) { return &slots_.slot(slot); };
  bitmaps::ui::CUserBitmapsDialog dialog(
      std::move(images), [this] { return loadTransferFile(); }, language_, this);
  connect(&dialog, &bitmaps::ui::CUserBitmapsDialog::imageInserted, this, [this](int number) {
    model_.insertItem(workspace::kKindUserBitmap, number + workspace::kInsertItemCodeOffset);
    updateAfterChange();
  });
  dialog.exec();
  setFocus(Qt::OtherFocusReason);
}

}  // namespace app::ui
