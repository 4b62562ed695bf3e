#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>

#include "addressbook/address_book.h"
#include "tests/qt_varnel/modal_script.h"

class QListWidget;
class QPushButton;

// Shared by the address-book dialog tests: a small book and the steps that answer the dialogs
// and message boxes a command opens.
namespace site_dialogs_test {

using Step = std::function<void(QWidget*)>;

// Devices of each type (Net: TCP/IP, Dial: modem, Mail: e-mail, Port: serial, the default),
// TCP/IP groups North and South, mailbox Office, sites Depot (Net, North), Farm (Dial) and Shed
// (Port), and group All of Depot and Farm.
addressbook::CAddressBook sampleBook();

// What a message box showed.
struct BoxSeen {
  QString text;
  QString title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int count = 0;
};

// Records the message box in *seen and presses `button`.
Step answerBox(BoxSeen* seen, QMessageBox::StandardButton button = QMessageBox::Ok);

// Runs `fn` on the dialog, cast to D.
template <class D>
Step on(std::function<void(D*)> fn) {
  return [fn](QWidget* w) {
    auto* dialog = qobject_cast<D*>(w);
    if (dialog != nullptr) fn(dialog);
  };
}

// Types `text` into the name-entry dialog and presses OK.
Step enterName(const QString& text);
// Records the window's caption in *caption and presses Cancel.
Step cancelNoting(QString* caption);

// The dialog's push button with control identifier `id`.
QPushButton* button(QWidget* dialog, int id);
// Presses the dialog's OK button.
void pressOk(QWidget* dialog);

// The texts of a list's entries.
QStringList entries(const QListWidget* list);

// Counts the calls of a dialog's bookChanged.
struct ChangeCounter {
  int calls = 0;
  std::function<void()> callback() {
    return [this] { ++calls; };
  }
};

}  // namespace site_dialogs_test
