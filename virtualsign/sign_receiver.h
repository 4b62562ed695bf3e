#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/local_clock.h"
#include "virtualsign/record_parser.h"
#include "virtualsign/sign_state.h"

// A sign taking what its line brings: bytes arrive in pieces of any size (frames, socket reads),
// records are acted on as soon as they are complete, and only records whose address header names
// this sign (or every record, for address 0) change its state. A fault is reported and the sign
// waits for the next address header, as a sign that lost the thread would.
namespace virtualsign {

struct Diagnostic {
  size_t offset = 0;  // Position in the bytes of this reception.
  std::string text;   // "expected ..., found ..." or a note.
};

class SignReceiver {
 public:
  // `clock` (kept, must outlive this) gives the host's time for the clock offset.
  SignReceiver(SignState initial, const platform::LocalClock& clock)
      : state_(std::move(initial)), clock_(clock) {}

  // Starts a reception (a connection, a file): nothing pending, no address header seen yet.
  void begin();
  // Takes the next bytes of the reception.
  void feed(std::string_view bytes);
  // Ends the reception: a record the bytes end inside is reported as cut.
  void finish();
  // Adds a note at the current end of the reception.
  void note(const std::string& text);

  const SignState& state() const { return state_; }
  SignState& state() { return state_; }
  // Every fault and note since the last begin(), in order.
  const std::vector<Diagnostic>& diagnostics() const { return diagnostics_; }
  int recordsTaken() const { return taken_; }      // since begin()
  int recordsIgnored() const { return ignored_; }  // addressed to other signs, since begin()

 private:
  void decode(bool final);
  void act(const Piece& piece);
  void apply(const Record& record, size_t offset);
  bool addressedHere(const AddressHeader& header) const;

  SignState state_;
  const platform::LocalClock& clock_;
  std::string pending_;     // Received bytes not yet decoded.
  size_t pendingBase_ = 0;  // Offset of pending_[0] in the reception.
  bool selected_ = true;    // The last address header named this sign (true before any header).
  bool resyncing_ = false;  // After a fault: skipping to the next address header.
  std::vector<Diagnostic> diagnostics_;
  int taken_ = 0;
  int ignored_ = 0;
};

// Feeds a sign data file (`.bin`) or a bare sign data stream to `receiver` as one reception: the
// stream is cut into transmission units as the sender cuts it, and the units' bytes are what the
// sign receives. A block that runs past the end is reported; the blocks before it are taken.
void receiveSignData(std::string_view fileOrStream, SignReceiver& receiver);

// Seconds from 2000-01-01 00:00 of a date and time (for clock offsets).
long long secondsSince2000(int year, int month, int day, int hour, int minute, int second);

}  // namespace virtualsign
