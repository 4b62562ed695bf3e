// The text-record encoding of a message workspace.
//
// Each message is 0x01, its number in two ASCII digits (01, 02, ... in order of appearance,
// whatever numbers its lines carry), its content, and 0xFF 0xFF. A newline element is a single
// 0xFF; when it ends the message it is the first of the two. Colour and font are written as
// 0xEF-prefixed pairs whenever they change, and again at the start of every message and after
// every newline. Controls are written before the element they stand in front of and neither change
// the current colour or font nor end a line.
//
// The sign must never receive a byte the encoder cannot vouch for, so an item that has no valid
// sign code is left out as if it were not in the line: nothing is written for it and the current
// colour, font and line-end state stay as they were. That covers
//   - a user-defined bitmap whose image is not in the current Image Transfer File (loading another
//     transfer file can leave such elements behind): it has no slot, and 0xEF 0xD0+slot with a
//     made-up slot would show another picture or, past slot 7, a pre-defined bitmap. Its image
//     number is reported in EncodeResult::missingImages so the caller can warn;
//   - elements of an unknown kind, with an index outside their table, or with a colour or font
//     outside the tables (only a damaged file holds these), counted in
//     EncodeResult::elementsLeftOut;
//   - controls of an unknown type or with a value outside their type's range.
//
// A message without any element (a new message that is still empty) ends in 0xFF 0xFF like any
// other: the line-end state of the message before it does not carry over, otherwise an empty
// message after one ending in a newline would end in a lone 0xFF and run into the next.
//
// The sign numbers messages with two digits; messages after the 99th have no number and are not
// encoded (counted in EncodeResult::messagesLeftOut). The editor never makes more than 99.

#include "workspace/message_encoder.h"

#include <algorithm>
#include <optional>

#include "workspace/sign_tables.h"

namespace workspace {
namespace {

constexpr int kMaxMessageNumber = 99;  // Two decimal digits.
constexpr int kMessageNumberBase = 10;

class Encoder {
 public:
  Encoder(const EncodeOptions& options, std::string* out, EncodeResult* result)
      : options_(options), out_(out), result_(result) {}

  void encode(const Workspace& ws) {
    int messageNumber = 1;
    startMessage(messageNumber);
    int8_t currentFile = ws.lines.front().fileNumber;
    bool numbersUsedUp = false;  // Past the 99th message: the rest is only counted.
    for (const MessageLine& line : ws.lines) {
      if (line.fileNumber != currentFile) {
        currentFile = line.fileNumber;
        if (numbersUsedUp || messageNumber == kMaxMessageNumber) {
          numbersUsedUp = true;
          ++result_->messagesLeftOut;
          continue;
        }
        endMessage();
        startMessage(++messageNumber);
      }
      if (!numbersUsedUp) encodeLine(line);
    }
    endMessage();
  }

 private:
  void put(uint8_t byte) { out_->push_back(static_cast<char>(byte)); }

  void startMessage(int number) {
    put(kSignMessageStart);
    put(static_cast<uint8_t>('0' + number / kMessageNumberBase));
    put(static_cast<uint8_t>('0' + number % kMessageNumberBase));
    colour_.reset();
    font_.reset();
    lineEnd_ = false;
  }

  // A newline that ended the message already wrote the first 0xFF.
  void endMessage() {
    if (!lineEnd_) put(kSignLineEnd);
    put(kSignLineEnd);
  }

  void encodeLine(const MessageLine& line) {
    const int count = line.count();
    for (int p = 0; p <= count; ++p) {
      // Lists are kept in position order, but a scan per position also copes with one that is
      // not, and still emits controls sharing a position in list order.
      for (const AnchoredControl& control : line.controls) {
        if (control.position == p) out_->append(controlSignBytes(control.type, control.value));
      }
      if (p < count) encodeElement(line.elements[static_cast<size_t>(p)]);
    }
  }

  // The bytes that name the element's item (after its colour and font), or nullopt when it has no
  // valid sign code.
  std::optional<std::string> itemBytes(const LineElement& e) {
    auto prefixed = [](uint8_t code) {
      return std::string{static_cast<char>(kSignControlPrefix), static_cast<char>(code)};
    };
    switch (e.kind) {
      case kKindCharacter:
        return std::string(1, static_cast<char>(e.code & 0xFF));
      case kKindTime:
        return prefixed(kSignTimeCode);
      case kKindDate:
        return prefixed(kSignDateCode);
      case kKindSymbol:
        if (e.code < 0 || e.code >= kSymbolCount) return std::nullopt;
        return prefixed(static_cast<uint8_t>(kSignSymbolBase + e.code));
      case kKindPredefinedBitmap:
        if (e.code < 0 || e.code >= kPredefinedBitmapCount) return std::nullopt;
        return prefixed(static_cast<uint8_t>(kSignPredefinedBitmapBase + e.code));
      case kKindUserBitmap: {
        const auto& images = options_.transferImages;
        const auto slots =
            images.begin() + std::min<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(images.size()),
                                                      kMaxTransferImages);
        const auto found = std::find(images.begin(), slots, e.code);
        if (found == slots) return std::nullopt;
        return prefixed(static_cast<uint8_t>(kSignUserBitmapBase + (found - images.begin())));
      }
      case kKindSpecialCharacter: {
        const auto byte = specialCharacterByte(e.code);
        if (!byte) return std::nullopt;
        return std::string(1, static_cast<char>(*byte));
      }
      default:
        return std::nullopt;
    }
  }

  void encodeElement(const LineElement& e) {
    const auto colourCode = colourSignCode(e.colour);
    const FontInfo* font = fontInfo(e.font);
    const auto item = itemBytes(e);
    if (!item || !colourCode || font == nullptr) {
      noteLeftOut(e);
      return;
    }
    if (e.colour != colour_ || lineEnd_) {
      put(kSignControlPrefix);
      put(*colourCode);
      colour_ = e.colour;
    }
    if (e.font != font_ || lineEnd_) {
      put(kSignControlPrefix);
      put(font->signCode);
      font_ = e.font;
    }
    if (e.isNewline()) {
      put(kSignLineEnd);
      lineEnd_ = true;
      return;
    }
    out_->append(*item);
    lineEnd_ = false;
  }

  void noteLeftOut(const LineElement& e) {
    const bool missingImage =
        e.kind == kKindUserBitmap && colourSignCode(e.colour) && fontInfo(e.font) != nullptr;
    if (!missingImage) {
      ++result_->elementsLeftOut;
      return;
    }
    auto& missing = result_->missingImages;
    if (std::find(missing.begin(), missing.end(), e.code) == missing.end()) {
      missing.push_back(e.code);
    }
  }

  const EncodeOptions& options_;
  std::string* const out_;         // Destination; not owned.
  EncodeResult* const result_;     // Where left-out items are reported; not owned.
  std::optional<uint8_t> colour_;  // Colour last written in this message; none at its start.
  std::optional<uint8_t> font_;    // Font last written in this message; none at its start.
  bool lineEnd_ = false;           // The last element written was a newline.
};

}  // namespace

EncodeResult encodeWorkspace(const Workspace& ws, const EncodeOptions& options, std::string* out) {
  EncodeResult result;
  const size_t start = out->size();
  if (options.addressHeader) options.addressHeader(out);
  if (!ws.lines.empty()) {
    Encoder(options, out, &result).encode(ws);
    if (options.withTerminator) out->push_back(static_cast<char>(kSignTerminator));
  }
  // An empty workspace gets no terminator: the text records end with the header.
  result.count = out->size() - start;
  return result;
}

}  // namespace workspace
