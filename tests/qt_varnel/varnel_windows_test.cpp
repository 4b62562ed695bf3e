// varnel's windows driven as the user drives them, on a fresh data directory each time.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>

#include "addressbook/address_book.h"
#include "app/ui/font_colour_bar.h"
#include "app/ui/main_frame.h"
#include "app/ui/sign_setup_dialog.h"
#include "app/ui/varnel_app.h"
#include "app/ui/varnel_view.h"
#include "i18n/dialog_texts.h"
#include "i18n/menu_texts.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/ui/qt_language_targets.h"
#include "modal_script.h"
#include "platform/profile_file.h"
#include "platform/ui/qt_text.h"
#include "tests/support/temp_dir.h"
#include "workspace/message_encoder.h"

using app::ui::CMainFrame;
using app::ui::CSignSetupDialog;
using app::ui::CVarnelApp;
using app::ui::CVarnelView;
using testing_support::TempDir;

namespace {

constexpr int kWidthEditId = 1307;
constexpr int kBiColourId = 1310;
constexpr int kLanguageListId = 1097;
constexpr int kLanguagePromptId = 1427;

bool exists(const std::string& path) {
  return QFileInfo::exists(QString::fromStdString(path));
}

// Fills the setup dialog and presses OK.
std::function<void(QWidget*)> setUp(const QString& width, bool biColour = false) {
  return [width, biColour](QWidget* w) {
    qobject_cast<QLineEdit*>(i18n::ui::findControl(w, kWidthEditId))->setText(width);
    if (biColour) qobject_cast<QRadioButton*>(i18n::ui::findControl(w, kBiColourId))->click();
    qobject_cast<QDialog*>(w)->accept();
  };
}

// A data directory as a previous run leaves it: with a site manage file, so start-up has nothing
// to report before the setup dialog.
void prepareDataDir(const std::string& dir) {
  addressbook::CAddressBook().saveAtExit(addressbook::sitePath(dir));
}

// Runs start-up with the setup dialog confirmed as it opens and shows the main window.
CMainFrame* startWithMainWindow(CVarnelApp& app) {
  prepareDataDir(app.state().dataDir);
  ModalScript script;
  script.then(ModalScript::accept());
  if (!app.startUp()) return nullptr;
  return app.openMainWindow();
}

QString menuText(QAction* action) {
  return action->text();
}

}  // namespace

class VarnelWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void firstStartCreatesProfileAndLanguageFiles();
  void cancellingSetupEndsStartUpBeforeTheMainWindow();
  void nonAsciiDataDirectoryShowsAsItIsNamed();
  void setupRefusesWidthsThatAreNoPositiveNumber();
  void setupWidthParsing();
  void colourListFollowsColourMode();
  void mainWindowMenusPromptsAndTitle();
  void languageDialogChangesMenusDialogsAndMessages();
  void typedMessageSavesReopensAndEncodes();
  void exitPromptCancelKeepsTheWindow();
  void enterInEmptyWorkspaceIsRefused();
  void previewPaintsTypedCharactersInTheirColour();
  void mouseSelectionTakesTheColourChosenInTheBar();
  void openAfterChangesSavesUnderANewNameFirst();
  void marginMenuCombinesAMessageWithTheNext();
};

void VarnelWindowsTest::firstStartCreatesProfileAndLanguageFiles() {
  TempDir dir;
  {
    CVarnelApp app(dir.path());
    // The missing site manage file is reported, then the setup dialog opens.
    QString missingSiteFile;
    ModalScript script;
    script.then(ModalScript::answer(QMessageBox::Ok, &missingSiteFile)).then(ModalScript::accept());
    QVERIFY(app.startUp());
    QVERIFY(!missingSiteFile.isEmpty());
    QVERIFY(app.openMainWindow() != nullptr);
    QVERIFY(exists(dir.file("LanguageSetting.ini")));
    QVERIFY(exists(dir.file("Language/Multi_eng.ini")));
    QVERIFY(exists(dir.file("varnel.ini")));
    const platform::ProfileFile english(dir.file("Language/Multi_eng.ini"));
    QCOMPARE(english.readKeys("Menu String").size(), size_t{49});
    QCOMPARE(english.readString("Setting", "Language"), std::string("English"));
    QVERIFY(app.mainWindow()->isMaximized());
    app.shutDown();
  }
  const platform::ProfileFile profile(dir.file("varnel.ini"));
  QCOMPARE(profile.readInt("Varnel", "MovingSignOption", 0), 80);
  QCOMPARE(profile.readInt("Varnel", "IsSingleColor", 0), 1);
  QCOMPARE(profile.readKeys("SendInfo").size(), size_t{9});
}

void VarnelWindowsTest::cancellingSetupEndsStartUpBeforeTheMainWindow() {
  TempDir dir;
  prepareDataDir(dir.path());
  CVarnelApp app(dir.path());
  ModalScript script;
  script.then(ModalScript::reject());
  QVERIFY(!app.startUp());
  QCOMPARE(script.pending(), size_t{0});
  QVERIFY(app.mainWindow() == nullptr);
  app.shutDown();
  // The exit sequence still ran; the setup values were not written.
  const platform::ProfileFile profile(dir.file("varnel.ini"));
  QCOMPARE(profile.readKeys("SendInfo").size(), size_t{9});
  QVERIFY(!profile.hasSection("Varnel"));
}

void VarnelWindowsTest::nonAsciiDataDirectoryShowsAsItIsNamed() {
  TempDir base;
  // The name as the file system gives it: UTF-8 bytes.
  const std::string dataDir = base.file("Daten-\xC3\xBC");
  const QString shown = QString::fromUtf8("Daten-\u00FC");
  QVERIFY(QDir().mkpath(QFile::decodeName(dataDir.c_str())));
  CVarnelApp app(dataDir);
  // Start-up reports the missing site manage file with its full path, then cancel the setup.
  QString missingSiteFile;
  ModalScript script;
  script.then(ModalScript::answer(QMessageBox::Ok, &missingSiteFile)).then(ModalScript::reject());
  QVERIFY(!app.startUp());
  QVERIFY2(missingSiteFile.contains(QFile::decodeName(dataDir.c_str())),
           qPrintable(missingSiteFile));
  QVERIFY(missingSiteFile.contains(shown));
  app.shutDown();

  // A workspace in that folder: the recent-file entry and the title name it as it is named.
  CVarnelApp second(dataDir);
  CMainFrame* frame = startWithMainWindow(second);
  QVERIFY(frame != nullptr);
  const QString path = QFile::decodeName(dataDir.c_str()) + QString::fromUtf8("/M\u00E4rz.SDV");
  frame->view()->setFileChooser([&path](CVarnelView::FileDialogKind) { return path; });
  QTest::keyClicks(frame->view(), "A");
  frame->runCommand(i18n::ID_FILE_SAVE_AS);
  QVERIFY(!frame->document().isModified());
  QVERIFY2(frame->windowTitle().contains(QString::fromUtf8(" - M\u00E4rz.SDV")),
           qPrintable(frame->windowTitle()));
  const platform::ProfileFile profile(dataDir + "/varnel.ini");
  QCOMPARE(profile.readString("Recent File List", "File1"),
           std::string(QFile::encodeName(path).constData()));
  second.shutDown();
}

void VarnelWindowsTest::setupRefusesWidthsThatAreNoPositiveNumber() {
  TempDir dir;
  prepareDataDir(dir.path());
  CVarnelApp app(dir.path());
  QString refusal1, refusal2;
  ModalScript script;
  script.then(setUp("0"))
      .then(ModalScript::answer(QMessageBox::Ok, &refusal1))
      .then(setUp("wide"))
      .then(ModalScript::answer(QMessageBox::Ok, &refusal2))
      .then(setUp("120", true));
  QVERIFY(app.startUp());
  QCOMPARE(script.pending(), size_t{0});
  QCOMPARE(refusal1, QStringLiteral("Invalidate value,please re-enter!"));
  QCOMPARE(refusal2, refusal1);
  QCOMPARE(app.state().sign.width, 120);
  QCOMPARE(app.state().sign.colourMode, 2);
  const platform::ProfileFile profile(dir.file("varnel.ini"));
  QCOMPARE(profile.readInt("Varnel", "MovingSignOption", 0), 120);
  QCOMPARE(profile.readInt("Varnel", "IsSingleColor", 0), 2);
}

void VarnelWindowsTest::setupWidthParsing() {
  QCOMPARE(CSignSetupDialog::parseWidth("80"), std::optional<int>(80));
  QCOMPARE(CSignSetupDialog::parseWidth(" 300"), std::optional<int>(300));  // above 255: kept
  QCOMPARE(CSignSetupDialog::parseWidth("96px"), std::optional<int>(96));
  QCOMPARE(CSignSetupDialog::parseWidth("0"), std::nullopt);
  QCOMPARE(CSignSetupDialog::parseWidth("-8"), std::nullopt);
  QCOMPARE(CSignSetupDialog::parseWidth(""), std::nullopt);
  QCOMPARE(CSignSetupDialog::parseWidth("99999999999999999999"), std::nullopt);
}

void VarnelWindowsTest::colourListFollowsColourMode() {
  for (const int mode : {1, 2}) {
    TempDir dir;
    platform::ProfileFile(dir.file("varnel.ini")).writeInt("Varnel", "IsSingleColor", mode);
    CVarnelApp app(dir.path());
    CMainFrame* frame = startWithMainWindow(app);
    QVERIFY(frame != nullptr);
    QComboBox* colours = frame->fontColourBar()->colourList();
    QComboBox* fonts = frame->fontColourBar()->fontList();
    QCOMPARE(colours->count(), mode == 1 ? 2 : 16);
    QCOMPARE(colours->currentText(), QStringLiteral("Bright Red"));
    QCOMPARE(fonts->count(), 7);
    QCOMPARE(fonts->currentIndex(), 2);
    // A chosen colour reaches the editor and the next typed character.
    colours->setCurrentIndex(0);
    emit colours->activated(0);
    QCOMPARE(frame->view()->model().currentColour(), 0);
  }
}

void VarnelWindowsTest::mainWindowMenusPromptsAndTitle() {
  TempDir dir;
  CVarnelApp app(dir.path());
  CMainFrame* frame = startWithMainWindow(app);
  QVERIFY(frame != nullptr);
  QCOMPARE(frame->windowTitle().remove(QStringLiteral("[*]")), QStringLiteral("Orvanta"));
  const QList<QAction*> top = frame->menuBar()->actions();
  QCOMPARE(top.size(), 7);
  QCOMPARE(top[0]->text(), QStringLiteral("File"));
  QCOMPARE(top[2]->text(), QStringLiteral("Scheduler and Special Functions"));
  QAction* open = frame->commandAction(i18n::ID_FILE_OPEN);
  QCOMPARE(open->text(), QStringLiteral("Open...(Ctrl+O)"));
  QCOMPARE(open->statusTip(), QStringLiteral("Open a message workspace file"));
  QCOMPARE(open->toolTip(), QStringLiteral("Open"));
  // Save is enabled only for a modified workspace with lines.
  QAction* save = frame->commandAction(i18n::ID_FILE_SAVE);
  QVERIFY(!save->isEnabled());
  QTest::keyClicks(frame->view(), "x");
  QVERIFY(save->isEnabled());
  QVERIFY(frame->isWindowModified());

  QString about;
  ModalScript script;
  script.then([&about](QWidget* w) {
    about = w->findChild<QLabel*>(QStringLiteral("control1304"))->text() + "|" +
            w->findChild<QLabel*>(QStringLiteral("control1305"))->text();
    qobject_cast<QDialog*>(w)->accept();
  });
  frame->runCommand(i18n::ID_APP_ABOUT);
  QCOMPARE(about, QStringLiteral("Version 3.49|February  16, 2006"));
  frame->document().setModified(false);
}

void VarnelWindowsTest::languageDialogChangesMenusDialogsAndMessages() {
  TempDir dir;
  CVarnelApp app(dir.path());
  // A recent file in the File menu must not shift the menu keys.
  platform::ProfileFile(dir.file("varnel.ini")).writeString("Recent File List", "File1", "/x.SDV");
  CMainFrame* frame = startWithMainWindow(app);
  QVERIFY(frame != nullptr);
  testing_support::writeFile(
      dir.file("Language/Testish.ini"),
      "[Setting]\r\nLanguage=Testish\r\n"
      "[Dialog String]\r\nIDD215_Title=Sprache\r\nIDD201_Title=Bildkatalog\r\nIDD215_1427=Bitte "
      "waehlen\\nSie\r\n"
      "[Menu String]\r\nIDS_MENU_0=Datei\r\nIDS_MENU_6=Beenden\r\n"
      "[String Table]\r\nIDS_STRINGTABLE_119=Katalog gesamt:\r\n");
  ModalScript script;
  script.then([](QWidget* w) {
    auto* list = qobject_cast<QComboBox*>(i18n::ui::findControl(w, kLanguageListId));
    list->setCurrentIndex(list->findText(QStringLiteral("Testish")));
    qobject_cast<QDialog*>(w)->accept();
  });
  frame->runCommand(i18n::ID_FILE_LANGUAGE);
  QCOMPARE(script.pending(), size_t{0});
  QCOMPARE(frame->menuBar()->actions()[0]->text(), QStringLiteral("Datei"));
  QCOMPARE(menuText(frame->commandAction(i18n::ID_FILE_EXIT)), QStringLiteral("Beenden"));
  QCOMPARE(menuText(frame->commandAction(i18n::ID_FILE_NEW)), QStringLiteral("New"));

  QString caption, prompt;
  script.then([&](QWidget* w) {
    caption = w->windowTitle();
    prompt = qobject_cast<QLabel*>(i18n::ui::findControl(w, kLanguagePromptId))->text();
    qobject_cast<QDialog*>(w)->reject();
  });
  frame->runCommand(i18n::ID_FILE_LANGUAGE);
  QCOMPARE(caption, QStringLiteral("Sprache"));
  QCOMPARE(prompt, QStringLiteral("Bitte waehlen\nSie"));

  QString catalogTotal;
  script.then([&](QWidget* w) {
    caption = w->windowTitle();
    catalogTotal = w->findChild<QLabel*>(QStringLiteral("catalogTotal"))->text();
    qobject_cast<QDialog*>(w)->accept();
  });
  frame->runCommand(i18n::ID_BITMAP_OPEN_CATALOG);
  QCOMPARE(caption, QStringLiteral("Bildkatalog"));
  QCOMPARE(catalogTotal, QStringLiteral("Katalog gesamt: 0"));
  QCOMPARE(platform::ProfileFile(dir.file("LanguageSetting.ini")).readString("Setting", "Language"),
           std::string("Testish"));
}

void VarnelWindowsTest::typedMessageSavesReopensAndEncodes() {
  TempDir dir;
  CVarnelApp app(dir.path());
  CMainFrame* frame = startWithMainWindow(app);
  QVERIFY(frame != nullptr);
  CVarnelView* view = frame->view();
  const QString path = QString::fromStdString(dir.file("typed"));
  view->setFileChooser([&path](CVarnelView::FileDialogKind) { return path; });
  QTest::keyClicks(view, "AB");
  QKeyEvent foreign(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(0x4E2D)));
  QApplication::sendEvent(view, &foreign);  // No Windows-1252 character: not typed.
  frame->runCommand(i18n::ID_FILE_SAVE_AS);
  QVERIFY(!frame->document().isModified());
  QCOMPARE(QString::fromStdString(frame->document().path()), path + ".SDV");
  QVERIFY(frame->windowTitle().contains(QStringLiteral("typed.SDV")));

  frame->runCommand(i18n::ID_FILE_NEW);
  QCOMPARE(frame->document().lineCount(), 0);
  QVERIFY(view->openDocument(path + ".SDV"));
  std::string bytes;
  workspace::encodeWorkspace(frame->document().workspace(), {}, &bytes);
  QCOMPARE(QByteArray::fromStdString(bytes), QByteArray("\x01"
                                                        "01"
                                                        "\xEF\xB0\xEF\xA2"
                                                        "AB"
                                                        "\xFF\xFF",
                                                        11));
  const platform::ProfileFile profile(dir.file("varnel.ini"));
  QCOMPARE(QString::fromStdString(profile.readString("Recent File List", "File1")), path + ".SDV");
}

void VarnelWindowsTest::exitPromptCancelKeepsTheWindow() {
  TempDir dir;
  CVarnelApp app(dir.path());
  CMainFrame* frame = startWithMainWindow(app);
  QVERIFY(frame != nullptr);
  QTest::keyClicks(frame->view(), "A");
  QString question;
  ModalScript script;
  script.then(ModalScript::answer(QMessageBox::Cancel, &question));
  QVERIFY(!frame->close());
  QVERIFY(frame->isVisible());
  QVERIFY(question.contains(QStringLiteral("before exiting?")));
  script.then(ModalScript::answer(QMessageBox::No));
  QVERIFY(frame->close());
  QCOMPARE(frame->document().lineCount(), 0);
}

void VarnelWindowsTest::enterInEmptyWorkspaceIsRefused() {
  TempDir dir;
  CVarnelApp app(dir.path());
  CMainFrame* frame = startWithMainWindow(app);
  QVERIFY(frame != nullptr);
  QString refusal;
  ModalScript script;
  script.then(ModalScript::answer(QMessageBox::Ok, &refusal));
  QTest::keyClick(frame->view(), Qt::Key_Return);
  QCOMPARE(refusal, platform::ui::fromCp1252(i18n::text(i18n::IDS_MUST_INPUT_TEXT_FIRST)));
  QCOMPARE(frame->document().lineCount(), 0);
}

void VarnelWindowsTest::previewPaintsTypedCharactersInTheirColour() {
  TempDir dir;
  CVarnelApp app(dir.path());
  CMainFrame* frame = startWithMainWindow(app);
  QVERIFY(frame != nullptr);
  QTest::keyClicks(frame->view(), "HH");
  const QImage image = frame->view()->viewport()->grab().toImage();
  // The first character's cell (x 91..107, y 0..32) holds lit red pixels; the space after the
  // text stays black.
  int lit = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 91; x < 107; ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 128 && c.green() < 100) ++lit;
    }
  }
  QVERIFY(lit > 10);
  QCOMPARE(image.pixelColor(400, 20), QColor(Qt::black));
  frame->document().setModified(false);
}

void VarnelWindowsTest::mouseSelectionTakesTheColourChosenInTheBar() {
  TempDir dir;
  platform::ProfileFile(dir.file("varnel.ini")).writeInt("Varnel", "IsSingleColor", 2);
  CVarnelApp app(dir.path());
  CMainFrame* frame = startWithMainWindow(app);
  QVERIFY(frame != nullptr);
  CVarnelView* view = frame->view();
  QTest::keyClicks(view, "ABCD");
  // Drag across the first two characters (16 pixels each from x = 91).
  QWidget* viewport = view->viewport();
  QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(92, 16));
  QTest::mouseMove(viewport, QPoint(122, 16));
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(122, 16));
  QVERIFY(view->model().hasSelection());
  frame->document().setModified(false);
  constexpr int kGreen = 6;
  QComboBox* colours = frame->fontColourBar()->colourList();
  colours->setCurrentIndex(kGreen);
  emit colours->activated(kGreen);
  const auto& elements = frame->document().workspace().lines.at(0).elements;
  QCOMPARE(int{elements.at(0).colour}, kGreen);
  QCOMPARE(int{elements.at(1).colour}, kGreen);
  QCOMPARE(int{elements.at(2).colour}, 1);
  QVERIFY(frame->document().isModified());
  QVERIFY(!view->model().hasSelection());
  QCOMPARE(frame->focusWidget(), static_cast<QWidget*>(view));
  frame->document().setModified(false);
}

void VarnelWindowsTest::openAfterChangesSavesUnderANewNameFirst() {
  TempDir dir;
  const std::string other = dir.file("other.SDV");
  {
    workspace::CVarnelDoc doc;
    workspace::EditorModel editor(doc);
    editor.typeCharacter('Z');
    QVERIFY(doc.save(other).ok());
  }
  CVarnelApp app(dir.path());
  CMainFrame* frame = startWithMainWindow(app);
  QVERIFY(frame != nullptr);
  const QString saved = QString::fromStdString(dir.file("mine.SDV"));
  frame->view()->setFileChooser([&](CVarnelView::FileDialogKind kind) {
    return kind == CVarnelView::FileDialogKind::kSaveAs ? saved : QString::fromStdString(other);
  });
  QTest::keyClicks(frame->view(), "A");
  QString question;
  ModalScript script;
  script.then(ModalScript::answer(QMessageBox::Yes, &question));
  frame->runCommand(i18n::ID_FILE_OPEN);
  QVERIFY(question.contains(QStringLiteral("before opening file?")));
  QVERIFY(exists(saved.toStdString()));
  QCOMPARE(frame->document().path(), other);
  QCOMPARE(int{frame->document().workspace().lines.at(0).elements.at(0).code}, int{'Z'});
  // Both files are in the recent-file list, the last used first.
  const platform::ProfileFile profile(dir.file("varnel.ini"));
  QCOMPARE(profile.readString("Recent File List", "File1"), other);
  QCOMPARE(profile.readString("Recent File List", "File2"), saved.toStdString());
}

void VarnelWindowsTest::marginMenuCombinesAMessageWithTheNext() {
  TempDir dir;
  CVarnelApp app(dir.path());
  CMainFrame* frame = startWithMainWindow(app);
  QVERIFY(frame != nullptr);
  CVarnelView* view = frame->view();
  QTest::keyClicks(view, "A");
  QTest::keyClick(view, Qt::Key_Return, Qt::ControlModifier);
  QTest::keyClicks(view, "B");
  QCOMPARE(view->model().fileCount(), 2);
  // The pop-up menu is not modal: pick its first entry, "Combine file", with the keyboard.
  QTimer::singleShot(50, [] {
    QWidget* popup = QApplication::activePopupWidget();
    QVERIFY(popup != nullptr);
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
  });
  QString question;
  ModalScript script;
  script.then(ModalScript::answer(QMessageBox::Yes, &question));
  QTest::mouseClick(view->viewport(), Qt::RightButton, {}, QPoint(20, 16));
  QCOMPARE(question, QStringLiteral("Unit the 1th file with the next file?"));
  QCOMPARE(view->model().fileCount(), 1);
  frame->document().setModified(false);
}

QTEST_MAIN(VarnelWindowsTest)
#include "varnel_windows_test.moc"
