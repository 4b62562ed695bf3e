#pragma once

// The layouts of the workspace file (*.SDV), shared by its writer and its readers. Not for use
// outside workspace/: callers go through workspace_file.h.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/byte_reader.h"
#include "workspace/message_model.h"

namespace workspace::sdv {

// Header: "KVXSDV%d.%d" without terminator, 9 bytes as written.
inline constexpr std::string_view kMagic = "KVXSDV";
inline constexpr size_t kHeaderSize = 9;
inline constexpr size_t kMajorOffset = 6;
inline constexpr size_t kMinorOffset = 8;
inline constexpr int kVersionMinorsPerMajor = 10;  // Version = major * 10 + minor.
inline constexpr int kWrittenMajor = 3;
inline constexpr int kWrittenMinor = 5;

// Version thresholds of the layouts.
inline constexpr int kLastRawVersion = 20;  // 20 and below: 1220-byte records, .ctl file.
inline constexpr int kFirstSignSettingsVersion =
    31;  // Width, colour mode, reserved, length-prefixed
         // path, 6-byte controls, scheduler block.
inline constexpr int kFirstPackedElementVersion = 33;  // 5-byte element records.
inline constexpr int kFirstLostSendListVersion = 32;   // 32 and 33 carried a send list that is
inline constexpr int kLastLostSendListVersion = 33;    // no longer read.

inline constexpr size_t kReservedSize = 10;
inline constexpr size_t kLegacyPathFieldSize = 100;  // Text ends at the first zero byte.

// Version 33 and later: count (4), file number (1), then 5-byte elements.
inline constexpr size_t kPackedLineHeaderSize = 5;
inline constexpr size_t kPackedElementSize = 5;

// 416-byte line record of versions 21 to 32.
inline constexpr size_t kRecord416Size = 416;
inline constexpr size_t kRecord416ElementSize = 4;  // code (signed byte), colour, font, kind
inline constexpr size_t kRecord416CountOffset = 400;
inline constexpr size_t kRecord416FileOffset = 404;

// 1220-byte line record of the raw layout.
inline constexpr size_t kRecord1220Size = 1220;
inline constexpr size_t kRecord1220ElementsOffset = 4;
inline constexpr size_t kRecord1220ElementSize = 12;
inline constexpr size_t kRecord1220ElementCodeOffset = 4;  // Within the element: 4 unused bytes,
                                                           // code (2), colour, font, kind.
inline constexpr size_t kRecord1220CountOffset = 1204;
inline constexpr size_t kRecord1220FileOffset = 1208;

// Control records: 6 bytes (line 16-bit, position 16-bit, type, value) from version 31 on,
// 4 bytes (one byte each) before and in the .ctl file.
inline constexpr size_t kControlRecordSize = 6;
inline constexpr size_t kLegacyControlRecordSize = 4;
// The 16-bit line index of a control record can name this many lines.
inline constexpr size_t kMaxStoredLines = size_t{UINT16_MAX} + 1;

inline constexpr size_t kTaskFileIndexSize = 4;

// What the first bytes of a file say.
struct Header {
  bool present = false;   // The first six bytes are "KVXSDV".
  bool complete = false;  // All nine header bytes are there.
  int version = 0;        // Major * 10 + minor; 0 without a header.
};

// Major is the decimal number at byte 6 and minor the one at byte 8 (their leading digits, within
// the nine header bytes; no digit counts as 0).
Header parseHeader(std::string_view bytes);

// The outcome of one layout reader.
enum class ReadOutcome { kOk, kCorrupt, kControlFileMissing };

// Readers fill a fresh Workspace; on any outcome but kOk its contents are unspecified.
// The raw layout starting at `dataStart` (0 without header, 9 with one); `controlFile` holds the
// .ctl file's bytes, nullopt when it does not exist.
ReadOutcome readRawLayout(std::string_view bytes, size_t dataStart,
                          const std::optional<std::string>& controlFile, Workspace* ws);
// Versions 21 to 35.
ReadOutcome readArchiveLayout(std::string_view bytes, int version, Workspace* ws);

// ---- Pieces shared by the readers.

// True when a stored line's element count and file number are within the model's ranges.
bool isValidLineHeader(int32_t count, int8_t fileNumber);

// The path of a fixed 100-byte path field: up to its first zero byte, as pathFromField() gives it.
std::string legacyPathText(std::string_view field);

// The Image Transfer File path is stored in Windows-1252 and kept in the model as file-system bytes
// (UTF-8): it is converted here, once, when a file is read and written. A character the field
// cannot hold is written as '?'.
std::string pathFromField(std::string_view stored);
std::string pathToField(std::string_view path);

// Adds a control read from a file to the list of its line. A control whose line index names no
// line, or whose position lies past the end of its line, has no place to stand: it is skipped, as
// it could never reach the sign.
void attachControl(size_t lineIndex, const AnchoredControl& control, Workspace* ws);

// Reads `count` control records of `recordSize` (6 or 4) bytes and attaches them. False when the
// records are not all there.
bool readControlRecords(platform::ByteReader& r, size_t count, size_t recordSize, Workspace* ws);

// The scheduler block. False when it ends early or holds a negative file count.
bool readSchedulerBlock(platform::ByteReader& r, SchedulerSettings* s);
void writeSchedulerBlock(const SchedulerSettings& s, std::string* out);

// A count read from a file, accepted only when that many records of `minRecordSize` bytes can
// still follow: nothing is ever reserved from a count the file cannot back.
bool isBackedCount(int32_t count, size_t minRecordSize, const platform::ByteReader& r);

}  // namespace workspace::sdv
