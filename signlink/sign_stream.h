#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bitmaps/bitmap_catalog.h"
#include "platform/local_clock.h"
#include "platform/status.h"
#include "workspace/message_model.h"

namespace signlink {

// Block types of the sign data stream: 1-byte type, 16-bit big-endian body length, body.
enum BlockType : uint8_t {
  kBlockText = 1,          // message, schedule and alarm records
  kBlockImages = 2,        // user-defined bitmap records
  kBlockTime = 8,          // time offset byte, then the set-time record
  kBlockTest = 9,          // test sequence
  kBlockClearMemory = 10,  // clear memory
  kBlockSignWidth = 100,   // sign width setting
};

inline constexpr size_t kBlockHeaderSize = 3;
inline constexpr size_t kMaxBlockBody = 0xFFFF;  // Lengths are 16 bits on the wire.

// Everything a workspace stream is built from besides the destination.
struct WorkspaceStreamInput {
  const workspace::Workspace* workspace = nullptr;
  int signWidth = workspace::kDefaultSignWidth;  // The sign width in effect.
  platform::LocalTime now;                       // When the stream is built (the set-time record).
  // Image index numbers of the current Image Transfer File, in slot order.
  std::vector<int> transferImages;
  // The bitmap catalog the images are taken from; null means no images can be found.
  const bitmaps::CBitmapCatalog* catalog = nullptr;
};

// A built stream, and what it had to leave out.
struct SignStream {
  std::string stream;  // The stream's bytes.
  // Image numbers left out: not in the catalog (image block) or not in the Image Transfer File
  // (message text). The stream is still sent; the caller warns.
  std::vector<int> missingImages;
  // Elements without a valid sign code (only a damaged file holds them), left out of the text.
  size_t elementsLeftOut = 0;
  // The messages the text records carry (numbered 1..messagesSent), and how many came after the
  // 99th and were left out: the sign's message numbers have two digits.
  int messagesSent = 0;
  int messagesLeftOut = 0;
};

// "Send current message workspace contents": blocks 100 (sign width), 8 (time), 2 (images, only
// when the Image Transfer File names at least one) and 1 (messages, schedule, alarms, power times)
// for the signs in `addresses` (as expandSignAddresses gives them). Fails (kRefused, with the
// user's text) only when a block would be longer than the 16-bit length can say.
platform::Result<SignStream> buildWorkspaceStream(const WorkspaceStreamInput& input,
                                                  const std::vector<uint8_t>& addresses);

// "Run Test Sequence": one block 9.
std::string buildTestStream(const std::vector<uint8_t>& addresses);

// "Clear Sign's Memory": one block 10 carrying the clearing task.
std::string buildClearMemoryStream(const std::vector<uint8_t>& addresses);

// The time offset of a block 8 body for `addresses`: the position of the weekday byte counted from
// the first byte after the offset byte.
uint8_t timeOffsetFor(const std::vector<uint8_t>& addresses);

// Two ASCII digits for a value, tens first; from 100 on the tens character passes '9'.
void appendTwoDigits(int value, std::string* out);

}  // namespace signlink
