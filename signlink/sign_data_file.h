#pragma once

#include <string>
#include <string_view>

#include "platform/local_clock.h"
#include "platform/status.h"

namespace signlink {

// A sign data file carries a stream by e-mail: "Z2500 series", "35", ten zero bytes, then the
// stream unchanged.
inline constexpr std::string_view kSignDataFileMagic = "Z2500 series";
inline constexpr size_t kSignDataFileHeaderSize = 24;

// The file's bytes for a stream.
std::string signDataFileBytes(std::string_view stream);

// The name a sign data file made at `t` gets: "Z2500%d%02d%02d%02d%02d%02d.bin".
std::string signDataFileName(const platform::LocalTime& t);

// Where sign data files to be mailed are made: $XDG_RUNTIME_DIR when set, else `dataDir`.
std::string signDataFileBase(const std::string& dataDir);

// Writes the stream as a sign data file named for `t`, in a new private directory (mode 0700,
// an unpredictable name) made under `directory` (when empty: $XDG_RUNTIME_DIR, else $TMPDIR, else
// /tmp), so no other user can pre-create, read or replace it. Returns the file's full path, or a
// kCannotWrite status whose message is the system's reason (then nothing is to be sent).
platform::Result<std::string> writeSignDataFile(std::string_view stream,
                                                const platform::LocalTime& t,
                                                const std::string& directory = {});

// Removes a file writeSignDataFile() made, and its private directory.
void removeSignDataFile(const std::string& path);

// The stream inside a sign data file's bytes. False when the bytes are shorter than the header or
// do not start with "Z2500 series".
bool signDataFileStream(std::string_view fileBytes, std::string_view* stream);

}  // namespace signlink
