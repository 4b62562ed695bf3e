#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/status.h"
#include "signlink/link_mode.h"
#include "signlink/serial_side.h"

namespace signlink {

// Receives what a modem sends while a dial waits for its replies (the dial-up logic).
class ModemReplyListener {
 public:
  virtual ~ModemReplyListener() = default;
  // Called from SignLink::readPending with the bytes just read (never empty).
  virtual void receivedBytes(std::string_view bytes) = 0;
};

// The TCP side of the link. The link object routes writes and reads here while the link mode is
// kLinkTcp; connecting is done on the concrete object, after which the caller sets kLinkTcp.
class LinkSocket {
 public:
  virtual ~LinkSocket() = default;
  // Sends all of `bytes`; kFailed with the user's text on failure. A socket that closed itself
  // because the peer went away reports isOpen() false afterwards.
  virtual platform::Status send(std::string_view bytes) = 0;
  // Reads and discards whatever the peer sent; kFailed with the user's text on failure.
  virtual platform::Status readPending() = 0;
  // Closes the connection; harmless when none is open.
  virtual void close() = 0;
  virtual bool isOpen() const = 0;
};

// The one place through which varnel talks to a sign or a modem: a serial port, and while the link
// mode says so, a TCP connection. It also keeps the program-wide link state (link mode and the
// modem-listening flag). Used from the user-interface thread only.
class SignLink {
 public:
  // How the warning of a failed port set-up step is shown: caption "Application Error", the text
  // built by SerialSide::open. Without a presenter the warning is only kept in serial().
  using WarningPresenter = std::function<void(const std::string& caption, const std::string& text)>;

  // `profilePath` maps COM numbers to devices (platform/com_ports.h).
  explicit SignLink(std::string profilePath) : serial_(std::move(profilePath)) {}
  SignLink(const SignLink&) = delete;
  SignLink& operator=(const SignLink&) = delete;

  LinkState& state() { return state_; }
  const LinkState& state() const { return state_; }

  void setWarningPresenter(WarningPresenter presenter) { presenter_ = std::move(presenter); }

  // The TCP side; not owned, must outlive this object or be reset to nullptr first.
  void setSocket(LinkSocket* socket) { socket_ = socket; }
  LinkSocket* socket() const { return socket_; }

  // Opens COM `portNumber` (closing whatever was open first, a TCP connection included). While
  // modem listening is set, `listener` receives what readPending reads; otherwise it is not kept.
  // Returns 1 when the port opened (also when a set-up step failed: the warning is then presented),
  // 0 when it could not be opened (nothing is shown; the caller reports).
  int open(ModemReplyListener* listener, int portNumber, int baud, char parity = 'N',
           int dataBits = 8, int stopBits = 1);

  // Closes the serial port, and the TCP connection when the link mode is kLinkTcp (the link mode
  // then returns to kLinkNone). Always succeeds.
  void close();

  // True between a successful open and the next close of the serial port.
  bool isOpen() const { return serial_.isOpen(); }
  int portNumber() const { return serial_.portNumber(); }

  // Writes one frame: to the socket when the link mode is kLinkTcp, else to the serial port (see
  // SerialSide::write: synchronous, nothing earlier is discarded). A socket that closes on failure
  // leaves the link mode at kLinkNone; with no socket installed the failure has no text.
  platform::Status write(std::string_view bytes);

  // Takes what has arrived: from the socket when the link mode is kLinkTcp (discarded), else from
  // the serial port, handed to the listener while modem listening is set (otherwise discarded).
  // Success also when nothing was waiting.
  platform::Status readPending();

  // True when a modem line is connected (link mode kLinkModem) and its carrier is on. Whatever
  // the lines say, false in any other link mode.
  bool carrierPresent() const;

  SerialSide& serial() { return serial_; }

 private:
  SerialSide serial_;                       // The serial port.
  LinkState state_;                         // Program-wide link mode and modem listening.
  ModemReplyListener* listener_ = nullptr;  // Dial-up logic waiting for replies; not owned.
  LinkSocket* socket_ = nullptr;            // TCP side; not owned.
  WarningPresenter presenter_;              // Shows the set-up warning, if set.
};

}  // namespace signlink
