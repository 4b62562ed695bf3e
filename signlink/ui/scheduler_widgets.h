#pragma once

#include <string>
#include <vector>

class QComboBox;
class QListWidget;
class QPushButton;
class QWidget;

// Small pieces the pages of "Scheduler and Special Functions" share.
namespace signlink::ui {

// A drop-down list of `texts` (Windows-1252) with control identifier `id`.
QComboBox* makeChoiceList(QWidget* parent, int id, const std::vector<std::string>& texts);
// Chooses entry `choice`; kNoChoice leaves the list without a chosen entry.
void setChoice(QComboBox* list, int choice);

// Replaces the entries of `list` with `texts` and selects entry `selection` (none when it is
// kNoChoice).
void fillList(QListWidget* list, const std::vector<std::string>& texts, int selection);
// The selected entry of a single-selection list; kNoChoice when none is selected.
int selectedRow(const QListWidget* list);

// The page's hidden "Transmit Setting" button of dialog `dialogNumber`.
QPushButton* makeHiddenTransmitButton(QWidget* page, int dialogNumber);

}  // namespace signlink::ui
