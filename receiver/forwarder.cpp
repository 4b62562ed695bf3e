#include "receiver/forwarder.h"

#include <algorithm>

#include "i18n/text_format.h"
#include "receiver/receiver_texts.h"
#include "receiver/serial_frame_link.h"
#include "signlink/sign_data_file.h"
#include "signlink/transfer.h"

namespace receiver {

namespace {

constexpr char kTimeUnitLabel[] = "8";
// Weekday, time format, then six two-digit fields.
constexpr size_t kTimeFieldBytes = 2 + 6 * 2;

void putTwoDigits(std::string& bytes, size_t at, int value) {
  bytes[at] = static_cast<char>('0' + value / 10 % 10);
  bytes[at + 1] = static_cast<char>('0' + value % 10);
}

// Shows the transfer in the receiver's own words. The transfer announces each frame with one
// status text just before writing it; the receiver numbers the frames instead.
class ForwardObserver final : public signlink::TransferObserver {
 public:
  ForwardObserver(ReceiverStatus& status, size_t frames) : status_(status), frames_(frames) {}
  void setProgressRange(int maximum) override { status_.setProgressRange(maximum); }
  void setProgress(int position) override { status_.setProgress(position); }
  void setStatus(const std::string&) override {
    ++frame_;
    status_.showStatus(i18n::formatText(
        texts::kSendingFrame, {static_cast<long long>(frame_), static_cast<long long>(frames_)}));
  }

 private:
  ReceiverStatus& status_;
  const size_t frames_;  // Frames of the whole file.
  size_t frame_ = 0;     // Frames announced so far.
};

int fail(ForwardContext& context, std::string text, std::string* resultText) {
  context.status.showStatus(text);
  *resultText = std::move(text);
  platform::pauseWithDispatch(context.pump, kForwardFailurePauseMs);
  return -1;
}

}  // namespace

bool stampForwardingTime(signlink::TransmissionUnit* unit, const platform::LocalTime& t) {
  if (unit->label != kTimeUnitLabel || unit->timeOffset < 0) return false;
  const size_t at = static_cast<size_t>(unit->timeOffset);
  if (at > unit->bytes.size() || unit->bytes.size() - at < kTimeFieldBytes) return false;
  std::string& b = unit->bytes;
  b[at] = static_cast<char>(t.weekday);
  putTwoDigits(b, at + 2, t.year % 100);
  putTwoDigits(b, at + 4, t.month);
  putTwoDigits(b, at + 6, t.day);
  putTwoDigits(b, at + 8, t.hour);
  putTwoDigits(b, at + 10, t.minute);
  putTwoDigits(b, at + 12, t.second);
  return true;
}

int forwardOneFile(const ForwardItem& item, ForwardContext& context, std::string* resultText) {
  const std::string name = logSafeText(item.fileName);  // The results go to the send log.
  SerialFrameLink link;
  platform::SerialSettings settings;
  settings.baud = kForwardBaud;
  if (!link.open(context.profilePath, context.comPort, settings)) {
    return fail(
        context,
        i18n::formatText(texts::kPortFailed, {static_cast<long long>(context.comPort), name}),
        resultText);
  }

  std::string_view stream;
  const bool signData = signlink::signDataFileStream(item.bytes, &stream);
  signlink::StreamSummary summary;
  if (signData) summary = signlink::summarizeStream(stream, signlink::kFrameSize);
  if (!signData || !summary.complete || summary.pauseMs > kMaxForwardPauseMs) {
    link.close();
    return fail(context, i18n::formatText(texts::kInvalidFile, {name}), resultText);
  }

  ForwardObserver observer(context.status, summary.frames);
  signlink::TransferOptions options;
  options.beforeUnit = [&context](signlink::TransmissionUnit& unit) {
    stampForwardingTime(&unit, context.clock.now());
  };
  options.stopRequested = context.stopRequested;
  // Write failures on a serial line are passed over: the sign may still take the rest.
  const bool sent = signlink::transferStream(stream, link, observer, context.pump, options);
  link.close();
  if (!sent && context.stopRequested && context.stopRequested()) {
    *resultText = i18n::formatText(texts::kSendStopped, {name});
    context.status.showStatus(*resultText);
    return -1;
  }

  *resultText = i18n::formatText(texts::kSent, {name});
  context.status.setProgress(0);
  context.status.showStatus(*resultText);
  return 1;
}

void forwardQueue(std::vector<ForwardItem>* queue, ForwardContext& context,
                  const ReceiverLog& log) {
  std::vector<ForwardItem> items = std::move(*queue);
  queue->clear();
  std::stable_sort(items.begin(), items.end(), [](const ForwardItem& a, const ForwardItem& b) {
    return a.fileName < b.fileName;  // char_traits<char> compares as unsigned bytes.
  });
  for (const ForwardItem& item : items) {
    if (context.stopRequested && context.stopRequested()) return;
    std::string result;
    forwardOneFile(item, context, &result);
    log.appendSend(result);
  }
}

}  // namespace receiver
