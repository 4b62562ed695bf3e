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

bool transfer(std::vector<TransmissionUnit> units, FrameLink& link, TransferObserver& observer,
              platform::MessagePump& pump, const TransferOptions& options) {
  observer.setProgressRange(static_cast<int>(totalBytes(units) % kProgressModulus));
  observer.setProgress(0);
  const size_t frames = frameCount(units, kFrameSize);
  const bool pauseAfterFrame = link.kind() != LinkKind::kSerial;
  size_t frameNumber = 0;
  int progress = 0;
  for (auto& unit : units) {
    if (options.beforeUnit) options.beforeUnit(unit);
    std::string label = progressLabel(unit.label);
    if (!label.empty()) label += " ";
    for (size_t at = 0; at < unit.bytes.size(); at += kFrameSize) {
      const std::string_view frame =
          std::string_view(unit.bytes).substr(at, std::min(kFrameSize, unit.bytes.size() - at));
      ++frameNumber;
      observer.setStatus(i18n::formatText(
          i18n::text(i18n::IDS_SENDING_FRAME),
          {label, static_cast<long long>(frameNumber), static_cast<long long>(frames)}));
      progress += static_cast<int>(frame.size());
      observer.setProgress(progress);
      if (!link.writeFrame(frame) && (link.kind() == LinkKind::kTcp || link.lost())) {
        link.close();
        return false;
      }
      if (pauseAfterFrame) platform::pauseWithDispatch(pump, kFramePauseMs);
    }
    platform::pauseWithDispatch(pump, unitPauseMs(unit.label));
  }
  return true;
}

}  // namespace signlink
