#pragma once

#include <string>
#include <string_view>

#include "platform/local_clock.h"

namespace signlink {

// A sign data file carries a stream by e-mail: "Z2500 series", "35", ten zero bytes, then the
// stream unchanged.
inline constexpr std::string_view kSignDataFileMagic = "Z2500 series";
inline constexpr size_t kSignDataFileHeaderSize = 24;

// The file's bytes for a stream.
std::string signDataFileBytes(std::string_view stream);

// The name a sign data file made at `t` gets: "Z2500%d%02d%02d%02d%02d%02d.bin".
std::string signDataFileName(const platform::LocalTime& t);

// Writes the stream as a sign data file named for `t` in `directory` (the temporary directory
// when empty: $TMPDIR, else /tmp). Returns the full path, or an empty string when the file
// cannot be created (then nothing is to be sent).
std::string writeSignDataFile(std::string_view stream, const platform::LocalTime& t,
                              const std::string& directory = {});

// The stream inside a sign data file's bytes. False when the bytes are shorter than the header or
// do not start with "Z2500 series".
bool signDataFileStream(std::string_view fileBytes, std::string_view* stream);

}  // namespace signlink
