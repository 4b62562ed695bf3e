// Screenshots of varnel's main window and setup dialog for the documentation. They are written
// only when VARNEL_SCREENSHOT_DIR names a folder:
//   VARNEL_SCREENSHOT_DIR=docs QT_QPA_PLATFORM=offscreen build/bin/test_qt_varnel_screenshots

#include <QApplication>
#include <QDir>
#include <QTest>

#include "addressbook/address_book.h"
#include "app/ui/main_frame.h"
#include "app/ui/sign_setup_dialog.h"
#include "app/ui/varnel_app.h"
#include "app/ui/varnel_view.h"
#include "tests/support/temp_dir.h"
#include "workspace/sign_tables.h"

namespace {

constexpr int kScreenshotWidth = 1000;
constexpr int kScreenshotHeight = 560;

void type(workspace::EditorModel& model, const char* text) {
  for (const char* c = text; *c != '\0'; ++c)
    model.typeCharacter(static_cast<unsigned char>(*c));
}

// A few messages as an operator writes them: effects, colours, fonts, time and date, pictures.
void writeMessages(workspace::EditorModel& m) {
  m.insertControl(workspace::kControlTransition, 3);
  m.setColour(1);
  type(m, "OPEN ");
  m.setColour(7);
  type(m, "7 DAYS ");
  m.setColour(5);
  m.insertItem(workspace::kKindTime, 0);
  m.newMessage();
  m.insertControl(workspace::kControlSpeed, 3);
  m.insertItem(workspace::kKindSymbol, 4 + workspace::kInsertItemCodeOffset);
  m.setFont(3);
  m.setColour(5);
  type(m, "SALE ");
  m.setColour(9);
  type(m, "50%");
  m.insertControl(workspace::kControlPause, 2);
  m.newMessage();
  m.setFont(2);
  m.setColour(3);
  m.insertItem(workspace::kKindDate, 0);
  m.setColour(12);
  type(m, " Today");
  m.insertControl(workspace::kControlBeep, 1);
  m.newMessage();
  m.setColour(1);
  m.insertItem(workspace::kKindPredefinedBitmap, 1 + workspace::kInsertItemCodeOffset);
  m.setColour(6);
  type(m, " Welcome!");
}

}  // namespace

class ScreenshotsTest : public QObject {
  Q_OBJECT

 private slots:
  void mainWindowAndSetupDialog();
};

void ScreenshotsTest::mainWindowAndSetupDialog() {
  const QString out = qEnvironmentVariable("VARNEL_SCREENSHOT_DIR");
  if (out.isEmpty()) QSKIP("VARNEL_SCREENSHOT_DIR is not set");
  QDir().mkpath(out);
  testing_support::TempDir dir;

  CVarnelApp app(dir.path());
  app.language().init();
  CSignSetupDialog setup(varnel_profile::SignSettings{}, app.language());
  setup.show();
  QTest::qWait(50);
  QVERIFY(setup.grab().save(out + "/varnel_setup.png"));

  app.state().sign.colourMode = 2;
  CMainFrame frame(app.language(), app.state());
  frame.resize(kScreenshotWidth, kScreenshotHeight);
  frame.show();
  writeMessages(frame.view()->model());
  frame.view()->setFocus();
  frame.view()->chooseColour(frame.view()->model().currentColour());
  QTest::qWait(50);
  QVERIFY(frame.grab().save(out + "/varnel_main.png"));
  frame.document().setModified(false);
}

QTEST_MAIN(ScreenshotsTest)
#include "screenshots_test.moc"
