#include "receiver/ui/tray_icon.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

#include "receiver/ui/window_texts.h"

namespace receiver::ui {

CTrayIcon::CTrayIcon(const QIcon& icon, const QString& toolTip, QObject* parent)
    : QObject(parent),
      menu_(new QMenu),
      show_(menu_->addAction(QString::fromLatin1(texts::kShowMe))),
      hide_(menu_->addAction(QString::fromLatin1(texts::kHideMe))),
      exit_([this] {
        menu_->addSeparator();
        return menu_->addAction(QString::fromLatin1(texts::kExit));
      }()),
      icon_(icon) {
  icon_.setToolTip(toolTip);
  menu_->setDefaultAction(show_);
  icon_.setContextMenu(menu_);
  connect(show_, &QAction::triggered, this, &CTrayIcon::showRequested);
  connect(hide_, &QAction::triggered, this, &CTrayIcon::hideRequested);
  connect(exit_, &QAction::triggered, this, &CTrayIcon::exitRequested);
  connect(&icon_, &QSystemTrayIcon::activated, this, &CTrayIcon::onActivated);
}

CTrayIcon::~CTrayIcon() {
  icon_.hide();
  delete menu_;
}

void CTrayIcon::add() {
  icon_.show();
}

void CTrayIcon::remove() {
  icon_.hide();
}

void CTrayIcon::setIcon(const QIcon& icon) {
  icon_.setIcon(icon);
}

void CTrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::DoubleClick:
      emit showRequested();
      break;
    case QSystemTrayIcon::Trigger:
      // The right button opens the context menu by itself; the left one does it here.
      menu_->popup(QCursor::pos(), show_);
      break;
    default:
      break;
  }
}

}  // namespace receiver::ui
