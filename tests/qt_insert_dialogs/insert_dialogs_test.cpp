// The Insert menu's dialogs on the offscreen platform: the list dialogs' defaults, Cancel and
// double click; the picture dialogs' selection rules, keys and several inserts from one opened
// dialog; the item pictures; the dialogs' texts from a language file.

#include <sys/stat.h>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>
#include <utility>
#include <vector>

#include "i18n/language_module.h"
#include "tests/support/temp_dir.h"
#include "workspace/editor_insert_dialogs.h"
#include "workspace/sign_tables.h"
#include "workspace/ui/bitmap_picture_area.h"
#include "workspace/ui/control_list_dialog.h"
#include "workspace/ui/insert_dialogs.h"
#include "workspace/ui/item_images.h"
#include "workspace/ui/picture_area.h"
#include "workspace/ui/picture_dialog.h"
#include "workspace/ui/symbol_picture_area.h"

using workspace::ElementKind;
using workspace::kInsertItemCodeOffset;
using workspace::ui::ControlListDialog;
using workspace::ui::PictureDialog;

namespace {

using Insert = std::pair<int, int>;  // Kind and value as the editor receives them.

// Runs `step` on the modal dialog once its event loop is running.
template <typename Dialog>
void onModalDialog(std::function<void(Dialog*)> step) {
  QTimer::singleShot(0, [step] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog != nullptr);
    step(dialog);
  });
}

QPoint centre(const QRect& rect) {
  return rect.center();
}

// The centre of symbol `index`'s cell in the symbol area's coordinates.
QPoint symbolCentre(int index) {
  const workspace::CellRect cell = *workspace::symbolCell(index);
  const int margin = workspace::ui::SymbolPictureArea::kMargin;
  return {margin + cell.x + cell.width / 2, margin + cell.y + cell.height / 2};
}

QPoint specialCentre(int index) {
  const workspace::CellRect box = *workspace::specialCharacterGlyphBox(index);
  return {box.x + box.width / 2, box.y + box.height / 2};
}

QPoint bitmapCentre(int index) {
  using workspace::ui::BitmapPictureArea;
  return {BitmapPictureArea::kMargin + workspace::kBitmapWidth / 2,
          BitmapPictureArea::kMargin +
              index * (BitmapPictureArea::kRowHeight + BitmapPictureArea::kRowGap) +
              BitmapPictureArea::kRowHeight / 2};
}

std::vector<Insert> insertsOf(const QSignalSpy& spy) {
  std::vector<Insert> inserts;
  for (const QList<QVariant>& call : spy) {
    inserts.emplace_back(call.at(0).value<ElementKind>(), call.at(1).toInt());
  }
  return inserts;
}

}  // namespace

class InsertDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    dir_ = std::make_unique<testing_support::TempDir>();
    language_ = std::make_unique<i18n::LanguageModule>(dir_->path());
    language_->init();
  }
  void cleanup() {
    language_.reset();
    dir_.reset();
  }

  void listDialogsShowLongFormsAndPreselectTheirDefault_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("defaultEntry");
    QTest::addColumn<QString>("firstEntry");
    QTest::newRow("effect") << int(workspace::kControlTransition) << "Insert Transition Effects"
                            << 25 << 3 << "Cyclic";
    QTest::newRow("cartoon") << int(workspace::kControlCartoon) << "Insert Cartoon" << 8 << 8
                             << QString();
    QTest::newRow("beep") << int(workspace::kControlBeep) << "Insert Beep" << 3 << 1 << QString();
    QTest::newRow("speed") << int(workspace::kControlSpeed) << "Transition Speed" << 8 << 3
                           << QString();
    QTest::newRow("pause") << int(workspace::kControlPause) << "Insert Pause" << 8 << 1
                           << QString();
  }
  void listDialogsShowLongFormsAndPreselectTheirDefault() {
    QFETCH(int, type);
    QFETCH(QString, caption);
    QFETCH(int, entries);
    QFETCH(int, defaultEntry);
    QFETCH(QString, firstEntry);
    ControlListDialog dialog(nullptr, type, *language_);
    QCOMPARE(dialog.windowTitle(), caption);
    QCOMPARE(dialog.insertButton()->text(), QString("Insert"));
    QCOMPARE(dialog.cancelButton()->text(), QString("Cancel"));
    QVERIFY(dialog.insertButton()->isDefault());
    QCOMPARE(dialog.list()->count(), entries);
    QCOMPARE(dialog.selectedEntry(), std::optional<int>(defaultEntry));
    for (int row = 0; row < entries; ++row) {
      const QString text = dialog.list()->item(row)->text();
      QVERIFY2(!text.isEmpty() && !text.contains('\n'), qPrintable(text));
    }
    if (!firstEntry.isEmpty()) QCOMPARE(dialog.list()->item(0)->text(), firstEntry);
  }

  void listDialogInsertReturnsTheDefaultAndCancelReturnsNothing() {
    onModalDialog<ControlListDialog>([](ControlListDialog* d) { d->insertButton()->click(); });
    QCOMPARE(workspace::ui::runControlListDialog(nullptr, workspace::kControlCartoon, *language_),
             std::optional<int>(8));

    onModalDialog<ControlListDialog>([](ControlListDialog* d) {
      d->list()->setCurrentRow(4);
      d->cancelButton()->click();
    });
    QCOMPARE(workspace::ui::runControlListDialog(nullptr, workspace::kControlSpeed, *language_),
             std::nullopt);

    // A type without a list opens nothing.
    QCOMPARE(workspace::ui::runControlListDialog(nullptr, 6, *language_), std::nullopt);
  }

  void listDialogDoubleClickInsertsTheClickedEntry() {
    onModalDialog<ControlListDialog>([](ControlListDialog* d) {
      QListWidget* list = d->list();
      const QPoint at = centre(list->visualItemRect(list->item(5)));
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
      QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    });
    QCOMPARE(
        workspace::ui::runControlListDialog(nullptr, workspace::kControlTransition, *language_),
        std::optional<int>(6));
  }

  void symbolClicksSelectCellsAndInsertNeedsOne() {
    PictureDialog dialog(nullptr, workspace::kKindSymbol, *language_);
    QSignalSpy inserted(&dialog, &PictureDialog::itemInserted);
    QCOMPARE(dialog.windowTitle(), QString("Pre-Defined Symbols"));
    QCOMPARE(dialog.area()->selection(), std::nullopt);
    QVERIFY(!dialog.insertButton()->isEnabled());

    QTest::mouseClick(dialog.area(), Qt::LeftButton, {}, symbolCentre(13));  // row 2, column 1
    QCOMPARE(dialog.area()->selection(), std::optional<int>(13));
    QVERIFY(dialog.insertButton()->isEnabled());
    dialog.insertButton()->click();

    // Between two rows of cells: the selection goes and Insert with it.
    const QPoint gap = symbolCentre(0) + QPoint(0, workspace::kSymbolCellHeight / 2 + 3);
    QTest::mouseClick(dialog.area(), Qt::LeftButton, {}, gap);
    QCOMPARE(dialog.area()->selection(), std::nullopt);
    QVERIFY(!dialog.insertButton()->isEnabled());
    dialog.insertSelected();  // Nothing to insert.

    QTest::mouseDClick(dialog.area(), Qt::LeftButton, {}, symbolCentre(29));
    QCOMPARE(insertsOf(inserted),
             (std::vector<Insert>{{workspace::kKindSymbol, 13 + kInsertItemCodeOffset},
                                  {workspace::kKindSymbol, 29 + kInsertItemCodeOffset}}));
  }

  void bitmapClickSelectsItsRow() {
    PictureDialog dialog(nullptr, workspace::kKindPredefinedBitmap, *language_);
    QSignalSpy inserted(&dialog, &PictureDialog::itemInserted);
    QCOMPARE(dialog.windowTitle(), QString("Pre-Defined Bitmaps"));
    QTest::mouseClick(dialog.area(), Qt::LeftButton, {}, bitmapCentre(5));
    QCOMPARE(dialog.area()->selection(), std::optional<int>(5));
    dialog.insertButton()->click();
    QTest::mouseDClick(dialog.area(), Qt::LeftButton, {}, bitmapCentre(7));
    QCOMPARE(insertsOf(inserted),
             (std::vector<Insert>{{workspace::kKindPredefinedBitmap, 5 + kInsertItemCodeOffset},
                                  {workspace::kKindPredefinedBitmap, 7 + kInsertItemCodeOffset}}));
  }

  void specialCharacterKeysMoveTheSelection() {
    PictureDialog dialog(nullptr, workspace::kKindSpecialCharacter, *language_);
    workspace::ui::PictureArea* area = dialog.area();
    QCOMPARE(area->selection(), std::optional<int>(0));
    QTest::keyClick(area, Qt::Key_Left);
    QCOMPARE(area->selection(), std::optional<int>(65));
    QTest::keyClick(area, Qt::Key_Right);
    QCOMPARE(area->selection(), std::optional<int>(0));
    QTest::keyClick(area, Qt::Key_Down);
    QCOMPARE(area->selection(), std::optional<int>(8));
    QTest::keyClick(area, Qt::Key_Up);
    QTest::keyClick(area, Qt::Key_Up);
    QCOMPARE(area->selection(), std::optional<int>(0));

    // A click near a glyph selects it; a click in the empty end of the last row keeps it.
    QTest::mouseClick(area, Qt::LeftButton, {}, specialCentre(42));
    QCOMPARE(area->selection(), std::optional<int>(42));
    QTest::mouseClick(area, Qt::LeftButton, {}, specialCentre(65) + QPoint(90, 0));
    QCOMPARE(area->selection(), std::optional<int>(42));
  }

  void threeSpecialCharactersInARowFromOneDialog() {
    std::vector<Insert> inserts;
    onModalDialog<PictureDialog>([](PictureDialog* d) {
      d->insertButton()->click();  // item 0, the default
      QTest::keyClick(d->area(), Qt::Key_Right);
      QTest::keyClick(d, Qt::Key_Return);  // Enter inserts item 1
      QTest::mouseDClick(d->area(), Qt::LeftButton, {}, specialCentre(60));
      QVERIFY(d->isVisible());
      d->closeButton()->click();
    });
    workspace::ui::runPictureDialog(
        nullptr, workspace::kKindSpecialCharacter, *language_,
        [&inserts](ElementKind kind, int value) { inserts.emplace_back(kind, value); });
    const int k = workspace::kKindSpecialCharacter;
    QCOMPARE(inserts, (std::vector<Insert>{{k, 50}, {k, 51}, {k, 60 + kInsertItemCodeOffset}}));
  }

  void userBitmapsAreNotOpenedHere() {
    bool called = false;
    workspace::ui::runPictureDialog(nullptr, workspace::kKindUserBitmap, *language_,
                                    [&called](ElementKind, int) { called = true; });
    QVERIFY(!called);
    QCOMPARE(QApplication::topLevelWidgets().size(), qsizetype(0));
  }

  void picturesHaveTheirSizesAndLightTheirDots() {
    const QRgb green = qRgb(0, 255, 0);
    QCOMPARE(workspace::ui::symbolPicture(0, green).size(), QSize(46, 32));
    QCOMPARE(workspace::ui::predefinedBitmapPicture(7, green).size(), QSize(214, 32));
    const QImage glyph = workspace::ui::specialCharacterGlyph(0, green);
    QCOMPARE(glyph.size(), QSize(16, 18));
    // "Ç": the top row lights dots 2 to 4, each two pixels square.
    QCOMPARE(glyph.pixel(4, 0), green | 0xFF000000u);
    QCOMPARE(glyph.pixel(5, 1), green | 0xFF000000u);
    QCOMPARE(qAlpha(glyph.pixel(2, 0)), 0);
    QVERIFY(workspace::ui::symbolPicture(30, green).isNull());
    QVERIFY(workspace::ui::predefinedBitmapPicture(-1, green).isNull());
    QVERIFY(workspace::ui::specialCharacterGlyph(66, green).isNull());
  }

  void dialogsTakeTheLanguageFileTextsAndKeepEnglishForTheRest() {
    mkdir(dir_->file("Language").c_str(), 0755);
    testing_support::writeFile(dir_->file("Language/deutsch.ini"),
                               "[Setting]\r\nLanguage=Deutsch\r\n[Dialog String]\r\n"
                               "IDD149_Title=Signalton\r\nIDD149_1=Einf\xFCgen\r\n"
                               "IDD205_1090=Einf\xFCgen\r\n");
    language_->selectLanguage("Deutsch");
    ControlListDialog beep(nullptr, workspace::kControlBeep, *language_);
    QCOMPARE(beep.windowTitle(), QString("Signalton"));
    QCOMPARE(beep.insertButton()->text(), QString::fromUtf8("Einfügen"));
    QCOMPARE(beep.cancelButton()->text(), QString("Cancel"));
    PictureDialog special(nullptr, workspace::kKindSpecialCharacter, *language_);
    QCOMPARE(special.windowTitle(), QString("Special characters"));
    QCOMPARE(special.insertButton()->text(), QString::fromUtf8("Einfügen"));
    QCOMPARE(special.closeButton()->text(), QString("Close"));
  }

 private:
  std::unique_ptr<testing_support::TempDir> dir_;
  std::unique_ptr<i18n::LanguageModule> language_;
};

QTEST_MAIN(InsertDialogsTest)
#include "insert_dialogs_test.moc"
