#pragma once

#include <string>

#include "platform/profile_file.h"

// varnel's profile: "varnel.ini" in the data directory, sections and keys as the program has always
// kept them.
namespace varnel_profile {

inline constexpr char kFileName[] = "varnel.ini";

inline constexpr char kSectionSendInfo[] = "SendInfo";
inline constexpr char kSectionDevice[] = "Device";
inline constexpr char kSectionVarnel[] = "Varnel";
inline constexpr char kSectionRecentFiles[] = "Recent File List";
inline constexpr char kSectionPorts[] = "Ports";

inline constexpr char kKeySignWidth[] = "MovingSignOption";
inline constexpr char kKeyColourMode[] = "IsSingleColor";
inline constexpr int kDefaultSignWidth = 80;
inline constexpr int kDefaultColourMode = 1;  // "Monochrome"

// The profile file of the data directory `dataDir`.
platform::ProfileFile open(const std::string& dataDir);

// The sign's configured width ("MovingSignOption", default 80; values of 0 or less read as the
// default) and colour mode ("IsSingleColor": 1 "Monochrome", 2 "Bi-Color"; others read as 1).
struct SignSettings {
  int width = kDefaultSignWidth;
  int colourMode = kDefaultColourMode;
};
SignSettings readSignSettings(const platform::ProfileFile& profile);

}  // namespace varnel_profile
