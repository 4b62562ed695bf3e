#pragma once

#include <functional>
#include <vector>

class QDialog;
class QListWidget;
class QPushButton;
class QWidget;

namespace addressbook::ui {

// One button of a list dialog: its control identifier in the dialog's template and what it does.
struct ListButton {
  int id;
  std::function<void()> action;
};

// Lays out a list dialog of the address book (devices, mail servers, mailboxes, sites, groups,
// TCP/IP groups): the label, the list and an optional widget below them on the left; on the right
// a column of the template's buttons in the given order, none of them pressed by Enter. With a
// `closeId`, that button ends the column apart from the others: Enter presses it and it closes
// the dialog as accepted. Returns the buttons made, in the order given, the close button last.
std::vector<QPushButton*> layOutListDialog(QDialog* dialog, int dialogNumber, QWidget* label,
                                           QListWidget* list,
                                           const std::vector<ListButton>& buttons,
                                           QWidget* below = nullptr, int closeId = 0);

}  // namespace addressbook::ui
