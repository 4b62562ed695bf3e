#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>

class QWidget;

// Answers the modal windows a test opens, one step per window in the order they appear: each
// step runs on the next modal window that becomes active (a window that comes back after another
// one closed counts as appearing again).
class ModalScript : public QObject {
 public:
  ModalScript();

  // Adds a step for the next modal window.
  ModalScript& then(std::function<void(QWidget*)> step);
  // Steps not yet run.
  size_t pending() const { return steps_.size(); }

  // Common steps.
  static std::function<void(QWidget*)> accept();
  static std::function<void(QWidget*)> reject();
  // Records a message box's text in *text, then presses `button` (a QMessageBox::StandardButton).
  static std::function<void(QWidget*)> answer(int button, QString* text = nullptr);

 private:
  void poll();

  QTimer timer_;
  std::deque<std::function<void(QWidget*)>> steps_;
  QPointer<QWidget> last_;  // The window the last step ran on.
};

// The text of a message box; empty for other windows.
QString messageBoxText(QWidget* window);
