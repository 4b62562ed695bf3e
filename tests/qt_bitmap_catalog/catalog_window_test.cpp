// The catalog window, "Load File" and the User-Defined Bitmaps insert dialog on the offscreen
// platform, and the way from two catalog images through a list file, an inserted item and a saved
// workspace to the sign data and back into a new varnel's preview.

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "app/ui/varnel_view.h"
#include "bitmap_catalog_test.h"
#include "bitmap_fixtures.h"
#include "bitmaps/ui/catalog_dialog.h"
#include "bitmaps/ui/image_rows_area.h"
#include "bitmaps/ui/user_bitmaps_dialog.h"
#include "i18n/dialog_controls.h"
#include "i18n/language_module.h"
#include "i18n/menu_texts.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "modal_script.h"
#include "platform/ui/qt_text.h"
#include "tests/support/temp_dir.h"
#include "workspace/user_bitmap_usage.h"

using app::ui::CVarnelView;
using bitmaps::ui::CBitmapCatalogDialog;
using bitmaps::ui::CUserBitmapsDialog;
using testing_support::TempDir;

namespace {

constexpr uint16_t kWidth = 40;

QString stringText(int id) {
  return platform::ui::fromCp1252(i18n::text(id));
}

QString local(const std::string& path) {
  return QFile::decodeName(path.c_str());
}

// Adds the catalog images in `rows` to the dialog's file by double clicks (no question expected).
void addRows(CBitmapCatalogDialog& dialog, std::initializer_list<int> rows) {
  for (int row : rows)
    doubleClickRow(dialog.catalogArea(), row);
}

}  // namespace

void BitmapCatalogTest::init() {
  languageDir_ = std::make_unique<TempDir>();
  language_ = std::make_unique<i18n::LanguageModule>(languageDir_->path());
  language_->init();
}

void BitmapCatalogTest::cleanup() {
  language_.reset();
  languageDir_.reset();
}

void BitmapCatalogTest::removeIsRefusedForAnImageTheTextShows() {
  const bitmaps::CBitmapCatalog catalog = bandCatalog(3, kWidth);
  CBitmapCatalogDialog dialog(catalog, language());
  dialog.setImageInUse([](int number) { return number == 2; });
  dialog.show();
  QPushButton* remove = dialog.button(i18n::kIdCatalogRemove);
  QVERIFY(!remove->isEnabled());
  addRows(dialog, {0, 1});
  QCOMPARE(dialog.model().file().images(), (std::vector<int>{1, 2}));

  clickRow(dialog.fileArea(), 1);
  QVERIFY(remove->isEnabled());
  QCOMPARE(dialog.fileArea()->markedRow(), 1);
  QString refusal;
  ModalScript script;
  script.then(ModalScript::answer(QMessageBox::Ok, &refusal));
  remove->click();
  QCOMPARE(refusal, QStringLiteral("This bitmap image( 0002) has been insert into text,can't be "
                                   "removed!"));
  QCOMPARE(dialog.model().file().count, 2);

  clickRow(dialog.fileArea(), 0);
  remove->click();
  QCOMPARE(dialog.model().file().images(), (std::vector<int>{2}));
  QCOMPARE(script.pending(), size_t{0});
}

void BitmapCatalogTest::eightImagesAtMostAndTheDuplicateQuestion() {
  const bitmaps::CBitmapCatalog catalog = bandCatalog(9, kWidth);
  CBitmapCatalogDialog dialog(catalog, language());
  dialog.show();
  addRows(dialog, {0});
  QString question;
  ModalScript script;
  script.then(ModalScript::answer(QMessageBox::No, &question));
  doubleClickRow(dialog.catalogArea(), 0);
  QCOMPARE(question, stringText(i18n::IDS_ASK_ADD_IMAGE_AGAIN));
  QCOMPARE(dialog.model().file().count, 1);
  script.then(ModalScript::answer(QMessageBox::Yes));
  doubleClickRow(dialog.catalogArea(), 0);
  QCOMPARE(dialog.model().file().images(), (std::vector<int>{1, 1}));

  addRows(dialog, {1, 2, 3, 4, 5, 6});
  QCOMPARE(dialog.model().file().count, 8);
  // The ninth is refused; the scroll bar brings the catalog's last image into view first.
  dialog.scrollBar()->setValue(1);
  QString refusal;
  script.then(ModalScript::answer(QMessageBox::Ok, &refusal));
  doubleClickRow(dialog.catalogArea(), 7);
  QCOMPARE(refusal, stringText(i18n::IDS_TRANSFER_FILE_FULL));
  QCOMPARE(dialog.model().file().count, 8);
  QCOMPARE(dialog.catalogArea()->markedRow(), 7);
  QCOMPARE(script.pending(), size_t{0});

  // The file's rows show the catalog's pictures, the highlighted catalog row inverted.
  const QImage fileRows = dialog.fileArea()->grab().toImage();
  QString why;
  QVERIFY2(showsImage(fileRows, dialog.fileArea()->pictureRect(2), *catalog.find(2), &why),
           qPrintable(why));
  const QImage catalogRows = dialog.catalogArea()->grab().toImage();
  QVERIFY(!showsImage(catalogRows, dialog.catalogArea()->pictureRect(7), *catalog.find(9), &why));
}

void BitmapCatalogTest::saveNamesTheCaptionAndNotifiesTheOwner() {
  TempDir dir;
  const bitmaps::CBitmapCatalog catalog = bandCatalog(3, kWidth);
  CBitmapCatalogDialog dialog(catalog, language());
  const QString path = local(dir.file("SHOP"));
  int asked = 0;
  dialog.setFileChooser([&](CBitmapCatalogDialog::FileDialogKind kind) {
    ++asked;
    return kind == CBitmapCatalogDialog::FileDialogKind::kSave ? path : QString();
  });
  dialog.show();
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Bitmap Image Catalog"));
  QVERIFY(!dialog.button(i18n::kIdCatalogSaveFile)->isEnabled());
  addRows(dialog, {2, 0});
  QVERIFY(dialog.button(i18n::kIdCatalogSaveFile)->isEnabled());

  std::vector<std::string> saved;
  connect(&dialog, &CBitmapCatalogDialog::transferFileSaved, this,
          [&saved](const bitmaps::ImageTransferFile& file) { saved.push_back(file.fileName); });
  dialog.button(i18n::kIdCatalogSaveFile)->click();
  const std::string stored = dir.file("SHOP.LST");
  QCOMPARE(saved, (std::vector<std::string>{stored}));
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Bitmap Image Catalog--") + local(stored));
  QCOMPARE(testing_support::readFile(stored).size(), size_t{84});
  QVERIFY(!dialog.button(i18n::kIdCatalogSaveFile)->isEnabled());

  // Save again goes to the same name without asking; a cancelled Save As saves nothing.
  addRows(dialog, {1});
  dialog.button(i18n::kIdCatalogSaveFile)->click();
  QCOMPARE(asked, 1);
  QCOMPARE(saved.size(), size_t{2});
  dialog.model().addImage(1, true);
  dialog.setFileChooser([](CBitmapCatalogDialog::FileDialogKind) { return QString(); });
  dialog.button(i18n::kIdCatalogSaveFileAs)->click();
  QCOMPARE(saved.size(), size_t{2});
  QVERIFY(dialog.model().file().changed);
}

void BitmapCatalogTest::clearAsksFirstWhenTheFileChanged() {
  TempDir dir;
  const bitmaps::CBitmapCatalog catalog = bandCatalog(3, kWidth);
  const std::string list = dir.file("A.LST");
  saveList(list, {3, 1});
  CBitmapCatalogDialog dialog(catalog, language());
  dialog.setFileChooser([&](CBitmapCatalogDialog::FileDialogKind) { return local(list); });
  dialog.show();
  dialog.button(i18n::kIdCatalogOpenFile)->click();
  QCOMPARE(dialog.model().file().images(), (std::vector<int>{3, 1}));
  addRows(dialog, {1});

  QString question;
  ModalScript script;
  script.then(ModalScript::answer(QMessageBox::Cancel, &question));
  dialog.button(i18n::kIdCatalogClearFile)->click();
  QCOMPARE(question, stringText(i18n::IDS_ASK_SAVE_BEFORE_CLEAR));
  QCOMPARE(dialog.model().file().count, 3);

  script.then(ModalScript::answer(QMessageBox::No));
  dialog.button(i18n::kIdCatalogNewFile)->click();
  QCOMPARE(dialog.model().file().count, 0);
  QCOMPARE(dialog.model().file().fileName, std::string());
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Bitmap Image Catalog"));
  QCOMPARE(testing_support::readFile(list).size(), size_t{84});  // No saved nothing.
  QCOMPARE(script.pending(), size_t{0});
}

void BitmapCatalogTest::loadFileFillsTheViewAndAMissingFileIsAskedFor() {
  TempDir dir;
  const bitmaps::CBitmapCatalog catalog = bandCatalog(4, kWidth);
  const std::string list = dir.file("B.LST");
  saveList(list, {4, 2});
  workspace::CVarnelDoc doc;
  CVarnelView view(doc, language());
  view.setSignSettings(kWidth, 2);
  view.setCatalog(&catalog);
  view.setFileChooser([&](CVarnelView::FileDialogKind kind) {
    return kind == CVarnelView::FileDialogKind::kOpenList ? local(list) : QString();
  });
  QVERIFY(view.loadTransferFile());
  QCOMPARE(doc.workspace().transferFilePath, list);
  QCOMPARE(view.imageSlots().images(), (std::vector<int>{4, 2}));
  QCOMPARE(view.imageSlots().slot(1).pixels(), catalog.find(2)->pixels());
  QVERIFY(doc.isModified());

  // A workspace naming a list file that is gone: the message, then "Load File".
  doc.workspace().transferFilePath = dir.file("gone.LST");
  doc.setModified(false);
  QString missing;
  ModalScript script;
  script.then(ModalScript::answer(QMessageBox::Ok, &missing));
  QVERIFY(view.reloadTransferFile());
  QCOMPARE(missing, QStringLiteral("Image Transfer File '") + local(dir.file("gone.LST")) +
                        QStringLiteral("' isn't exist,you must specify it!"));
  QCOMPARE(doc.workspace().transferFilePath, list);
  QVERIFY(doc.isModified());

  // The catalog window saved the same list file with another count: the view follows.
  saveList(list, {1, 2, 3});
  bitmaps::ImageTransferFile other;
  other.fileName = dir.file("other.LST");
  view.transferFileSaved(other);
  QCOMPARE(view.imageSlots().count(), 2);
  bitmaps::ImageTransferFile same;
  same.fileName = list;
  view.transferFileSaved(same);
  QCOMPARE(view.imageSlots().images(), (std::vector<int>{1, 2, 3}));
}

void BitmapCatalogTest::insertDialogInsertsAndLoadsAnotherFile() {
  TempDir dir;
  const bitmaps::CBitmapCatalog catalog = bandCatalog(4, kWidth);
  const std::string first = dir.file("C.LST");
  const std::string second = dir.file("D.LST");
  saveList(first, {3, 1});
  saveList(second, {2, 4, 1});
  workspace::CVarnelDoc doc;
  CVarnelView view(doc, language());
  view.setSignSettings(kWidth, 2);
  view.setCatalog(&catalog);
  QString next = local(first);
  view.setFileChooser([&](CVarnelView::FileDialogKind) { return next; });
  QVERIFY(view.loadTransferFile());

  int rowsAtStart = -1, rowsAfterLoad = -1;
  bool insertAtStart = true, insertAfterLoad = true;
  ModalScript script;
  script.then([&](QWidget* w) {
    auto* dialog = qobject_cast<CUserBitmapsDialog*>(w);
    QVERIFY(dialog != nullptr);
    rowsAtStart = dialog->area()->rows();
    insertAtStart = dialog->insertButton()->isEnabled();
    clickRow(dialog->area(), 1);
    dialog->insertButton()->click();
    doubleClickRow(dialog->area(), 0);
    next = local(second);
    dialog->loadButton()->click();
    rowsAfterLoad = dialog->area()->rows();
    insertAfterLoad = dialog->insertButton()->isEnabled();
    doubleClickRow(dialog->area(), 1);
    dialog->accept();
  });
  view.runInsertCommand(i18n::ID_INSERT_USER_BITMAPS);
  QCOMPARE(rowsAtStart, 2);
  QVERIFY(!insertAtStart);
  QCOMPARE(rowsAfterLoad, 3);
  QVERIFY(!insertAfterLoad);
  // Three bitmaps of 214 pixels take two display lines of one message.
  QCOMPARE(doc.fileCount(), 1);
  std::vector<int> codes;
  for (const workspace::MessageLine& line : doc.workspace().lines) {
    for (const workspace::LineElement& e : line.elements) {
      QCOMPARE(int(e.kind), int(workspace::kKindUserBitmap));
      codes.push_back(e.code);
    }
  }
  QCOMPARE(codes, (std::vector<int>{1, 3, 4}));
  QVERIFY(workspace::userBitmapInUse(doc.workspace(), 4));
}

void BitmapCatalogTest::userBitmapCommandWithoutAListFileStopsWhenNothingIsLoaded() {
  TempDir dir;
  const bitmaps::CBitmapCatalog catalog = bandCatalog(2, kWidth);
  workspace::CVarnelDoc doc;
  CVarnelView view(doc, language());
  view.setCatalog(&catalog);
  QString chosen;
  view.setFileChooser([&](CVarnelView::FileDialogKind) { return chosen; });
  QString first, second;
  ModalScript script;
  script.then(ModalScript::answer(QMessageBox::Ok, &first));
  view.runInsertCommand(i18n::ID_INSERT_USER_BITMAPS);
  QVERIFY(first.startsWith(QStringLiteral("You must first load an Image Transfer File")));
  QCOMPARE(doc.lineCount(), 0);

  // A list file without images: nothing to insert.
  const std::string empty = dir.file("E.LST");
  saveList(empty, {});
  chosen = local(empty);
  script.then(ModalScript::answer(QMessageBox::Ok))
      .then(ModalScript::answer(QMessageBox::Ok, &second));
  view.runInsertCommand(i18n::ID_INSERT_USER_BITMAPS);
  QCOMPARE(second, stringText(i18n::IDS_NO_USER_BITMAPS));
  QCOMPARE(script.pending(), size_t{0});
}

QTEST_MAIN(BitmapCatalogTest)
