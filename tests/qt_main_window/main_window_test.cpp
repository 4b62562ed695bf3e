// varnel's main window driven from the keyboard and by the window manager's maximize and restore.

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <memory>

#include "app/ui/desktop_window.h"
#include "app/ui/main_frame.h"
#include "app/ui/varnel_app.h"
#include "app/ui/varnel_view.h"
#include "i18n/menu_texts.h"
#include "tests/qt_varnel/main_window_session.h"

using app::ui::CMainFrame;

namespace {

// A shown main window over a fresh data directory.
struct Session : varnel_testing::MainWindowSession {
  bool showActive() {
    frame->show();
    frame->activateWindow();
    return QTest::qWaitForWindowActive(frame.get());
  }
  int lineCount() const { return frame->document().lineCount(); }
};

void sendKey(QWidget* target, QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QKeyEvent event(type, key, modifiers);
  QApplication::sendEvent(target, &event);
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void undoAndRedoKeysWorkOnTheEditor();
  void f10OpensTheFirstMenu();
  void altAloneHighlightsTheMenuBar();
  void restoreKeepsTheFrameOnTheScreen();
};

void MainWindowTest::undoAndRedoKeysWorkOnTheEditor() {
  Session s;
  QWidget* view = s.frame->view();
  QTest::keyClicks(view, "AB");
  QTest::keyClick(view, Qt::Key_Return);
  QTest::keyClicks(view, "C");
  QCOMPARE(s.lineCount(), 2);
  const int menuEntries = static_cast<int>(s.frame->menuBar()->actions().size());
  QCOMPARE(menuEntries, static_cast<int>(i18n::mainMenuTemplate().items.size()));

  QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);  // "C"
  QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);  // Enter
  QCOMPARE(s.lineCount(), 1);
  QCOMPARE(s.frame->document().workspace().lines[0].count(), 2);
  QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(s.lineCount(), 2);
  QVERIFY(s.frame->document().isModified());

  // Ctrl+Y stays the editor's "delete line", not a redo.
  QTest::keyClick(view, Qt::Key_Y, Qt::ControlModifier);
  QCOMPARE(s.lineCount(), 1);
  QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(s.lineCount(), 2);
}

void MainWindowTest::f10OpensTheFirstMenu() {
  Session s;
  QVERIFY(s.showActive());
  QMenuBar* bar = s.frame->menuBar();
  QTest::keyClick(s.frame->view(), Qt::Key_F10);
  QAction* first = bar->actions().first();
  QTRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget*>(first->menu()));
  QCOMPARE(bar->activeAction(), first);
  QTest::keyClick(first->menu(), Qt::Key_Escape);
  QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
}

void MainWindowTest::altAloneHighlightsTheMenuBar() {
  Session s;
  QVERIFY(s.showActive());
  QWidget* view = s.frame->view();
  QMenuBar* bar = s.frame->menuBar();
  QCOMPARE(QApplication::focusWidget(), view);
  // As the window system delivers a tap of Alt: the shortcut check and the press carry the Alt
  // modifier, the release none.
  sendKey(view, QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
  sendKey(view, QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
  sendKey(view, QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
  QTRY_VERIFY(bar->hasFocus());
  QCOMPARE(bar->activeAction(), bar->actions().first());
  QVERIFY(QApplication::activePopupWidget() == nullptr);  // Highlighted, not yet open.
  QTest::keyClick(bar, Qt::Key_Down);
  QTRY_COMPARE(QApplication::activePopupWidget(),
               static_cast<QWidget*>(bar->actions().first()->menu()));
  QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
  QTest::keyClick(bar, Qt::Key_Escape);
  QTRY_COMPARE(QApplication::focusWidget(), view);
}

void MainWindowTest::restoreKeepsTheFrameOnTheScreen() {
  Session s;
  QScreen* screen = QGuiApplication::primaryScreen();
  QVERIFY(screen != nullptr);
  const QRect available = screen->availableGeometry();
  app::ui::showMaximizedOnScreen(s.frame.get(), screen);
  QVERIFY(QTest::qWaitForWindowExposed(s.frame.get()));
  QTRY_VERIFY(s.frame->isMaximized());
  QTRY_COMPARE(s.frame->frameGeometry(), available);

  s.frame->showNormal();
  QTRY_VERIFY(!s.frame->isMaximized());
  // The window system answers the restore later; the frame then leaves the screen's edges.
  QTRY_VERIFY(s.frame->frameGeometry() != available);
  const QRect frame = s.frame->frameGeometry();
  QVERIFY2(available.contains(frame), qPrintable(QStringLiteral("frame %1,%2 %3x%4")
                                                     .arg(frame.x())
                                                     .arg(frame.y())
                                                     .arg(frame.width())
                                                     .arg(frame.height())));
  // The title bar (the frame above the client area) is on the screen, and the window is smaller
  // than the screen, so it can be moved.
  QVERIFY(s.frame->geometry().top() >= frame.top());
  QVERIFY(frame.width() < available.width() && frame.height() < available.height());

  // Maximizing and restoring again comes back to the same normal placement.
  s.frame->showMaximized();
  QTRY_COMPARE(s.frame->frameGeometry(), available);
  s.frame->showNormal();
  QTRY_COMPARE(s.frame->frameGeometry(), frame);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
