#include "modal_script.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

constexpr int kPollMs = 10;

}  // namespace

ModalScript::ModalScript() {
  timer_.setInterval(kPollMs);
  connect(&timer_, &QTimer::timeout, this, &ModalScript::poll);
  timer_.start();
}

ModalScript& ModalScript::then(std::function<void(QWidget*)> step) {
  steps_.push_back(std::move(step));
  return *this;
}

void ModalScript::poll() {
  QWidget* window = QApplication::activeModalWidget();
  if (window == nullptr || !window->isVisible() || steps_.empty()) {
    if (window == nullptr) last_ = nullptr;
    return;
  }
  if (window == last_) return;
  last_ = window;
  auto step = std::move(steps_.front());
  steps_.pop_front();
  // Run outside the timer's own event: a step may open the next modal window, whose event loop
  // must see this timer again.
  QPointer<QWidget> target = window;
  QTimer::singleShot(0, this, [step = std::move(step), target] {
    if (target) step(target);
  });
}

std::function<void(QWidget*)> ModalScript::accept() {
  return [](QWidget* w) {
    if (auto* box = qobject_cast<QMessageBox*>(w)) {
      box->defaultButton() ? box->defaultButton()->click() : box->accept();
    } else if (auto* dialog = qobject_cast<QDialog*>(w)) {
      dialog->accept();
    }
  };
}

std::function<void(QWidget*)> ModalScript::reject() {
  return [](QWidget* w) {
    if (auto* dialog = qobject_cast<QDialog*>(w)) dialog->reject();
  };
}

std::function<void(QWidget*)> ModalScript::answer(int button, QString* text) {
  return [button, text](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    if (box == nullptr) return;
    if (text != nullptr) *text = box->text();
    if (QAbstractButton* b = box->button(static_cast<QMessageBox::StandardButton>(button))) {
      b->click();
    }
  };
}

QString messageBoxText(QWidget* window) {
  auto* box = qobject_cast<QMessageBox*>(window);
  return box ? box->text() : QString();
}
