#include "signlink/transfer.h"

#include <algorithm>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"

namespace signlink {

// The progress bar's range is 16 bits wide.
constexpr size_t kProgressModulus = 65536;

std::string progressLabel(const std::string& unitLabel) {
  if (unitLabel == "1") return i18n::text(i18n::IDS_PROGRESS_TEXT_DATA);
  if (unitLabel == "2") return i18n::text(i18n::IDS_PROGRESS_IMAGE_DATA);
  if (unitLabel == "8") return i18n::text(i18n::IDS_PROGRESS_TIME_DATA);
  if (unitLabel == "100") return i18n::text(i18n::IDS_PROGRESS_CLEAR_DATA);
  return {};
}

int unitPauseMs(const std::string& unitLabel) {
  if (unitLabel == "1" || unitLabel == "100") return kTextUnitPauseMs;
  if (unitLabel == "2") return kImageUnitPauseMs;
  return kOtherUnitPauseMs;
}

namespace {

// One transfer under way: where it writes and how far it has come.
struct Sending {
  FrameLink& link;
  TransferObserver& observer;
  platform::MessagePump& pump;
  const TransferOptions& options;
  size_t frames = 0;  // Frames of the whole transfer.
  TransferReport& report;
  size_t frameNumber = 0;
  int progress = 0;

  bool stopped() const { return options.stopRequested && options.stopRequested(); }
  void start(size_t bytes) {
    observer.setProgressRange(static_cast<int>(bytes % kProgressModulus));
    observer.setProgress(0);
    report = TransferReport{};
    report.frames = frames;
  }
  // Sends one unit and its pause; false when the transfer must end.
  bool send(TransmissionUnit& unit);
};

bool Sending::send(TransmissionUnit& unit) {
  if (unit.bytes.empty()) return true;
  if (options.beforeUnit) options.beforeUnit(unit);
  std::string label = progressLabel(unit.label);
  if (!label.empty()) label += " ";
  const bool pauseAfterFrame = link.kind() != LinkKind::kSerial;
  for (size_t at = 0; at < unit.bytes.size(); at += kFrameSize) {
    if (stopped()) return false;
    const std::string_view frame =
        std::string_view(unit.bytes).substr(at, std::min(kFrameSize, unit.bytes.size() - at));
    ++frameNumber;
    observer.setStatus(i18n::formatText(
        i18n::text(i18n::IDS_SENDING_FRAME),
        {label, static_cast<long long>(frameNumber), static_cast<long long>(frames)}));
    progress += static_cast<int>(frame.size());
    observer.setProgress(progress);
    if (!link.writeFrame(frame)) {
      ++report.framesFailed;
      report.lastError = link.lastWriteError();
      if (link.kind() == LinkKind::kTcp || link.lost()) {
        report.framesFailed += frames - frameNumber;  // the frames never tried
        link.close();
        return false;
      }
    }
    if (pauseAfterFrame) platform::pauseWithDispatch(pump, kFramePauseMs);
  }
  if (stopped()) return false;
  platform::pauseWithDispatch(pump, unitPauseMs(unit.label));
  return true;
}

}  // namespace

bool transfer(std::vector<TransmissionUnit> units, FrameLink& link, TransferObserver& observer,
              platform::MessagePump& pump, const TransferOptions& options) {
  TransferReport unused;
  Sending sending{link,
                  observer,
                  pump,
                  options,
                  frameCount(units, kFrameSize),
                  options.report ? *options.report : unused};
  sending.start(totalBytes(units));
  for (auto& unit : units)
    if (!sending.send(unit)) return false;
  return true;
}

bool transferStream(std::string_view stream, FrameLink& link, TransferObserver& observer,
                    platform::MessagePump& pump, const TransferOptions& options) {
  const StreamSummary summary = summarizeStream(stream, kFrameSize);
  if (!summary.complete) return false;
  TransferReport unused;
  Sending sending{link,    observer,       pump,
                  options, summary.frames, options.report ? *options.report : unused};
  sending.start(summary.bytes);
  StreamUnitReader reader(stream);
  TransmissionUnit unit;
  while (reader.next(&unit))
    if (!sending.send(unit)) return false;
  return true;
}

}  // namespace signlink
