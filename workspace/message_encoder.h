#pragma once

#include <functional>
#include <string>
#include <vector>

#include "workspace/message_model.h"

namespace workspace {

struct EncodeOptions {
  // Writes the address header in front of the text (the sign data stream supplies it); empty
  // means no header.
  std::function<void(std::string* out)> addressHeader;
  // Append a counted 0x00 after the last message.
  bool withTerminator = false;
  // Index numbers of the images in the current Image Transfer File; an image's slot is its
  // position here (0-7).
  std::vector<int> transferImages;
};

struct EncodeResult {
  size_t count = 0;  // Bytes appended to the output, header included.
  // Index numbers of user-defined bitmaps that are not in the Image Transfer File. Such an element
  // has no slot on the sign, so it is left out of the text (see message_encoder.cpp) and reported
  // here for the caller to warn about.
  std::vector<int> missingImages;
  // Elements without a valid sign code (unknown kind, index, colour or font; only a damaged file
  // holds them), left out of the text.
  size_t elementsLeftOut = 0;
  // Messages after the 99th, which the sign's two-digit numbers cannot name; left out.
  size_t messagesLeftOut = 0;
};

// Appends the text-record encoding of the workspace's messages to *out: the address header when
// options.addressHeader is set, then each message (0x01, two digits, content, 0xFF 0xFF), then a
// 0x00 when options.withTerminator is set. An empty workspace yields only the header (and no
// terminator). Items without a valid sign code are left out and reported in the result.
EncodeResult encodeWorkspace(const Workspace& ws, const EncodeOptions& options, std::string* out);

}  // namespace workspace
