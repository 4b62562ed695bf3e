#pragma once

#include <QString>

class QWidget;

// Shared by the screenshot program's files.

// Shows `widget`, waits for it to be painted and saves it as <out>/<name>.png.
bool save(QWidget& widget, const QString& out, const char* name);

// The address book's dialogs: Site Settings and Site parameters.
bool addressBookDialogs(const QString& out);

// Device Parameters for a TCP/IP device and the mail server dialog, filled as an operator fills
// them.
bool deviceDialogs(const QString& out);

// The Bitmap Image Catalog window and the User-Defined Bitmaps insert dialog.
bool bitmapDialogs(const QString& out);

// varnel with its live preview beside the virtual sign playing the same message, as one picture.
bool varnelBesideTheVirtualSign(const QString& out);

// The bitmap editor on a bi-colour sign with a drawn image.
bool bitmapEditorShot(const QString& out);
