// The raw layout: written by the oldest versions of the program, with or without a header.
//
//   [header, 9 bytes, when present]
//   Image Transfer File path, 100 bytes, text up to the first zero byte
//   line records, 1220 bytes each, as many as (file size - header) / 1220
// and beside it the control file (*.ctl): 4-byte control records up to its end.
//
// The line count comes from the file size with the path field included (a file of 2 * 1220 + 100
// bytes holds two lines); a file too short for the records that count promises is corrupt.

#include "workspace/sdv_format.h"

namespace workspace::sdv {
namespace {

// Reads one 1220-byte record (exactly kRecord1220Size bytes) into *line.
bool parseRecord1220(std::string_view record, MessageLine* line) {
  platform::ByteReader r(record);
  int32_t count = 0;
  if (!r.seek(kRecord1220CountOffset) || !r.readI32(&count) || !r.seek(kRecord1220FileOffset) ||
      !r.readI8(&line->fileNumber) || !isValidLineHeader(count, line->fileNumber)) {
    return false;
  }
  line->elements.resize(static_cast<size_t>(count));
  for (size_t i = 0; i < line->elements.size(); ++i) {
    LineElement& e = line->elements[i];
    if (!r.seek(kRecord1220ElementsOffset + i * kRecord1220ElementSize +
                kRecord1220ElementCodeOffset) ||
        !r.readI16(&e.code) || !r.readU8(&e.colour) || !r.readU8(&e.font) || !r.readU8(&e.kind)) {
      return false;
    }
  }
  return true;
}

}  // namespace

ReadOutcome readRawLayout(std::string_view bytes, size_t dataStart,
                          const std::optional<std::string>& controlFile, Workspace* ws) {
  platform::ByteReader r(bytes);
  std::string_view pathField;
  if (!r.seek(dataStart) || !r.readView(kLegacyPathFieldSize, &pathField)) {
    return ReadOutcome::kCorrupt;
  }
  ws->transferFilePath = legacyPathText(pathField);

  // Bounded by the file's size, so the reservation is never larger than the file.
  const size_t lineCount = (bytes.size() - dataStart) / kRecord1220Size;
  ws->lines.reserve(lineCount);
  for (size_t i = 0; i < lineCount; ++i) {
    std::string_view record;
    MessageLine line;
    if (!r.readView(kRecord1220Size, &record) || !parseRecord1220(record, &line)) {
      return ReadOutcome::kCorrupt;
    }
    ws->lines.push_back(std::move(line));
  }

  if (!controlFile) return ReadOutcome::kControlFileMissing;
  platform::ByteReader controls(*controlFile);
  const size_t controlCount = controlFile->size() / kLegacyControlRecordSize;
  if (!readControlRecords(controls, controlCount, kLegacyControlRecordSize, ws)) {
    return ReadOutcome::kCorrupt;
  }
  return ReadOutcome::kOk;
}

}  // namespace workspace::sdv
