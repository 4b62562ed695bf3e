// Two catalog images go into a list file through the catalog window, one of them into a message
// through Insert > User-Defined Bitmaps; the saved workspace exported by varnel-cli carries both
// images' bit planes and the item's slot, and a new varnel shows the image in its preview.

#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "addressbook/address_book.h"
#include "app/ui/main_frame.h"
#include "app/ui/varnel_app.h"
#include "app/ui/varnel_view.h"
#include "bitmap_catalog_test.h"
#include "bitmap_fixtures.h"
#include "bitmaps/image_planes.h"
#include "bitmaps/ui/catalog_dialog.h"
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
using testing_support::TempDir;

namespace {

constexpr uint8_t kImageCommand = 0x09;  // The stream's user-defined image record.

QString local(const std::string& path) {
  return QFile::decodeName(path.c_str());
}

// Start-up with a site manage file in place and the setup dialog confirmed as it opens.
CMainFrame* startWithMainWindow(CVarnelApp& app) {
  addressbook::CAddressBook().saveAtExit(addressbook::sitePath(app.state().dataDir));
  ModalScript script;
  script.then(ModalScript::accept());
  if (!app.startUp()) return nullptr;
  return app.openMainWindow();
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

// The picture cell of the first user-defined bitmap on the view's first line.
QRect userBitmapCell(CVarnelView* view) {
  const workspace::EditorLayout layout = view->model().layout(0, 1);
  for (const workspace::LayoutItem& item : layout.lines.at(0).items) {
    if (!item.isControl && item.element.kind == workspace::kKindUserBitmap) {
      return {item.x, item.y, item.width, item.height};
    }
  }
  return {};
}

// Puts catalog rows 1 and 0 into the list file `list` through the catalog window.
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
  frame->runCommand(i18n::ID_BITMAP_OPEN_CATALOG);
  QCOMPARE(script.pending(), size_t{0});
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
    CMainFrame* frame = startWithMainWindow(app);
    QVERIFY(frame != nullptr);
    const auto width = static_cast<uint16_t>(app.state().sign.width);
    // Made through the catalog as the bitmap editor makes them.
    for (const int number : {5, 8}) {
      platform::Result<CBitmapImage*> made = app.state().catalog.getOrCreate(number, true);
      QVERIFY(made.ok());
      QVERIFY((*made)->setPixels(bandImage(number, width, number == 5 ? 1 : 3).pixels()));
      drawn.push_back(**made);
    }
    saveListThroughCatalogWindow(frame, list);  // Slots: 8, 5.
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
  QVERIFY(units.out.find("4142efd1") != std::string::npos);  // "AB", then image 5 in slot 1.

  CVarnelApp again(dir.path());
  CMainFrame* frame = startWithMainWindow(again);
  QVERIFY(frame != nullptr);
  QVERIFY(frame->view()->openDocument(local(sdv)));
  QVERIFY(!frame->document().isModified());
  QCOMPARE(frame->view()->imageSlots().images(), (std::vector<int>{8, 5}));
  const QRect cell = userBitmapCell(frame->view());
  QVERIFY(cell.width() > 0);
  const QImage preview = frame->view()->viewport()->grab().toImage();
  QString why;
  QVERIFY2(showsImage(preview, cell, drawn[0], &why), qPrintable(why));
  again.shutDown();
}
