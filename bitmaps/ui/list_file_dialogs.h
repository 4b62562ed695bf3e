#pragma once

#include <QString>
#include <string>

class QWidget;

// The file dialogs of Image Transfer Files (list files, *.LST), shared by the catalog window and
// the editor view's "Load File".
namespace bitmaps::ui {

// An open-file dialog for an existing list file; empty when cancelled.
QString chooseListFileToOpen(QWidget* parent);
// A save-file dialog for a list file (it asks before overwriting); empty when cancelled.
QString chooseListFileToSave(QWidget* parent);
// `path` with ".LST" appended when it has no extension.
QString withListFileSuffix(const QString& path);
// The path as the file system names it.
std::string listFileLocalPath(const QString& path);

}  // namespace bitmaps::ui
