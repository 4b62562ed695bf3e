#pragma once

#include <QList>
#include <QString>
#include <string>

// The programs keep text as Windows-1252 bytes; Qt shows Unicode. These convert texts (names,
// messages, language strings) between the two. Paths are file-system bytes, not texts: they cross
// with QFile::encodeName() and QFile::decodeName().
namespace platform::ui {

QString fromCp1252(const std::string& bytes);
// Characters Windows-1252 cannot hold become '?'.
std::string toCp1252(const QString& text);

}  // namespace platform::ui
