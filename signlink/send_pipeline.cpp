#include "signlink/send_pipeline.h"

#include <unistd.h>

#include "addressbook/sign_addresses.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "signlink/sign_data_file.h"
#include "signlink/stream_units.h"

namespace signlink {
namespace {

constexpr char kParityNone = 'N';
constexpr int kDataBits = 8;
constexpr int kStopBits = 1;

// Frames of a transfer go through the link object, which routes them by the link mode.
class LinkFrames final : public FrameLink {
 public:
  explicit LinkFrames(SignLink& link) : link_(link) {}
  LinkKind kind() const override {
    switch (link_.state().mode) {
      case kLinkTcp:
        return LinkKind::kTcp;
      case kLinkModem:
        return LinkKind::kModem;
      default:
        return LinkKind::kSerial;
    }
  }
  bool writeFrame(std::string_view frame) override {
    const platform::Status written = link_.write(frame);
    if (!written.ok()) lastError_ = written.message();
    return written.ok();
  }
  std::string lastWriteError() const override { return lastError_; }
  void close() override { link_.close(); }
  bool lost() const override { return !link_.serial().lineLost().empty(); }

 private:
  SignLink& link_;
  std::string lastError_;
};

std::string message(int id, const std::vector<i18n::FormatArg>& args = {}) {
  return i18n::formatText(i18n::text(id), args);
}

// True once the program is ending (Exit, a stop signal).
bool ending(const SendEnvironment& env) {
  return env.endRequested && env.endRequested();
}

// An error box, unless the program is ending: then nobody is there to answer it, and a modal box
// would hold the exit up until someone did.
void showError(SendEnvironment& env, const std::string& text) {
  if (!ending(env)) env.ui.showMessage(text, SendProgressUi::Icon::kError);
}

// The progress window as the mail transport is given it: boxes are left out once the program is
// ending, as the pipeline's own are.
class QuietWhenEnding final : public SendProgressUi {
 public:
  explicit QuietWhenEnding(SendEnvironment& env) : env_(env) {}
  void setProgressRange(int maximum) override { env_.ui.setProgressRange(maximum); }
  void setProgress(int position) override { env_.ui.setProgress(position); }
  void setStatus(const std::string& text) override { env_.ui.setStatus(text); }
  void setCommandLine(const std::string& text) override { env_.ui.setCommandLine(text); }
  void setDestinationLine(const std::string& text) override { env_.ui.setDestinationLine(text); }
  void setAddressLine(const std::string& text) override { env_.ui.setAddressLine(text); }
  void showMessage(const std::string& text, Icon icon) override {
    if (!ending(env_)) env_.ui.showMessage(text, icon);
  }
  void setWaitCursor(bool on) override { env_.ui.setWaitCursor(on); }
  void showDialUpWindow(bool visible) override { env_.ui.showDialUpWindow(visible); }

 private:
  SendEnvironment& env_;
};

// Sets the status line and shows the same text in an error box.
int failWith(SendEnvironment& env, const std::string& text) {
  env.ui.setStatus(text);
  showError(env, text);
  return -1;
}

int reportRemoved(SendEnvironment& env, const SendItem& item) {
  const int id = item.kind == kItemSiteRemoved    ? i18n::IDS_SITE_REMOVED
                 : item.kind == kItemGroupRemoved ? i18n::IDS_GROUP_REMOVED
                                                  : i18n::IDS_DEVICE_REMOVED;
  showError(env, message(id, {item.targetName}));
  return -1;
}

// Ends a modem call: through the dial-up logic when there is one, else by closing the port.
void hangUpModem(SendEnvironment& env) {
  if (env.dialer) {
    env.dialer->hangUp();
    return;
  }
  env.link.close();
  env.link.state() = LinkState{};
}

int sendByEmail(SendEnvironment& env, const SendItem& item, const std::string& stream) {
  const platform::LocalTime now = env.clock ? env.clock->now() : platform::SystemClock().now();
  const platform::Result<std::string> path = writeSignDataFile(stream, now, env.tempDir);
  if (!path.ok()) return failWith(env, message(i18n::IDS_SIGN_DATA_FILE_FAILED, {path.message()}));
  int result;
  if (!env.email) {
    result = failWith(env, message(i18n::IDS_EMAIL_NOT_AVAILABLE));
  } else {
    QuietWhenEnding ui(env);
    result = env.email->sendSignDataFile(*path, item, ui);
    if (result == 1) env.ui.setStatus(message(i18n::IDS_SEND_SUCCESSFULLY));
  }
  removeSignDataFile(*path);
  return result;
}

// Opens the item's link. 1 when it stands, -1 (reported) when not.
int openLink(SendEnvironment& env, const SendItem& item) {
  SignLink& link = env.link;
  switch (item.kind) {
    case kItemSerial:
      if (!link.isOpen() && link.open(nullptr, item.comPort, item.speedOrPort, kParityNone,
                                      kDataBits, kStopBits) != 1) {
        // A rate the port cannot run at exactly has its own text; nothing was written.
        const std::string& refusal = link.serial().openRefusal();
        return failWith(env, refusal.empty() ? message(i18n::IDS_SERIAL_PORT_INIT_ERROR) : refusal);
      }
      return 1;
    case kItemTcpIp: {
      const addressbook::CTcpIpGroup* group = env.book.findTcpIpGroup(item.targetName);
      if (!group || group->address.empty())
        return failWith(env, message(i18n::IDS_NEED_SIGN_IP_ADDRESS));
      if (!env.tcp) return failWith(env, message(i18n::IDS_TCP_IP_EMPTY));
      env.ui.setStatus(message(i18n::IDS_TCP_CONNECTING, {group->address}));
      std::string error;
      if (env.tcp->connect(group->address, static_cast<uint16_t>(item.speedOrPort), item.timeout,
                           &error) != 1) {
        return failWith(env, error);
      }
      link.setSocket(env.tcp);
      link.state().mode = kLinkTcp;
      return 1;
    }
    case kItemModem: {
      env.ui.showDialUpWindow(true);
      std::string error = message(i18n::IDS_DIAL_UP_ERROR);
      const int dialled = env.dialer
                              ? env.dialer->dial(item.targetName, item.phoneOrMailbox, item.comPort,
                                                 item.speedOrPort, item.timeout, &error)
                              : ModemDialer::kDialFailed;
      env.ui.showDialUpWindow(false);
      if (dialled != ModemDialer::kDialConnected) return failWith(env, error);
      return 1;
    }
    default:
      return -1;
  }
}

void closeAfterwards(SendEnvironment& env, const SendItem& item) {
  switch (item.kind) {
    case kItemModem:
      hangUpModem(env);
      break;
    default:  // serial port, or the TCP connection (link mode back to none)
      env.link.close();
      break;
  }
}

// What a transfer that could not write every frame reports; empty when every frame went out.
std::string unwrittenFramesText(const TransferReport& report) {
  if (report.framesFailed == 0) return {};
  if (report.framesFailed == report.frames) {
    return message(i18n::IDS_SEND_NO_FRAME_WRITTEN, {report.lastError});
  }
  return message(i18n::IDS_SEND_FRAMES_LOST,
                 {static_cast<long long>(report.framesFailed),
                  static_cast<long long>(report.frames), report.lastError});
}

bool isKnownKind(uint8_t kind) {
  return kind == kItemSerial || kind == kItemTcpIp || kind == kItemModem || kind == kItemEmail;
}

}  // namespace

std::string destinationLine(const SendItem& item) {
  switch (item.kind) {
    case kItemSerial:
      return message(i18n::IDS_DESTINATION_SERIAL, {static_cast<long long>(item.comPort)});
    case kItemTcpIp:
      return message(i18n::IDS_DESTINATION_TCP, {item.targetName});
    case kItemModem:
      return message(i18n::IDS_DESTINATION_MODEM, {item.targetName, item.phoneOrMailbox});
    case kItemEmail:
      return message(i18n::IDS_DESTINATION_EMAIL, {item.targetName});
    default:
      return {};
  }
}

int sendToDestination(SendEnvironment& env, const SendItem& item, const std::string& stream) {
  if (item.kind == kItemSiteRemoved || item.kind == kItemGroupRemoved ||
      item.kind == kItemDeviceRemoved) {
    return reportRemoved(env, item);
  }
  if (!isKnownKind(item.kind)) {
    return failWith(env, message(i18n::IDS_DEVICE_TYPE_UNKNOWN,
                                 {item.targetName, static_cast<long long>(item.kind)}));
  }
  SignLink& link = env.link;
  // A connection still up from before carries this destination too, whatever its kind.
  if (link.state().mode == kLinkNone) {
    if (item.kind == kItemEmail) return sendByEmail(env, item, stream);
    if (openLink(env, item) != 1) return -1;
  }
  if (link.state().mode == kLinkModem && !link.carrierPresent()) {
    failWith(env, message(i18n::IDS_MODEM_LINE_LOST));
    hangUpModem(env);
    return -1;
  }

  env.ui.setWaitCursor(true);
  int result = 1;
  const StreamUnits read = readStream(stream);
  LinkFrames frames(link);
  TransferReport report;
  TransferOptions options;
  options.report = &report;
  options.stopRequested = env.endRequested;
  if (!read.complete || !transfer(read.units, frames, env.ui, env.pump, options)) result = -1;
  const std::string lineLost = frames.lost() ? link.serial().lineLost() : std::string();
  closeAfterwards(env, item);
  // A serial or modem transfer goes on past a failed frame, but the sign did not get it all.
  const std::string unwritten = unwrittenFramesText(report);
  env.ui.setWaitCursor(false);
  if (!lineLost.empty()) {
    // The device itself is gone: say so first, then how much of the transfer it missed.
    result = failWith(env, message(i18n::IDS_SERIAL_LINE_LOST, {lineLost}) + "\r" + unwritten);
  } else if (result == 1 && !unwritten.empty()) {
    result = failWith(env, unwritten);
  }
  env.ui.setStatus(message(result == -1 ? i18n::IDS_SEND_FAILED : i18n::IDS_SEND_SUCCESSFULLY));
  return result;
}

SendSummary runSendCommand(SendEnvironment& env, SendCommand command, const SendChoice& choice) {
  const std::vector<SendItem> items = expandChoice(env.book, choice);
  SendSummary summary;
  summary.destinations = static_cast<int>(items.size());
  const int lineId = command == SendCommand::kClearMemory ? i18n::IDS_SENDING_CLEAR_MEMORY
                                                          : i18n::IDS_SENDING_FILE;
  for (size_t n = 0; n < items.size(); ++n) {
    const SendItem& item = items[n];
    summary.results.push_back({item, 0});
    if (env.stopRequested && env.stopRequested()) continue;
    const platform::Result<SignStream> built =
        env.buildStream(addressbook::expandSignAddresses(item.signAddresses));
    env.ui.setCommandLine(
        message(lineId, {static_cast<long long>(n + 1), static_cast<long long>(items.size())}));
    env.ui.setDestinationLine(command == SendCommand::kClearMemory ? std::string()
                                                                   : destinationLine(item));
    env.ui.setAddressLine(message(i18n::IDS_DESTINATION_ADDRESSES, {item.signAddresses}));
    const int result =
        built.ok() ? sendToDestination(env, item, built->stream) : failWith(env, built.message());
    summary.results.back().result = result;
    if (result == 1) ++summary.succeeded;
    // A program that is ending sends nothing more: no pause before the next destination.
    if (!ending(env)) platform::pauseWithDispatch(env.pump, kBetweenDestinationsPauseMs);
    env.ui.setProgress(0);
  }
  return summary;
}

}  // namespace signlink

namespace signlink {

std::string sendResultsText(const SendSummary& summary) {
  std::string text = message(
      i18n::IDS_SEND_RESULTS,
      {static_cast<long long>(summary.succeeded), static_cast<long long>(summary.destinations)});
  const auto total = static_cast<long long>(summary.results.size());
  long long position = 0;
  for (const DestinationResult& r : summary.results) {
    const int outcome = r.result == 1   ? i18n::IDS_SEND_SUCCESSFULLY
                        : r.result == 0 ? i18n::IDS_SEND_STOPPED
                                        : i18n::IDS_SEND_FAILED;
    std::string where = destinationLine(r.item);
    if (where.empty()) where = r.item.targetName;
    text += '\r';
    text += message(i18n::IDS_SEND_RESULT_LINE,
                    {++position, total, where, r.item.signAddresses, message(outcome)});
  }
  return text;
}

}  // namespace signlink
