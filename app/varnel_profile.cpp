#include "app/varnel_profile.h"

#include "platform/data_dir.h"

namespace varnel_profile {

platform::ProfileFile open(const std::string& dataDir) {
  return platform::ProfileFile(platform::joinPath(dataDir, kFileName));
}

SignSettings readSignSettings(const platform::ProfileFile& profile) {
  SignSettings s;
  const int width = profile.readInt(kSectionVarnel, kKeySignWidth, kDefaultSignWidth);
  if (width > 0) s.width = width;
  const int mode = profile.readInt(kSectionVarnel, kKeyColourMode, kDefaultColourMode);
  s.colourMode = mode == 2 ? 2 : kDefaultColourMode;
  return s;
}

}  // namespace varnel_profile
