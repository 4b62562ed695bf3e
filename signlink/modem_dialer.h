#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/message_pump.h"
#include "signlink/modem_reply.h"
#include "signlink/serial_link.h"

namespace signlink {

// What the dial-up window shows while a modem dials. The window itself belongs to the GUI; the
// command-line tool and tests use their own implementations.
class DialUpView {
 public:
  enum class Icon { kInformation, kError };

  virtual ~DialUpView() = default;
  // The window's status line ("Connect Status:\r..." and the like).
  virtual void setStatusLine(const std::string& text) = 0;
  // The number being dialled becomes the only, selected entry of the number box, which is disabled.
  virtual void showDialledNumber(const std::string& number) = 0;
  // A modal message box.
  virtual void showMessageBox(const std::string& caption, const std::string& text, Icon icon) = 0;
  // Hides the window (its "Close" button when no dial is running).
  virtual void hide() = 0;
};

// The COM number of an installed modem by name, less than 1 when there is none (ModemList).
using ModemPortLookup = std::function<int(const std::string& modemName)>;

// The dial-up logic: dials a sign's phone number with a Hayes-command modem on the serial side of
// the link, classifies the modem's replies, waits for the call with a time-out, and hangs up or
// cancels. It sets the link mode to kLinkModem once the modem reports a connection; from then on
// the line carries frames like a serial cable. All waits dispatch window messages through the pump,
// so the user can press "Close" (cancel()) while a dial runs.
class ModemDialer final : public ModemReplyListener {
 public:
  // Results of dial().
  enum DialResult : int {
    kDialConnected = 1,
    kDialFailed = -1,          // No port for the modem, or reading the modem failed.
    kDialTimedOut = -2,        // No connection within the time-out.
    kDialEnded = -3,           // The modem refused (NO CARRIER, ERROR, NO DIALTONE, BUSY) or the
                               // user cancelled.
    kDialPortError = -4,       // The COM port could not be opened.
    kDialAlreadyRunning = -5,  // Another dial is waiting for its modem.
    kDialStopped = -6,         // The program is ending (Exit, a stop signal); see setStopRequest.
  };

  static constexpr int kCommandPauseMs = 300;    // After each command of the dialogue.
  static constexpr int kConnectedPauseMs = 500;  // After the connection is reported.
  static constexpr int kGuardTimeMs = 1000;      // Silence before and after the escape "+++".
  static constexpr int kCancelPauseMs = 100;     // Before the hang-up command of a cancel.
  static constexpr int kPollMs = 20;             // Longest dispatch between two looks at the modem.
  static constexpr size_t kMaxReplyBytes = 4096;  // Reply text kept while no line end arrives.

  static constexpr std::string_view kEchoOffCommand = "at e0\r";
  static constexpr std::string_view kSetupCommand = "at q0 v1 s7=60 x4\r";
  static constexpr std::string_view kEscapeSequence = "+++";
  static constexpr std::string_view kHangUpCommand = "ATH0\r";

  // All references must outlive the dialer. `lookup` finds an internal modem's COM port.
  ModemDialer(SignLink& link, platform::MessagePump& pump, DialUpView& view, ModemPortLookup lookup)
      : link_(link), pump_(pump), view_(view), lookup_(std::move(lookup)) {}
  ModemDialer(const ModemDialer&) = delete;
  ModemDialer& operator=(const ModemDialer&) = delete;

  // Dials `phoneNumber` through the modem named `modemName` (its port from the lookup), or, with
  // an empty name, through the external modem on COM `comPort`, at `baud` with 8N1. The dialogue
  // is "at e0\r", "at q0 v1 s7=60 x4\r" and "ATDT<number>\r", each followed by a 300 ms pause;
  // then it waits up to `timeoutSeconds` for the modem's verdict. Returns a DialResult; *errorText
  // (when given) gets the text to show: the connected status on success, else the time-out text,
  // "Initalize serial com-port error!" or "Dial up error". Every failure leaves the port closed and
  // both link flags cleared, except kDialAlreadyRunning, which touches nothing.
  int dial(const std::string& modemName, const std::string& phoneNumber, int comPort, int baud,
           int timeoutSeconds, std::string* errorText);

  // Ends a connected call: 1 s of silence, "+++", 1 s, "ATH0\r", 300 ms, then the port is closed
  // and both link flags cleared (without the pauses once a stop is requested, see
  // setStopRequest). Does nothing unless the link mode is kLinkModem.
  void hangUp();

  // The window's "Close" button: while a dial waits (modem listening, no connection) it sends
  // "ATH0\r", clears both flags and closes the port, and the waiting dial returns kDialEnded;
  // otherwise it hides the window.
  void cancel();

  // Asked on every look at the modem while a dial waits for its call. Once it says yes, the dial
  // ends as the window's "Close" button ends it (hang-up command, both flags cleared, port
  // closed) and dial() returns kDialStopped with "Dial up canceled by user!". Give the dialer a
  // platform::StoppablePump on the same request, so that the dialogue's pauses end at once too.
  void setStopRequest(std::function<bool()> stopRequested) {
    stopRequested_ = std::move(stopRequested);
  }

  // The status line a freshly opened window shows.
  std::string openingStatusText() const;

  // Collects the modem's reply text. Each line (ended by a carriage return) is classified on its
  // own, in order, so a reply that arrives together with earlier ones ("OK" and "CONNECT" in one
  // read) is still seen; a partial line waits for the rest. CONNECT sets the link mode to
  // kLinkModem and ends listening; NO CARRIER, ERROR, NO DIALTONE and BUSY end listening with the
  // link mode kLinkNone. Each classified line shows its status text.
  void receivedBytes(std::string_view bytes) override;

  // The code of the last classified reply, kModemReplyNone before any (and after each command).
  ModemReplyCode lastReplyCode() const { return lastReply_; }

 private:
  int runDialogue(const std::string& modemName, const std::string& phoneNumber, int comPort,
                  int baud, int timeoutSeconds);
  int waitForCall(int timeoutSeconds);
  void sendCommand(std::string_view command);
  void handleReply(ModemReplyCode code);
  bool dialAbandoned() const;
  bool stopRequested() const { return stopRequested_ && stopRequested_(); }
  // Hangs up a dial that waits for its call; the status line says the user ended it.
  void abandonDial();

  SignLink& link_;                              // Serial side and program-wide link state.
  platform::MessagePump& pump_;                 // Every wait dispatches through it.
  DialUpView& view_;                            // The dial-up window.
  const ModemPortLookup lookup_;                // Internal modem name to COM port.
  std::function<bool()> stopRequested_;         // The program's stop request, or empty.
  std::string replyBuffer_;                     // Reply text since the last complete line.
  ModemReplyCode lastReply_ = kModemReplyNone;  // Code of the last classified line.
};

}  // namespace signlink
