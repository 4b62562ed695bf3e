#pragma once

#include <QList>
#include <QString>
#include <string>

// The programs keep text as Windows-1252 bytes; Qt shows Unicode. These are the only crossings.
namespace platform::ui {

QString fromCp1252(const std::string& bytes);
// Characters Windows-1252 cannot hold become '?'.
std::string toCp1252(const QString& text);

}  // namespace platform::ui
