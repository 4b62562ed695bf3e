#pragma once

#include <QAbstractScrollArea>
#include <QString>
#include <QTimer>
#include <functional>

#include "app/ui/preview_painter.h"
#include "app/view_image_slots.h"
#include "bitmaps/bitmap_catalog.h"
#include "bitmaps/transfer_file.h"
#include "i18n/language_module.h"
#include "workspace/editor_model.h"
#include "workspace/varnel_doc.h"

namespace app::ui {

// The message workspace editor: shows the document's lines as a preview of the sign, turns keys
// and mouse into calls on the editor model, and runs the commands that load, save and insert. All
// editing rules live in workspace::EditorModel; this window only translates and paints.
class CVarnelView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // kOpenList: an existing Image Transfer File (*.LST) for "Load File".
  enum class FileDialogKind { kOpen, kSaveAs, kOpenList };
  // Asks for a workspace or list file's path; an empty string means the user cancelled.
  using FileChooser = std::function<QString(FileDialogKind)>;

  // `doc` and `language` must outlive the view.
  CVarnelView(workspace::CVarnelDoc& doc, i18n::LanguageModule& language,
              QWidget* parent = nullptr);
  ~CVarnelView() override;

  workspace::EditorModel& model() { return model_; }
  workspace::CVarnelDoc& document() { return doc_; }
  // Replaces the file dialogs (tests answer them this way).
  void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }
  // The sign settings a new workspace starts with.
  void setSignSettings(int width, int colourMode);
  int signWidth() const { return signWidth_; }
  int colourMode() const { return colourMode_; }

  // ---- File commands. Each returns true when it ran to the end, false when the user cancelled or
  // it failed (its message shown).

  // The save prompt before `command`: Yes saves (asking for a name when there is none).
  bool promptSave(workspace::SavePromptCommand command);
  bool newDocument();
  // Open: the save prompt, then the file `path` (asked for when empty).
  bool openDocument(const QString& path = {});
  bool save();
  bool saveAs();
  // Loads the workspace file `path` (asked for when empty) without a save prompt; the caller has
  // asked already. True on success.
  bool loadDocument(const QString& path = {});

  // ---- Insert commands and the font and colour bar.

  // Runs the Insert menu command `commandId` (i18n::MenuCommand) at the caret.
  void runInsertCommand(int commandId);
  void chooseFont(int font);
  void chooseColour(int colour);

  // Repaints as the minute timer does (time and date follow the clock).
  void refreshClock();

  // ---- The current Image Transfer File (view_transfer_file.cpp).

  // The catalog user-defined bitmaps are drawn from; must outlive the view (none: all black).
  void setCatalog(const bitmaps::CBitmapCatalog* catalog);
  const app::ViewImageSlots& imageSlots() const { return slots_; }
  // "Load File": asks for a list file and loads it; false when cancelled or failed.
  bool loadTransferFile();
  // Loads the list file the workspace names; when none exists there, says so and runs "Load
  // File". False when nothing was loaded.
  bool reloadTransferFile();
  // The catalog window saved `file`: reloads it when it is the workspace's list file.
  void transferFileSaved(const bitmaps::ImageTransferFile& file);
  // The catalog's images changed (the bitmap editor): draws the slots again.
  void catalogChanged();

 signals:
  // The caret moved or an edit happened: the bar shows the current font and colour.
  void fontAndColourChanged(int font, int colour);
  // The path, the modified flag or the line count changed (title, Save's state).
  void documentStateChanged();
  // A workspace file was opened or saved under `path` (the recent-file list).
  void fileUsed(const QString& path);
  // A loaded workspace file brought the sign settings now in effect (the colour bar follows).
  void signSettingsChanged(int width, int colourMode);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Everything after a call on the model: scroll range, repaint, signals.
  void updateAfterChange();
  // Shows a refusal the model returned; repaints after an edit.
  void finishEdit(const workspace::EditResult& result);
  int documentY(int windowY) const;
  void showContextMenu(const QPoint& windowPos);
  void showMessageMenu(const QPoint& globalPos, const workspace::ContextMenu& menu);
  void showInsertMenu(const QPoint& globalPos);
  // Loads `path` into the document, showing the reader's messages. True on success.
  bool loadFile(const QString& path);
  bool saveTo(const QString& path);
  QString chooseFile(FileDialogKind kind);
  void insertPicture(int kind);
  // Insert > User-Defined Bitmaps: loads a list file first when none is named, then dialog 192.
  void insertUserBitmap();
  // Loads `path` into the slots; a change of path or count marks the workspace modified unless
  // `justOpened` (the workspace file that names it was loaded this moment).
  bool loadTransferFileAt(const std::string& path, bool justOpened);
  // The list file the workspace names after it was opened (sign width, slots, list file).
  void afterWorkspaceLoaded(int previousWidth);
  const bitmaps::CBitmapCatalog& catalog() const;

  workspace::CVarnelDoc& doc_;
  i18n::LanguageModule& language_;
  workspace::EditorModel model_;
  app::ui::PreviewPainter painter_;
  QTimer clockTimer_;    // Redraws once a minute for time and date items.
  FileChooser chooser_;  // Empty: the file dialogs.
  int signWidth_;
  int colourMode_;
  const bitmaps::CBitmapCatalog* catalog_ = nullptr;
  app::ViewImageSlots slots_;  // The current Image Transfer File's images.
};

}  // namespace app::ui
