#include "app/ui/recent_files.h"

#include <algorithm>
#include <cstdio>

#include "app/startup_sequence.h"
#include "app/varnel_profile.h"

namespace app::ui {

std::vector<std::string> withRecentFile(std::vector<std::string> files, const std::string& path) {
  files.erase(std::remove(files.begin(), files.end(), path), files.end());
  files.insert(files.begin(), path);
  if (files.size() > static_cast<size_t>(kRecentFileCount)) files.resize(kRecentFileCount);
  return files;
}

bool writeRecentFiles(const platform::ProfileFile& profile, const std::vector<std::string>& files) {
  bool ok = true;
  for (int i = 0; i < kRecentFileCount; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "File%d", i + 1);
    const auto index = static_cast<size_t>(i);
    ok = (index < files.size()
              ? profile.writeString(varnel_profile::kSectionRecentFiles, key, files[index])
              : profile.removeKey(varnel_profile::kSectionRecentFiles, key))
             .ok() &&
         ok;
  }
  return ok;
}

}  // namespace app::ui
