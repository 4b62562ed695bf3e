// Writing workspace files: always version 3.5.
//
//   "KVXSDV3.5", sign width (4), colour mode (4), 10 zero bytes,
//   Image Transfer File path (length-prefixed), line count (4),
//   per line: element count (4), file number (1), elements of 5 bytes (code 2, colour, font, kind),
//   control count (4), controls of 6 bytes (line index 2, position 2, type, value),
//   the scheduler block.

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "platform/atomic_file.h"
#include "platform/byte_reader.h"
#include "workspace/sdv_format.h"
#include "workspace/workspace_file.h"

namespace workspace {

std::string storableWorkspaceFault(const Workspace& ws) {
  if (ws.signWidth <= 0) return "the sign width must be above 0";
  if (ws.colourMode != kSingleColourMode && ws.colourMode != kTriColourMode)
    return "the colour mode must be 1 or 2";
  if (ws.lines.size() > sdv::kMaxStoredLines) {
    return std::to_string(ws.lines.size()) + " lines; at most " +
           std::to_string(sdv::kMaxStoredLines) + " can be stored";
  }
  for (size_t i = 0; i < ws.lines.size(); ++i) {
    const MessageLine& line = ws.lines[i];
    const std::string where = "line " + std::to_string(i + 1) + ": ";
    if (line.count() > kMaxElementsPerLine) {
      return where + std::to_string(line.count()) + " items; at most " +
             std::to_string(kMaxElementsPerLine) + " fit on a line";
    }
    if (!sdv::isValidLineHeader(line.count(), line.fileNumber))
      return where + "file number " + std::to_string(line.fileNumber) + " is not 1-99";
    for (const AnchoredControl& c : line.controls) {
      if (c.position > line.count()) return where + "a control stands past the line's end";
    }
  }
  return {};
}

bool isStorableWorkspace(const Workspace& ws) {
  return storableWorkspaceFault(ws).empty();
}

std::string serializeWorkspace(const Workspace& ws) {
  std::string out;
  platform::ByteWriter w(&out);
  w.bytes(sdv::kMagic);
  w.u8(static_cast<uint8_t>('0' + sdv::kWrittenMajor));
  w.u8('.');
  w.u8(static_cast<uint8_t>('0' + sdv::kWrittenMinor));
  w.i32(ws.signWidth);
  w.i32(ws.colourMode);
  w.zeros(sdv::kReservedSize);
  w.lengthPrefixed(sdv::pathToField(ws.transferFilePath));

  w.i32(static_cast<int32_t>(ws.lines.size()));
  size_t controlCount = 0;
  for (const MessageLine& line : ws.lines) {
    w.i32(line.count());
    w.u8(static_cast<uint8_t>(line.fileNumber));
    for (const LineElement& e : line.elements) {
      w.i16(e.code);
      w.u8(e.colour);
      w.u8(e.font);
      w.u8(e.kind);
    }
    controlCount += line.controls.size();
  }

  w.i32(static_cast<int32_t>(controlCount));
  for (size_t i = 0; i < ws.lines.size(); ++i) {
    for (const AnchoredControl& c : ws.lines[i].controls) {
      w.u16(static_cast<uint16_t>(i));
      w.u16(c.position);
      w.u8(static_cast<uint8_t>(c.type));
      w.u8(c.value);
    }
  }
  sdv::writeSchedulerBlock(ws.scheduler, &out);
  return out;
}

platform::Status saveWorkspaceFile(const std::string& path, const Workspace& ws) {
  // A workspace the reader would refuse is not written: the user would lose the file's old
  // contents for one that cannot be opened again.
  const std::string fault = storableWorkspaceFault(ws);
  if (!fault.empty()) {
    return platform::Status::cannotWrite(i18n::text(i18n::IDS_ERROR_CREATE_FILE), fault);
  }
  const platform::Status written =
      platform::writeFileAtomic(path, serializeWorkspace(ws), platform::kDataFileMode);
  if (!written.ok()) {
    return platform::Status::cannotWrite(i18n::text(i18n::IDS_ERROR_CREATE_FILE),
                                         written.message());
  }
  return platform::Status::success();
}

}  // namespace workspace
