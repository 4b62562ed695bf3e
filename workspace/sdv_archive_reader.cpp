// The archive layouts, versions 21 to 35:
//
//   header "KVXSDV%d.%d", 9 bytes
//   from 31: sign width (4), colour mode (4), 10 reserved bytes
//   Image Transfer File path: from 31 length-prefixed, before a 100-byte field
//   line count (4), then the lines: from 33 count (4), file number (1), 5-byte elements;
//     before 33 a 416-byte record each
//   control count (4), then the controls: from 31 6 bytes each, before 4 bytes each
//   from 31: the scheduler block
//
// Anything after the last field is not read (versions 32 and 33 kept a send list there).

#include "workspace/sdv_format.h"

namespace workspace::sdv {
namespace {

// Reads one 416-byte record (exactly kRecord416Size bytes) into *line.
bool parseRecord416(std::string_view record, MessageLine* line) {
  platform::ByteReader r(record);
  int32_t count = 0;
  if (!r.seek(kRecord416CountOffset) || !r.readI32(&count) || !r.seek(kRecord416FileOffset) ||
      !r.readI8(&line->fileNumber) || !isValidLineHeader(count, line->fileNumber)) {
    return false;
  }
  line->elements.resize(static_cast<size_t>(count));
  if (!r.seek(0)) return false;
  for (LineElement& e : line->elements) {
    int8_t code = 0;  // Stored as one signed byte and widened with its sign.
    if (!r.readI8(&code) || !r.readU8(&e.colour) || !r.readU8(&e.font) || !r.readU8(&e.kind)) {
      return false;
    }
    e.code = code;
  }
  return true;
}

bool readPackedLine(platform::ByteReader& r, MessageLine* line) {
  int32_t count = 0;
  if (!r.readI32(&count) || !r.readI8(&line->fileNumber) ||
      !isValidLineHeader(count, line->fileNumber) || !isBackedCount(count, kPackedElementSize, r)) {
    return false;
  }
  line->elements.resize(static_cast<size_t>(count));
  for (LineElement& e : line->elements) {
    if (!r.readI16(&e.code) || !r.readU8(&e.colour) || !r.readU8(&e.font) || !r.readU8(&e.kind)) {
      return false;
    }
  }
  return true;
}

bool readSignSettings(platform::ByteReader& r, Workspace* ws) {
  // A width of 0 or less and an unknown colour mode are never written; everything that builds
  // images or streams for the sign relies on them being sound.
  return r.readI32(&ws->signWidth) && r.readI32(&ws->colourMode) && r.skip(kReservedSize) &&
         ws->signWidth > 0 &&
         (ws->colourMode == kSingleColourMode || ws->colourMode == kTriColourMode);
}

bool readLines(platform::ByteReader& r, int version, Workspace* ws) {
  const bool packed = version >= kFirstPackedElementVersion;
  int32_t lineCount = 0;
  if (!r.readI32(&lineCount) ||
      !isBackedCount(lineCount, packed ? kPackedLineHeaderSize : kRecord416Size, r)) {
    return false;
  }
  ws->lines.reserve(static_cast<size_t>(lineCount));
  for (int32_t i = 0; i < lineCount; ++i) {
    MessageLine line;
    if (packed) {
      if (!readPackedLine(r, &line)) return false;
    } else {
      std::string_view record;
      if (!r.readView(kRecord416Size, &record) || !parseRecord416(record, &line)) return false;
    }
    ws->lines.push_back(std::move(line));
  }
  return true;
}

}  // namespace

ReadOutcome readArchiveLayout(std::string_view bytes, int version, Workspace* ws) {
  platform::ByteReader r(bytes);
  if (!r.skip(kHeaderSize)) return ReadOutcome::kCorrupt;
  const bool hasSignSettings = version >= kFirstSignSettingsVersion;
  if (hasSignSettings) {
    std::string pathField;
    if (!readSignSettings(r, ws) || !r.readLengthPrefixed(&pathField)) {
      return ReadOutcome::kCorrupt;
    }
    ws->transferFilePath = pathFromField(pathField);
  } else {
    std::string_view pathField;
    if (!r.readView(kLegacyPathFieldSize, &pathField)) return ReadOutcome::kCorrupt;
    ws->transferFilePath = legacyPathText(pathField);
  }
  if (!readLines(r, version, ws)) return ReadOutcome::kCorrupt;

  const size_t recordSize = hasSignSettings ? kControlRecordSize : kLegacyControlRecordSize;
  int32_t controlCount = 0;
  if (!r.readI32(&controlCount) || !isBackedCount(controlCount, recordSize, r) ||
      !readControlRecords(r, static_cast<size_t>(controlCount), recordSize, ws)) {
    return ReadOutcome::kCorrupt;
  }
  if (hasSignSettings && !readSchedulerBlock(r, &ws->scheduler)) return ReadOutcome::kCorrupt;
  return ReadOutcome::kOk;
}

}  // namespace workspace::sdv
