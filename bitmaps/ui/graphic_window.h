#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

#include "bitmaps/bitmap_catalog.h"
#include "bitmaps/bitmap_editor.h"
#include "i18n/language_module.h"

class QScrollArea;

namespace bitmaps::ui {

class CEditorGrid;
class CEditorPanel;

// The bitmap editor's top-level window (window class "Graphic"): its menu (menu 131), the grid
// scrolled sideways when the sign is wider than the window, and the palette, index number,
// preview and catalog count under it. It paints the CBitmapEditor and forwards mouse, keys and
// menu commands to it; the questions are message boxes unless a test sets other dialogs.
// Esc and "Exit(ESC)" hide the window; its close box closes it.
class CGraphicWindow final : public QMainWindow {
  Q_OBJECT

 public:
  // `catalog` and `language` must outlive the window.
  CGraphicWindow(CBitmapCatalog& catalog, int colourMode, i18n::LanguageModule& language,
                 QWidget* parent = nullptr);
  ~CGraphicWindow() override;

  CBitmapEditor& editor() { return editor_; }
  CEditorGrid* grid() const { return grid_; }
  CEditorPanel* panel() const { return panel_; }
  QScrollArea* gridArea() const { return gridArea_; }

  // The questions and the index dialog go to `dialogs` instead of message boxes (tests); null
  // restores the boxes. `dialogs` must outlive its use.
  void setDialogs(EditorDialogs* dialogs) { testDialogs_ = dialogs; }

  // Runs editor menu command `commandId` (i18n::ID_EDITOR_*).
  void runCommand(int commandId);
  // Puts the current language's texts on the menu and redraws the labels.
  void applyLanguage();

 signals:
  // A stroke or a command stored image `indexNumber` in the catalog.
  void imageStored(int indexNumber);
  // "Open Catalog": the owner shows the catalog dialog, owned by `editorWindow`.
  void catalogRequested(QWidget* editorWindow);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  class MessageBoxDialogs;

  void buildMenu();
  EditorDialogs& dialogs();
  // Runs `action` on the editor, repaints, and tells the owner when it stored the drawing.
  void act(const std::function<void()>& action);
  void refresh();

  CBitmapEditor editor_;
  i18n::LanguageModule& language_;
  std::unique_ptr<EditorDialogs> boxes_;
  EditorDialogs* testDialogs_ = nullptr;
  CEditorGrid* grid_ = nullptr;
  CEditorPanel* panel_ = nullptr;
  QScrollArea* gridArea_ = nullptr;
};

}  // namespace bitmaps::ui
