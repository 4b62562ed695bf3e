#include "signlink/modem_dialer.h"

#include <algorithm>
#include <cctype>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"

namespace signlink {
namespace {

// The number as it goes into the dial command. Control characters are dropped: a carriage return
// typed into the number would otherwise end the command early and start another.
std::string dialString(std::string_view phoneNumber) {
  std::string out;
  for (char c : phoneNumber) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u != 0x7F) out.push_back(c);
  }
  return out;
}

bool isBlank(std::string_view line) {
  return std::all_of(line.begin(), line.end(),
                     [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; });
}

}  // namespace

int ModemDialer::dial(const std::string& modemName, const std::string& phoneNumber, int comPort,
                      int baud, int timeoutSeconds, std::string* errorText) {
  LinkState& state = link_.state();
  if (state.modemListening) {
    view_.showMessageBox(i18n::text(i18n::IDS_CAPTION_WARNING), i18n::text(i18n::IDS_DIALING_WAIT),
                         DialUpView::Icon::kInformation);
    if (errorText != nullptr) *errorText = i18n::text(i18n::IDS_DIALING_WAIT);
    return kDialAlreadyRunning;
  }
  view_.showDialledNumber(phoneNumber);
  state.modemListening = true;
  view_.setStatusLine(i18n::text(i18n::IDS_DIALING_WAIT));
  replyBuffer_.clear();
  lastReply_ = kModemReplyNone;

  const int result = runDialogue(modemName, phoneNumber, comPort, baud, timeoutSeconds);
  std::string message;
  if (result < 0) {
    state.modemListening = false;
    if (result == kDialTimedOut) {
      message = i18n::formatText(i18n::text(i18n::IDS_DIAL_TIMED_OUT),
                                 {static_cast<long long>(timeoutSeconds)});
    } else if (result == kDialStopped) {
      message = i18n::text(i18n::IDS_DIAL_CANCELLED);
    } else if (result == kDialPortError) {
      message = i18n::text(i18n::IDS_SERIAL_PORT_INIT_ERROR);
    } else {
      message = i18n::text(i18n::IDS_DIAL_UP_ERROR);
    }
  } else {
    platform::pauseWithDispatch(pump_, kConnectedPauseMs);
    message = i18n::text(i18n::IDS_MODEM_CONNECTED);
  }
  if (errorText != nullptr) *errorText = message;
  return result;
}

int ModemDialer::runDialogue(const std::string& modemName, const std::string& phoneNumber,
                             int comPort, int baud, int timeoutSeconds) {
  int port = comPort;
  if (!modemName.empty()) {
    port = lookup_ ? lookup_(modemName) : 0;
    if (port < 1) {
      view_.showMessageBox(i18n::text(i18n::IDS_CAPTION_ERROR),
                           i18n::text(i18n::IDS_MODEM_PORT_ERROR), DialUpView::Icon::kError);
      return kDialFailed;
    }
  }
  if (link_.open(this, port, baud, 'N', 8, 1) == 0) return kDialPortError;

  sendCommand(kEchoOffCommand);
  platform::pauseWithDispatch(pump_, kCommandPauseMs);
  sendCommand(kSetupCommand);
  platform::pauseWithDispatch(pump_, kCommandPauseMs);
  sendCommand("ATDT" + dialString(phoneNumber) + "\r");
  platform::pauseWithDispatch(pump_, kCommandPauseMs);
  return waitForCall(timeoutSeconds);
}

int ModemDialer::waitForCall(int timeoutSeconds) {
  LinkState& state = link_.state();
  const uint64_t start = pump_.tickMs();
  const uint64_t limit = static_cast<uint64_t>(std::max(timeoutSeconds, 0)) * 1000u;
  for (;;) {
    pump_.dispatch(kPollMs);
    // A cancel while dispatching has already closed the port; reading it would only fail.
    if (dialAbandoned()) {
      link_.close();
      return kDialEnded;
    }
    // Before the time-out: a stopping pump's clock has jumped past it.
    if (stopRequested()) {
      abandonDial();
      return kDialStopped;
    }
    if (pump_.tickMs() - start >= limit) {
      state.mode = kLinkNone;
      state.modemListening = false;
      link_.close();
      view_.setStatusLine(i18n::formatText(i18n::text(i18n::IDS_DIAL_TIMED_OUT),
                                           {static_cast<long long>(timeoutSeconds)}));
      return kDialTimedOut;
    }
    const platform::Status read = link_.readPending();
    if (!read.ok()) {
      view_.setStatusLine(
          i18n::formatText(i18n::text(i18n::IDS_MODEM_RECEIVE_ERROR), {read.message()}));
      link_.close();
      return kDialFailed;
    }
    if (state.mode == kLinkModem) return kDialConnected;
    if (dialAbandoned()) {
      link_.close();
      return kDialEnded;
    }
  }
}

bool ModemDialer::dialAbandoned() const {
  const LinkState& state = link_.state();
  return state.mode == kLinkNone && !state.modemListening;
}

void ModemDialer::sendCommand(std::string_view command) {
  lastReply_ = kModemReplyNone;
  link_.write(command);  // A failed write shows as the modem's silence: the dial times out.
}

void ModemDialer::receivedBytes(std::string_view bytes) {
  replyBuffer_.append(bytes);
  for (size_t end = replyBuffer_.find('\r'); end != std::string::npos;
       end = replyBuffer_.find('\r')) {
    const std::string line = replyBuffer_.substr(0, end);
    replyBuffer_.erase(0, end + 1);
    if (!isBlank(line)) handleReply(classifyModemReply(line));
  }
  if (replyBuffer_.size() > kMaxReplyBytes) {
    replyBuffer_.erase(0, replyBuffer_.size() - kMaxReplyBytes);
  }
}

void ModemDialer::handleReply(ModemReplyCode code) {
  LinkState& state = link_.state();
  lastReply_ = code;
  if (code == kModemReplyConnect) {
    state.mode = kLinkModem;
    state.modemListening = false;
  } else if (modemReplyEndsDial(code)) {
    state.mode = kLinkNone;
    state.modemListening = false;
  }
  view_.setStatusLine(i18n::text(modemReplyStatusTextId(code)));
}

void ModemDialer::hangUp() {
  LinkState& state = link_.state();
  if (state.mode != kLinkModem) return;
  // A program that is ending does not wait out the guard times: closing the port drops the line
  // (DTR) whether or not the modem took the escape.
  const bool ending = stopRequested();
  platform::pauseWithDispatch(pump_, ending ? 0 : kGuardTimeMs);
  link_.write(kEscapeSequence);
  platform::pauseWithDispatch(pump_, ending ? 0 : kGuardTimeMs);
  link_.write(kHangUpCommand);
  platform::pauseWithDispatch(pump_, ending ? 0 : kCommandPauseMs);
  link_.close();
  state.mode = kLinkNone;
  state.modemListening = false;
  view_.setStatusLine(i18n::text(i18n::IDS_MODEM_DISCONNECTED));
}

void ModemDialer::cancel() {
  LinkState& state = link_.state();
  if (!(state.modemListening && state.mode == kLinkNone)) {
    view_.hide();
    return;
  }
  abandonDial();
}

void ModemDialer::abandonDial() {
  LinkState& state = link_.state();
  platform::pauseWithDispatch(pump_, kCancelPauseMs);
  link_.write(kHangUpCommand);
  platform::pauseWithDispatch(pump_, kCommandPauseMs);
  view_.setStatusLine(i18n::text(i18n::IDS_DIAL_CANCELLED));
  state.mode = kLinkNone;
  state.modemListening = false;
  link_.close();
}

std::string ModemDialer::openingStatusText() const {
  return i18n::text(link_.state().mode == kLinkModem ? i18n::IDS_MODEM_CONNECTED
                                                     : i18n::IDS_MODEM_DISCONNECTED);
}

}  // namespace signlink
