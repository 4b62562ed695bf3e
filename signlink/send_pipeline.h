#pragma once

#include <functional>
#include <string>
#include <vector>

#include "addressbook/address_book.h"
#include "platform/local_clock.h"
#include "platform/message_pump.h"
#include "signlink/modem_dialer.h"
#include "signlink/send_item.h"
#include "signlink/serial_link.h"
#include "signlink/sign_stream.h"
#include "signlink/tcp_link.h"
#include "signlink/transfer.h"

namespace signlink {

// The three transmit commands of the "Send" menu.
enum class SendCommand { kWorkspace, kTest, kClearMemory };

// The progress window of a send: three text lines, the status line and the progress bar (the
// last two through TransferObserver), plus the modal message boxes and the wait cursor.
class SendProgressUi : public TransferObserver {
 public:
  enum class Icon { kInformation, kError };
  virtual void setCommandLine(const std::string& text) = 0;      // "Is sending ... (%d/%d)"
  virtual void setDestinationLine(const std::string& text) = 0;  // "COM port:COM%d", ...
  virtual void setAddressLine(const std::string& text) = 0;      // "To:%s addr."
  // A modal message box with the caption "Warning!"; the send waits until it is closed.
  virtual void showMessage(const std::string& text, Icon icon) = 0;
  virtual void setWaitCursor(bool on) = 0;
  // Shows or hides the dial-up window around a dial.
  virtual void showDialUpWindow(bool visible) = 0;
};

// Sends a sign data file by e-mail to an item's mailbox (the mail transport). Returns 1 on
// success, a negative value on failure, having set the status line and shown its messages.
class EmailSender {
 public:
  virtual ~EmailSender() = default;
  virtual int sendSignDataFile(const std::string& path, const SendItem& item,
                               SendProgressUi& ui) = 0;
};

// Builds the command's stream for one destination's expanded sign addresses.
using StreamBuilder =
    std::function<platform::Result<SignStream>(const std::vector<uint8_t>& addresses)>;

// Everything a send works with. What every send needs is given to the constructor; the parts
// only some destinations need are set afterwards, and a destination whose part is missing fails
// with a message. Everything referred to must outlive the send.
struct SendEnvironment {
  SendEnvironment(const addressbook::CAddressBook& theBook, SignLink& theLink,
                  platform::MessagePump& thePump, SendProgressUi& theUi, StreamBuilder builder)
      : book(theBook), link(theLink), pump(thePump), ui(theUi), buildStream(std::move(builder)) {}

  const addressbook::CAddressBook& book;
  SignLink& link;  // Serial side, link state, TCP routing.
  platform::MessagePump& pump;
  SendProgressUi& ui;
  StreamBuilder buildStream;  // May be replaced between commands.

  // Optional parts.
  TcpLinkSocket* tcp = nullptr;   // The TCP side installed in `link`; null: TCP/IP items fail.
  ModemDialer* dialer = nullptr;  // Dial-up logic; null: modem items fail.
  EmailSender* email = nullptr;   // Mail transport; null: e-mail items fail with a message.
  const platform::LocalClock* clock = nullptr;  // Names the sign data files of e-mail items.
  std::string tempDir;  // Where those files go (see writeSignDataFile; signDataFileBase()).
  // Asked before each destination; once it returns true, the remaining destinations are not sent.
  std::function<bool()> stopRequested;
  // Asked before every frame and pause of a transfer: once it returns true the transfer under way
  // fails at once (the program is ending); see TransferOptions::stopRequested. Failures are then
  // only put on the status line: no error box waits for an answer.
  std::function<bool()> endRequested;
};

// Pause between two destinations.
inline constexpr int kBetweenDestinationsPauseMs = 1000;

// Sends `stream` to one destination: reports removed records, opens the item's link (unless a
// lasting connection is still up), transfers, closes, and sets the status line to "send
// successfully," or "send failed,". Returns 1 on success, -1 on failure, or the e-mail sender's
// result for an e-mail item.
int sendToDestination(SendEnvironment& env, const SendItem& item, const std::string& stream);

// The outcome of one destination of a command.
struct DestinationResult {
  SendItem item;
  int result = 0;  // 1 sent, negative failed, 0 not tried (the send was stopped before it)
};

struct SendSummary {
  int destinations = 0;
  int succeeded = 0;
  std::vector<DestinationResult> results;  // One per destination, in order.
  bool allSucceeded() const { return destinations > 0 && succeeded == destinations; }
};

// The plain report of a finished command: "Sent to %d of %d destinations:" and one line per
// destination with its place, destination line, sign addresses and outcome.
std::string sendResultsText(const SendSummary& summary);

// Runs a command for a chosen site or group: for each destination in order, builds its stream,
// fills the progress lines, sends, and pauses 1000 ms with the progress bar reset.
SendSummary runSendCommand(SendEnvironment& env, SendCommand command, const SendChoice& choice);

// The progress window's destination line for an item (empty for removed records).
std::string destinationLine(const SendItem& item);

}  // namespace signlink
