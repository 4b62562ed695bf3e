#include "app/ui/desktop_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QProxyStyle>
#include <QScreen>
#include <QShortcut>
#include <QStyleFactory>
#include <algorithm>

namespace app::ui {
namespace {

// The window's own style, but with the menu bar taking Alt alone as a desktop program's does.
class AltKeyMenuStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_MenuBar_AltKeyNavigation) return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

// The share of the available area a restored main window takes, centred: the margins hold the
// window manager's frame on any screen the window fits.
constexpr int kNormalShareNumerator = 4;
constexpr int kNormalShareDenominator = 5;

}  // namespace

void enableKeyboardMenus(QMainWindow* window) {
  QMenuBar* bar = window->menuBar();
  // The bar keeps the look of the application's style (a copy of it, which the proxy owns).
  auto* style = new AltKeyMenuStyle(QStyleFactory::create(QApplication::style()->name()));
  style->setParent(bar);
  bar->setStyle(style);
  auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
  QObject::connect(f10, &QShortcut::activated, bar, [bar] {
    for (QAction* action : bar->actions()) {
      if (action->isVisible() && action->isEnabled() && !action->isSeparator()) {
        bar->setActiveAction(action);
        return;
      }
    }
  });
}

void showMaximizedOnScreen(QMainWindow* window, QScreen* screen) {
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    // move() places the frame and resize() sizes the client area; mixing them up with
    // setGeometry(available) would put the client area at the screen's corner and the title bar
    // above it.
    const QRect available = screen->availableGeometry();
    const QSize minimum = window->minimumSizeHint().expandedTo(window->minimumSize());
    const QSize size =
        (available.size() * kNormalShareNumerator / kNormalShareDenominator).expandedTo(minimum);
    const QPoint corner(available.left() + std::max(0, (available.width() - size.width()) / 2),
                        available.top() + std::max(0, (available.height() - size.height()) / 2));
    window->resize(size);
    window->move(corner);
  }
  window->showMaximized();
}

}  // namespace app::ui
