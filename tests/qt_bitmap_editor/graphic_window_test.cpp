// The bitmap editor window: strokes reach the catalog, the palette follows the colour mode, the
// keys step through the catalog, the commands answer through the window, and varnel keeps a
// picture data file that did not load.

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "app/ui/main_frame.h"
#include "app/ui/varnel_app.h"
#include "app/varnel_profile.h"
#include "bitmaps/picture_file.h"
#include "bitmaps/ui/editor_widgets.h"
#include "bitmaps/ui/graphic_window.h"
#include "bitmaps/ui/index_number_dialog.h"
#include "i18n/menu_texts.h"
#include "i18n/string_ids.h"
#include "modal_script.h"
#include "tests/bitmaps_editor/scripted_dialogs.h"
#include "tests/support/temp_dir.h"

using bitmaps::CBitmapCatalog;
using bitmaps::CBitmapEditor;
using bitmaps::ui::CEditorGrid;
using bitmaps::ui::CGraphicWindow;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

constexpr int kSingleColour = 1;
constexpr int kBiColour = 2;

void click(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
  QTest::mousePress(widget, button, {}, at);
  QTest::mouseRelease(widget, button, {}, at);
}

}  // namespace

class GraphicWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void paintingOneCellCreatesTheImageUnderTheShownIndex();
  void paletteOffersOneSwatchOnMonochromeAndEightOnBiColour();
  void leftAndRightWrapThroughTheCatalog();
  void removingTheOnlyImageLeavesZerosUnderTheNextFreeIndex();
  void indexDialogTakesThreeDigits();
  void wideSignScrollsAndEscHides();
  void varnelKeepsAPictureFileThatDidNotLoad();
  void languageFileNamesMenuCaptionAndLabels();

 private:
  TempDir dir_;
  i18n::LanguageModule language_{dir_.path()};
};

void GraphicWindowTest::paintingOneCellCreatesTheImageUnderTheShownIndex() {
  CBitmapCatalog catalog(80);
  catalog.getOrCreate(1, true);
  CGraphicWindow window(catalog, kBiColour, language_);
  QCOMPARE(window.windowTitle(), QString("Bitmap Image Workspace (7 x 80)"));
  QCOMPARE(window.objectName(), QString("Graphic"));
  QCOMPARE(window.editor().currentIndex(), 2);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QSignalSpy stored(&window, &CGraphicWindow::imageStored);
  click(window.panel(), window.panel()->swatchRect(2).center());  // code 3
  click(window.grid(), CEditorGrid::cellRect(4, 3).center());
  QCOMPARE(stored.count(), 1);
  QCOMPARE(stored.at(0).at(0).toInt(), 2);
  QCOMPARE(catalog.count(), size_t{2});
  QCOMPARE(int(catalog.find(2)->pixel(4, 3)), 3);
  // The grid shows the cell in its colour between grid lines.
  const QImage grid = window.grid()->grab().toImage();
  QCOMPARE(grid.pixelColor(CEditorGrid::cellRect(4, 3).center()), bitmaps::ui::codeQColor(3));
  QCOMPARE(grid.pixelColor(CEditorGrid::cellRect(5, 3).center()), QColor(Qt::black));
  QCOMPARE(grid.pixelColor(8 * 4, 8 * 3 + 4), QColor(0, 128, 255));
  // The right button empties the cell again and stores that too.
  click(window.grid(), CEditorGrid::cellRect(4, 3).center(), Qt::RightButton);
  QCOMPARE(int(catalog.find(2)->pixel(4, 3)), int(CBitmapEditor::kEmptyCell));
  QCOMPARE(int(window.editor().currentColour()), 3);
}

void GraphicWindowTest::paletteOffersOneSwatchOnMonochromeAndEightOnBiColour() {
  CBitmapCatalog catalog(80);
  CGraphicWindow mono(catalog, kSingleColour, language_);
  mono.show();
  QVERIFY(QTest::qWaitForWindowExposed(&mono));
  const QImage monoPanel = mono.panel()->grab().toImage();
  QCOMPARE(monoPanel.pixelColor(mono.panel()->swatchRect(0).topLeft() + QPoint(3, 10)),
           bitmaps::ui::codeQColor(1));
  // Where a second swatch would be, nothing is painted and a click chooses nothing.
  const QPoint second = mono.panel()->swatchRect(1).topLeft() + QPoint(3, 10);
  QVERIFY(monoPanel.pixelColor(second) != bitmaps::ui::codeQColor(2));
  click(mono.panel(), mono.panel()->swatchRect(1).center());
  QCOMPARE(int(mono.editor().currentColour()), 1);

  CGraphicWindow bi(catalog, kBiColour, language_);
  bi.show();
  QVERIFY(QTest::qWaitForWindowExposed(&bi));
  const QImage biPanel = bi.panel()->grab().toImage();
  for (int i = 0; i < 8; ++i) {
    QCOMPARE(biPanel.pixelColor(bi.panel()->swatchRect(i).topLeft() + QPoint(3, 10)),
             bitmaps::ui::codeQColor(uint8_t(i + 1)));
  }
  click(bi.panel(), bi.panel()->swatchRect(7).center());
  QCOMPARE(int(bi.editor().currentColour()), 8);
}

void GraphicWindowTest::leftAndRightWrapThroughTheCatalog() {
  CBitmapCatalog catalog(80);
  catalog.getOrCreate(3, true).value()->setPixel(0, 0, 3);
  catalog.getOrCreate(7, true).value()->setPixel(0, 0, 7);
  CGraphicWindow window(catalog, kBiColour, language_);
  ScriptedDialogs dialogs;
  window.setDialogs(&dialogs);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QTest::keyClick(&window, Qt::Key_Left);  // a new drawing: the last image
  QCOMPARE(window.editor().currentIndex(), 7);
  QTest::keyClick(&window, Qt::Key_Right);  // wraps to the first
  QCOMPARE(window.editor().currentIndex(), 3);
  QTest::keyClick(&window, Qt::Key_Up);
  QCOMPARE(window.editor().currentIndex(), 7);
  QTest::keyClick(&window, Qt::Key_Down);
  QCOMPARE(window.editor().currentIndex(), 3);
  QCOMPARE(int(window.editor().cell(0, 0)), 3);
  QVERIFY(dialogs.asked.empty());
}

void GraphicWindowTest::removingTheOnlyImageLeavesZerosUnderTheNextFreeIndex() {
  CBitmapCatalog catalog(80);
  CGraphicWindow window(catalog, kBiColour, language_);
  ScriptedDialogs dialogs;
  window.setDialogs(&dialogs);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  click(window.grid(), CEditorGrid::cellRect(0, 0).center());
  QCOMPARE(catalog.count(), size_t{1});
  dialogs.answers = {bitmaps::PromptAnswer::kYes};
  window.runCommand(i18n::ID_EDITOR_REMOVE_IMAGE);
  QVERIFY(catalog.empty());
  QCOMPARE(window.editor().currentIndex(), 1);
  QCOMPARE(window.editor().pixels(), std::vector<uint8_t>(80 * 7, 0));
  // "Open Catalog" without a catalog window says so.
  window.runCommand(i18n::ID_EDITOR_OPEN_CATALOG);
  QCOMPARE(dialogs.askedIds().back(), int(i18n::IDS_COMMAND_NOT_AVAILABLE));
}

void GraphicWindowTest::indexDialogTakesThreeDigits() {
  bitmaps::ui::CIndexNumberDialog dialog(language_);
  QCOMPARE(dialog.windowTitle(), QString("Edit existing bitmap image"));
  QVERIFY(!dialog.okButton()->isEnabled());
  QTest::keyClicks(dialog.field(), "1234");
  QCOMPARE(dialog.field()->text(), QString("123"));
  QVERIFY(dialog.okButton()->isEnabled());
  dialog.field()->clear();
  QTest::keyClicks(dialog.field(), "4x2");
  QCOMPARE(dialog.field()->text(), QString("42"));
}

void GraphicWindowTest::wideSignScrollsAndEscHides() {
  CBitmapCatalog catalog(240);
  CGraphicWindow window(catalog, kBiColour, language_);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QCOMPARE(window.grid()->width(), 240 * 8 + 1);
  QVERIFY(window.gridArea()->horizontalScrollBar()->maximum() > 0);
  // A cell scrolled into view is painted where the pointer is.
  window.gridArea()->horizontalScrollBar()->setValue(
      window.gridArea()->horizontalScrollBar()->maximum());
  click(window.grid(), CEditorGrid::cellRect(239, 6).center());
  QCOMPARE(int(catalog.find(1)->pixel(239, 6)), 1);
  QTest::keyClick(&window, Qt::Key_Escape);
  QVERIFY(!window.isVisible());
}

void GraphicWindowTest::varnelKeepsAPictureFileThatDidNotLoad() {
  TempDir dir;
  const int width = varnel_profile::kDefaultSignWidth;
  const int colourMode = varnel_profile::kDefaultColourMode;
  const std::string path = bitmaps::picturePath(dir.path(), width, colourMode);
  const std::string damaged = std::string("Z2500 pic by user") + std::string(20, '\x7f');
  writeFile(path, damaged);
  // Two starts and exits leave it as it is; a third in which the user draws moves it aside.
  for (int start = 0; start < 3; ++start) {
    app::ui::CVarnelApp program(dir.path());
    QString shown;
    ModalScript script;
    // Whatever start-up shows: boxes are read and answered, the setup dialog confirmed.
    const auto step = [&shown](QWidget* w) {
      shown += messageBoxText(w) + "\n";
      ModalScript::accept()(w);
    };
    script.then(step).then(step).then(step);
    QVERIFY(program.startUp());
    QCOMPARE(program.state().sign.width, width);
    QVERIFY(shown.contains("Z2500Pic_80_S.dat.unreadable"));
    app::ui::CMainFrame* frame = program.openMainWindow();
    frame->runCommand(i18n::ID_BITMAP_OPEN_WORKSPACE);
    QVERIFY(frame->bitmapEditor() != nullptr);
    QVERIFY(frame->bitmapEditor()->isVisible());
    if (start == 2) click(frame->bitmapEditor()->grid(), CEditorGrid::cellRect(2, 2).center());
    frame->runCommand(i18n::ID_FILE_EXIT);
    program.shutDown();
    if (start < 2) {
      QCOMPARE(readFile(path), damaged);
      QVERIFY(!QFileInfo::exists(QString::fromStdString(path + ".unreadable")));
    }
  }
  QCOMPARE(readFile(path + ".unreadable"), damaged);
  CBitmapCatalog reread(uint16_t{width});
  QVERIFY(bitmaps::loadPictures(path, uint16_t{width}, colourMode, &reread).ok());
  QCOMPARE(reread.count(), size_t{1});
  QCOMPARE(int(reread.at(0).pixel(2, 2)), 1);
}

void GraphicWindowTest::languageFileNamesMenuCaptionAndLabels() {
  TempDir dir;
  i18n::LanguageModule language(dir.path());
  language.init();
  writeFile(dir.file("Language/Testish.ini"),
            "[Setting]\r\nLanguage=Testish\r\n"
            "[Menu String]\r\nIDS_MENU_200=Datei\r\nIDS_MENU_203=Beenden\r\n"
            "IDS_MENU_204=Bild\r\n"
            "[String Table]\r\nIDS_STRINGTABLE_109=Bildfeld (7 x %d)\r\n"
            "IDS_STRINGTABLE_116=Farbe\r\nIDS_STRINGTABLE_119=Bilder gesamt:\r\n");
  language.selectLanguage("Testish");
  CBitmapCatalog catalog(96);
  CGraphicWindow window(catalog, kBiColour, language);
  QCOMPARE(window.windowTitle(), QString("Bildfeld (7 x 96)"));
  const QList<QAction*> bar = window.menuBar()->actions();
  QCOMPARE(bar[0]->text(), QString("Datei"));
  QCOMPARE(bar[1]->text(), QString("Bild"));
  QCOMPARE(bar[0]->menu()->actions().last()->text(), QString("Beenden"));
  QCOMPARE(bar[0]->menu()->actions().first()->text(), QString("Save as..."));
  // The catalog count has the catalog window's text; a label the file lacks stays English.
  QCOMPARE(bitmaps::editorLabel(bitmaps::EditorLabel::kColour), std::string("Farbe"));
  QCOMPARE(bitmaps::editorLabel(bitmaps::EditorLabel::kTotalCatalog),
           std::string("Bilder gesamt:"));
  QCOMPARE(bitmaps::editorLabel(bitmaps::EditorLabel::kPreviewPane), std::string("Preview Pane"));
  language.selectLanguage("English");
}

QTEST_MAIN(GraphicWindowTest)
#include "graphic_window_test.moc"
