// Two images drawn in the bitmap editor with the mouse go into a list file through the catalog
// window, one of them into a message through Insert > User-Defined Bitmaps; the saved workspace
// exported by varnel-cli carries both images' bit planes and the item's slot, and a new varnel
// shows the drawn pixels in its preview.

#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "app/ui/main_frame.h"
#include "app/ui/varnel_app.h"
#include "app/ui/varnel_view.h"
#include "app/varnel_profile.h"
#include "bitmap_catalog_test.h"
#include "bitmap_fixtures.h"
#include "bitmaps/image_planes.h"
#include "bitmaps/ui/catalog_dialog.h"
#include "bitmaps/ui/editor_widgets.h"
#include "bitmaps/ui/graphic_window.h"
#include "bitmaps/ui/image_rows_area.h"
#include "bitmaps/ui/user_bitmaps_dialog.h"
#include "i18n/dialog_controls.h"
#include "i18n/menu_texts.h"
#include "modal_script.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

using app::ui::CMainFrame;
using app::ui::CVarnelApp;
using app::ui::CVarnelView;
using bitmaps::CBitmapImage;
using bitmaps::ui::CEditorGrid;
using bitmaps::ui::CGraphicWindow;
using testing_support::TempDir;

namespace {

constexpr uint8_t kImageCommand = 0x09;  // The stream's user-defined image record.

QString local(const std::string& path) {
  return QFile::decodeName(path.c_str());
}

std::string hexOf(const std::string& bytes) {
  return QByteArray::fromStdString(bytes).toHex().toStdString();
}

// The image record of `image` in slot `slot` as the stream carries it, in hex.
std::string imageRecordHex(const CBitmapImage& image, int slot) {
  std::string record{static_cast<char>(kImageCommand), static_cast<char>(slot)};
  bitmaps::appendImagePlanes(image, &record);
  return hexOf(record);
}

constexpr uint8_t kEmpty = 9;  // what the editor stores for a cell never painted

// The editor menu's entry `entry` of menu `menu` (0 "File", 1 "Bitmap").
QAction* editorAction(CGraphicWindow* editor, int menu, int entry) {
  return editor->menuBar()->actions().at(menu)->menu()->actions().at(entry);
}

// A stroke of `button` through the cells `path` ({x, y} each): pressed on the first, moved
// through the others, released on the last.
void stroke(CEditorGrid* grid, std::initializer_list<QPoint> path,
            Qt::MouseButton button = Qt::LeftButton) {
  QTest::mousePress(grid, button, {},
                    CEditorGrid::cellRect(path.begin()->x(), path.begin()->y()).center());
  for (const QPoint& cell : path)
    QTest::mouseMove(grid, CEditorGrid::cellRect(cell.x(), cell.y()).center());
  const QPoint last = *(path.end() - 1);
  QTest::mouseRelease(grid, button, {}, CEditorGrid::cellRect(last.x(), last.y()).center());
}

// Chooses swatch `position` of the editor's palette.
void chooseSwatch(CGraphicWindow* editor, int position) {
  QTest::mouseClick(editor->panel(), Qt::LeftButton, {},
                    editor->panel()->swatchRect(position).center());
}

// `image` with `code` in the cells `cells`.
CBitmapImage painted(CBitmapImage image, std::initializer_list<QPoint> cells, uint8_t code) {
  for (const QPoint& cell : cells)
    image.setPixel(cell.x(), cell.y(), code);
  return image;
}

// Draws images 1 and 2 in the bitmap editor as a user would, and returns them as drawn.
std::vector<CBitmapImage> drawTwoImages(CMainFrame* frame, uint16_t width) {
  frame->runCommand(i18n::ID_BITMAP_OPEN_WORKSPACE);
  CGraphicWindow* editor = frame->bitmapEditor();
  if (editor == nullptr || !QTest::qWaitForWindowExposed(editor)) return {};
  CBitmapImage first(CBitmapImage::formatIndex(1), width);
  first.setPixels(std::vector<uint8_t>(size_t{width} * bitmaps::kImageRows, kEmpty));
  // Image 0001: a green hook and a dark red dot.
  chooseSwatch(editor, 1);
  stroke(editor->grid(), {{2, 1}, {3, 1}, {4, 1}, {4, 2}});
  chooseSwatch(editor, 4);
  stroke(editor->grid(), {{10, 5}});
  first = painted(painted(first, {{2, 1}, {3, 1}, {4, 1}, {4, 2}}, 2), {{10, 5}}, 5);
  // "Save as..." (answered OK) copies it to 0002, where the right button wipes part of the hook
  // and a yellow bar is drawn.
  ModalScript script;
  script.then(ModalScript::answer(QMessageBox::Ok));
  editorAction(editor, 0, 0)->trigger();
  if (script.pending() != 0 || editor->editor().currentIndex() != 2) return {};
  stroke(editor->grid(), {{2, 1}, {3, 1}}, Qt::RightButton);
  chooseSwatch(editor, 2);
  stroke(editor->grid(), {{20, 3}, {21, 3}, {22, 3}});
  CBitmapImage second(CBitmapImage::formatIndex(2), width);
  second.setPixels(first.pixels());
  second = painted(painted(second, {{2, 1}, {3, 1}}, kEmpty), {{20, 3}, {21, 3}, {22, 3}}, 3);
  // Left steps back to 0001 as it was drawn.
  QTest::keyClick(editor, Qt::Key_Left);
  if (editor->editor().currentIndex() != 1 || editor->editor().cell(4, 2) != 2) return {};
  return {first, second};
}

// Puts catalog rows 1 and 0 into the list file `list` through the catalog window that the
// editor's "Open Catalog" shows.
void saveListThroughCatalogWindow(CMainFrame* frame, const std::string& list) {
  ModalScript script;
  script.then([&list](QWidget* w) {
    auto* dialog = qobject_cast<bitmaps::ui::CBitmapCatalogDialog*>(w);
    QVERIFY(dialog != nullptr);
    dialog->setFileChooser([&list](auto) { return local(list); });
    doubleClickRow(dialog->catalogArea(), 1);
    doubleClickRow(dialog->catalogArea(), 0);
    dialog->button(i18n::kIdCatalogSaveFile)->click();
    dialog->accept();
  });
  editorAction(frame->bitmapEditor(), 0, 1)->trigger();
  QCOMPARE(script.pending(), size_t{0});
  QTest::keyClick(frame->bitmapEditor(), Qt::Key_Escape);
}

// Insert > User-Defined Bitmaps with no list file loaded: the message, "Load File", then the
// dialog's row `row` inserted.
void insertThroughDialog(CMainFrame* frame, int row) {
  ModalScript script;
  script.then(ModalScript::answer(QMessageBox::Ok)).then([row](QWidget* w) {
    auto* dialog = qobject_cast<bitmaps::ui::CUserBitmapsDialog*>(w);
    QVERIFY(dialog != nullptr);
    clickRow(dialog->area(), row);
    dialog->insertButton()->click();
    dialog->accept();
  });
  frame->runCommand(i18n::ID_INSERT_USER_BITMAPS);
  QCOMPARE(script.pending(), size_t{0});
}

}  // namespace

void BitmapCatalogTest::imagesTravelFromTheCatalogToTheSignAndBackIntoThePreview() {
  TempDir dir;
  const std::string list = dir.file("SHOP.LST");
  const std::string sdv = dir.file("SHOP.SDV");
  const std::string bin = dir.file("SHOP.bin");
  std::vector<CBitmapImage> drawn;
  {
    CVarnelApp app(dir.path());
    // A bi-colour sign: the palette offers eight colours.
    varnel_profile::open(app.state().dataDir)
        .writeInt(varnel_profile::kSectionVarnel, varnel_profile::kKeyColourMode, 2);
    CMainFrame* frame = startWithMainWindow(app);
    QVERIFY(frame != nullptr);
    QCOMPARE(app.state().sign.colourMode, 2);
    drawn = drawTwoImages(frame, static_cast<uint16_t>(app.state().sign.width));
    QCOMPARE(drawn.size(), size_t{2});
    QCOMPARE(app.state().catalog.count(), size_t{2});
    QVERIFY(*app.state().catalog.find(1) == drawn[0]);
    QVERIFY(*app.state().catalog.find(2) == drawn[1]);
    saveListThroughCatalogWindow(frame, list);  // Slots: 2, 1.
    CVarnelView* view = frame->view();
    view->setFileChooser([&](CVarnelView::FileDialogKind kind) {
      return local(kind == CVarnelView::FileDialogKind::kOpenList ? list : sdv);
    });
    QTest::keyClicks(view, "AB");
    insertThroughDialog(frame, 1);
    QVERIFY(view->saveAs());
    app.shutDown();  // The catalog reaches the picture file at exit.
  }

  const testing_support::CommandResult exported = testing_support::runCli(
      {"--data-dir", dir.path(), "export", "workspace", sdv, "--addresses", "1", "-o", bin});
  QVERIFY2(exported.exitCode == 0, exported.err.c_str());
  const testing_support::CommandResult units = testing_support::runCli({"units", bin});
  QCOMPARE(units.exitCode, 0);
  QVERIFY2(units.out.find(imageRecordHex(drawn[1], 0)) != std::string::npos, units.out.c_str());
  QVERIFY(units.out.find(imageRecordHex(drawn[0], 1)) != std::string::npos);
  QVERIFY(units.out.find("4142efd1") != std::string::npos);  // "AB", then image 1 in slot 1.

  CVarnelApp again(dir.path());
  CMainFrame* frame = startWithMainWindow(again);
  QVERIFY(frame != nullptr);
  QVERIFY(frame->view()->openDocument(local(sdv)));
  QVERIFY(!frame->document().isModified());
  QCOMPARE(frame->view()->imageSlots().images(), (std::vector<int>{2, 1}));
  const QRect cell = userBitmapCell(frame->view());
  QVERIFY(cell.width() > 0);
  const QImage preview = frame->view()->viewport()->grab().toImage();
  QString why;
  QVERIFY2(showsImage(preview, cell, drawn[0], &why), qPrintable(why));
  again.shutDown();
}
