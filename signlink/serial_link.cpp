#include "signlink/serial_link.h"

#include "i18n/string_ids.h"
#include "i18n/string_table.h"

namespace signlink {

int SignLink::open(ModemReplyListener* listener, int portNumber, int baud, char parity,
                   int dataBits, int stopBits) {
  close();
  listener_ = state_.modemListening ? listener : nullptr;
  if (serial_.open(portNumber, baud, parity, dataBits, stopBits) == 0) return 0;
  if (!serial_.setupWarning().empty() && presenter_) {
    presenter_(i18n::text(i18n::IDS_CAPTION_APPLICATION_ERROR), serial_.setupWarning());
  }
  return 1;
}

void SignLink::close() {
  serial_.close();
  if (state_.mode == kLinkTcp) {
    if (socket_ != nullptr) socket_->close();
    state_.mode = kLinkNone;
  }
}

platform::Status SignLink::write(std::string_view bytes) {
  if (state_.mode == kLinkTcp) {
    if (socket_ == nullptr) {
      state_.mode = kLinkNone;
      return platform::Status::failed({});
    }
    platform::Status sent = socket_->send(bytes);
    if (!socket_->isOpen()) state_.mode = kLinkNone;
    return sent;
  }
  return serial_.write(bytes);
}

platform::Status SignLink::readPending() {
  if (state_.mode == kLinkTcp) {
    if (socket_ == nullptr) {
      state_.mode = kLinkNone;
      return platform::Status::failed({});
    }
    platform::Status read = socket_->readPending();
    if (!socket_->isOpen()) state_.mode = kLinkNone;
    return read;
  }
  const platform::Result<std::string> received = serial_.readPending();
  if (!received.ok()) return received.status();
  if (!received->empty() && state_.modemListening && listener_ != nullptr) {
    listener_->receivedBytes(*received);
  }
  return platform::Status::success();
}

bool SignLink::carrierPresent() const {
  return state_.mode == kLinkModem && serial_.isOpen() && serial_.carrierDetect();
}

}  // namespace signlink
