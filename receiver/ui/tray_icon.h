#pragma once

#include <QObject>
#include <QSystemTrayIcon>

class QAction;
class QMenu;

namespace receiver::ui {

// The icon in the notification area with its menu "Show Me" (the default), "Hide Me", "Exit". A
// click on the icon opens the menu at the cursor, a double click means "Show Me". The owner
// connects the three signals.
class CTrayIcon final : public QObject {
  Q_OBJECT

 public:
  CTrayIcon(const QIcon& icon, const QString& toolTip, QObject* parent = nullptr);
  ~CTrayIcon() override;

  // Puts the icon up, or takes it down (at exit).
  void add();
  void remove();
  void setIcon(const QIcon& icon);

  QMenu* menu() const { return menu_; }
  QAction* showAction() const { return show_; }
  QAction* hideAction() const { return hide_; }
  QAction* exitAction() const { return exit_; }
  QString toolTip() const { return icon_.toolTip(); }
  bool isShown() const { return icon_.isVisible(); }

 signals:
  void showRequested();
  void hideRequested();
  void exitRequested();

 private slots:
  void onActivated(QSystemTrayIcon::ActivationReason reason);

 private:
  QMenu* const menu_;  // Owned here: a tray menu has no parent widget.
  QAction* const show_;
  QAction* const hide_;
  QAction* const exit_;
  QSystemTrayIcon icon_;
};

}  // namespace receiver::ui
