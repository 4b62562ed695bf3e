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

bool SignLink::write(std::string_view bytes, std::string* error) {
  if (state_.mode == kLinkTcp) {
    if (socket_ == nullptr) {
      state_.mode = kLinkNone;
      return false;
    }
    const bool ok = socket_->send(bytes, error);
    if (!socket_->isOpen()) state_.mode = kLinkNone;
    return ok;
  }
  return serial_.write(bytes, error);
}

bool SignLink::readPending(std::string* error) {
  if (state_.mode == kLinkTcp) {
    if (socket_ == nullptr) {
      state_.mode = kLinkNone;
      return false;
    }
    const bool ok = socket_->readPending(error);
    if (!socket_->isOpen()) state_.mode = kLinkNone;
    return ok;
  }
  std::string received;
  if (!serial_.readPending(&received, error)) return false;
  if (!received.empty() && state_.modemListening && listener_ != nullptr) {
    listener_->receivedBytes(received);
  }
  return true;
}

bool SignLink::carrierPresent() const {
  return state_.mode == kLinkModem && serial_.isOpen() && serial_.carrierDetect();
}

}  // namespace signlink
