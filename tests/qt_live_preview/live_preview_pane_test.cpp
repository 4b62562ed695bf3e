// varnel's live sign preview driven as the operator drives the editor: what is typed shows on the
// pane's LEDs, in its colours, on an empty and on a full workspace.

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTest>

#include "app/ui/live_preview_pane.h"
#include "app/ui/main_frame.h"
#include "app/ui/varnel_app.h"
#include "app/ui/varnel_view.h"
#include "tests/qt_varnel/main_window_session.h"
#include "virtualsign/ui/led_board_view.h"
#include "workspace/sign_tables.h"

using app::ui::CMainFrame;
using app::ui::LivePreviewPane;

namespace {

constexpr int kImmediate = 2;  // The transition effect that shows a line at once.
constexpr int kGreen = 6;

int litColumns(const virtualsign::LedStrip& frame) {
  int lit = 0;
  for (int x = 0; x < frame.width(); ++x) {
    bool any = false;
    for (int y = 0; y < virtualsign::kSignRows; ++y)
      any = any || frame.at(x, y) != 0;
    lit += any;
  }
  return lit;
}

// Pixels of the pane's board that show a lit green LED.
int greenPixels(const LivePreviewPane& pane) {
  const QImage image = pane.board()->grab().toImage();
  int green = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      green += c.green() > 120 && c.red() < 60;
    }
  }
  return green;
}

// varnel's main window on a fresh data directory, shown, with its preview pane.
struct Varnel : varnel_testing::MainWindowSession {
  explicit Varnel(int colourMode = 1)
      : MainWindowSession(
            [colourMode](app::AppState& state) { state.sign.colourMode = colourMode; }) {
    frame->resize(1000, 560);
    frame->show();
    pane = frame->findChild<LivePreviewPane*>();
  }
  LivePreviewPane* pane = nullptr;
};

}  // namespace

class LivePreviewPaneTest : public QObject {
  Q_OBJECT

 private slots:
  void typingChangesTheFrames();
  void aColourShowsInThePanesPixels();
  void emptyAndFullWorkspacesPlay();
  void f5ShowsAndHidesThePane();
};

void LivePreviewPaneTest::typingChangesTheFrames() {
  Varnel v;
  QVERIFY(v.pane != nullptr);
  QVERIFY(QTest::qWaitForWindowExposed(v.frame.get()));
  QVERIFY(v.pane->isVisible());
  v.frame->view()->model().insertControl(workspace::kControlTransition, kImmediate);
  QTest::keyClicks(v.frame->view(), "AB");
  QTRY_VERIFY(litColumns(v.pane->board()->frame()) > 0);
  const int before = litColumns(v.pane->board()->frame());
  QTest::keyClicks(v.frame->view(), "CDE");
  QTRY_VERIFY(litColumns(v.pane->board()->frame()) > before);
  QCOMPARE(v.pane->preview().message(), 1);
}

void LivePreviewPaneTest::aColourShowsInThePanesPixels() {
  Varnel v(workspace::kTriColourMode);
  QVERIFY(QTest::qWaitForWindowExposed(v.frame.get()));
  v.frame->view()->model().insertControl(workspace::kControlTransition, kImmediate);
  QTest::keyClicks(v.frame->view(), "RED ");
  v.pane->refresh();
  QCOMPARE(greenPixels(*v.pane), 0);
  v.frame->view()->chooseColour(kGreen);
  QTest::keyClicks(v.frame->view(), "GO");
  QTRY_VERIFY(greenPixels(*v.pane) > 0);
}

void LivePreviewPaneTest::emptyAndFullWorkspacesPlay() {
  Varnel v;
  v.pane->refresh();
  for (int i = 0; i < 50; ++i)
    v.pane->advance(100);
  QCOMPARE(v.pane->preview().message(), 0);
  QCOMPARE(litColumns(v.pane->board()->frame()), 0);

  workspace::EditorModel& model = v.frame->view()->model();
  for (int message = 1; message <= workspace::kMaxMessages; ++message) {
    if (message > 1) model.newMessage();
    for (char c : std::to_string(message))
      model.typeCharacter(c);
  }
  v.pane->refresh();
  QCOMPARE(v.pane->preview().message(), workspace::kMaxMessages);  // Where the caret is.
  QCOMPARE(v.pane->findChild<QLabel*>()->text(), QStringLiteral("Msg 99"));
  for (int i = 0; i < 50; ++i)
    v.pane->advance(1000);
  QVERIFY(v.pane->preview().message() != workspace::kMaxMessages);
}

void LivePreviewPaneTest::f5ShowsAndHidesThePane() {
  Varnel v;
  QApplication::setActiveWindow(v.frame.get());
  QVERIFY(QTest::qWaitForWindowActive(v.frame.get()));
  QTest::keyClick(v.frame->view(), Qt::Key_F5);
  QVERIFY(!v.pane->isVisible());
  QTest::keyClicks(v.frame->view(), "A");  // Edited while hidden: followed when shown.
  QTest::qWait(LivePreviewPane::kSettleMs * 2);
  QTest::keyClick(v.frame->view(), Qt::Key_F5);
  QVERIFY(v.pane->isVisible());
  QCOMPARE(v.pane->preview().sign().state.messages.size(), size_t{1});
}

QTEST_MAIN(LivePreviewPaneTest)
#include "live_preview_pane_test.moc"
