// A workspace file of another sign width brings that sign's catalog into varnel: the preview, the
// catalog window and a new editor show its images, while images drawn for the first sign are kept
// and written to their own picture data file at exit.

#include <QLabel>
#include <QTest>

#include "app/ui/main_frame.h"
#include "app/ui/varnel_app.h"
#include "app/ui/varnel_view.h"
#include "bitmap_catalog_test.h"
#include "bitmap_fixtures.h"
#include "bitmaps/picture_file.h"
#include "bitmaps/ui/catalog_dialog.h"
#include "bitmaps/ui/graphic_window.h"
#include "i18n/menu_texts.h"
#include "modal_script.h"
#include "workspace/workspace_file.h"

using app::ui::CMainFrame;
using bitmaps::CBitmapCatalog;

namespace {

constexpr int kWideSign = 96;
constexpr int kSingleColour = 1;

// A workspace of the 96-pixel sign whose one line shows image 4 of the list file `list`.
void saveWideWorkspace(const std::string& path, const std::string& list) {
  workspace::Workspace ws;
  ws.signWidth = kWideSign;
  ws.colourMode = kSingleColour;
  ws.transferFilePath = list;
  workspace::MessageLine line;
  line.elements.push_back({4, 1, 2, workspace::kKindUserBitmap});
  ws.lines.push_back(line);
  QVERIFY(workspace::saveWorkspaceFile(path, ws).ok());
}

}  // namespace

void BitmapCatalogTest::aWorkspaceOfAnotherWidthBringsThatWidthsCatalog() {
  testing_support::TempDir dir;
  const auto wide = static_cast<uint16_t>(kWideSign);
  const bitmaps::CBitmapImage image = bandImage(4, wide, 1);
  CBitmapCatalog wideCatalog(wide);
  QVERIFY(wideCatalog.add(image).ok());
  const std::string widePictures = bitmaps::picturePath(dir.path(), kWideSign, kSingleColour);
  QVERIFY(bitmaps::savePictures(widePictures, wide, kSingleColour, wideCatalog).ok());
  saveList(dir.file("WIDE.LST"), {4});
  saveWideWorkspace(dir.file("WIDE.SDV"), dir.file("WIDE.LST"));

  app::ui::CVarnelApp program(dir.path());
  CMainFrame* frame = startWithMainWindow(program);
  QVERIFY(frame != nullptr);
  program.state().catalog.getOrCreate(1, true).value()->setPixel(0, 0, 1);  // drawn for 80
  frame->runCommand(i18n::ID_BITMAP_OPEN_WORKSPACE);
  QVERIFY(frame->bitmapEditor() != nullptr);

  QVERIFY(frame->view()->openDocument(QString::fromStdString(dir.file("WIDE.SDV"))));
  // The editor drew on the other sign's catalog: it is closed.
  QVERIFY(frame->bitmapEditor() == nullptr);
  QCOMPARE(program.state().sign.width, kWideSign);
  QCOMPARE(program.state().catalog.count(), size_t{1});
  QCOMPARE(frame->view()->imageSlots().slot(0), image);
  QString why;
  QVERIFY2(showsImage(frame->view()->viewport()->grab().toImage(), userBitmapCell(frame->view()),
                      image, &why),
           qPrintable(why));

  frame->runCommand(i18n::ID_BITMAP_OPEN_WORKSPACE);
  QCOMPARE(frame->bitmapEditor()->windowTitle(), QString("Bitmap Image Workspace (7 x 96)"));
  // Image 1 is the 80-pixel sign's: here it is free.
  QCOMPARE(frame->bitmapEditor()->editor().currentIndex(), 1);
  QCOMPARE(frame->bitmapEditor()->editor().catalogCount(), size_t{1});
  ModalScript script;
  script.then([&image](QWidget* w) {
    auto* dialog = qobject_cast<bitmaps::ui::CBitmapCatalogDialog*>(w);
    QVERIFY(dialog != nullptr);
    QVERIFY(dialog->model().catalog().count() == 1 && dialog->model().catalog().at(0) == image);
    dialog->accept();
  });
  frame->runCommand(i18n::ID_BITMAP_OPEN_CATALOG);
  QCOMPARE(script.pending(), size_t{0});

  program.shutDown();
  CBitmapCatalog narrow(80);
  QVERIFY(bitmaps::loadPictures(bitmaps::picturePath(dir.path(), 80, kSingleColour), 80,
                                kSingleColour, &narrow)
              .ok());
  QCOMPARE(narrow.count(), size_t{1});
  QCOMPARE(int(narrow.at(0).pixel(0, 0)), 1);
}
