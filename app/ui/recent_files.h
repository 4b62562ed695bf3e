#pragma once

#include <string>
#include <vector>

#include "platform/profile_file.h"

// The File menu's list of the most recently used workspace files ("Recent File List" of the
// profile, "File1" to "File4").
namespace app::ui {

// `files` with `path` moved (or added) to the front, at most kRecentFileCount entries.
std::vector<std::string> withRecentFile(std::vector<std::string> files, const std::string& path);

// Writes the list as "File1".."File4"; keys past its end are removed. False when a write failed.
bool writeRecentFiles(const platform::ProfileFile& profile, const std::vector<std::string>& files);

}  // namespace app::ui
