#pragma once

#include <QString>
#include <functional>

class QWidget;

// Saves a shown widget under a name; false when it could not be written.
using SaveShot = std::function<bool(QWidget&, const char*)>;

// Device Parameters for a TCP/IP device and the mail server dialog, filled as an operator fills
// them.
bool deviceDialogShots(const SaveShot& save);
