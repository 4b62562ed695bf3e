#include "receiver/attachment_decoder.h"

#include <algorithm>
#include <utility>

#include "mail/base64.h"

namespace receiver {

namespace {

constexpr std::string_view kFileNameLabel = "filename=";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kEmptyLine = "\r\n\r\n";
// From the line end of the "filename=" line: that line end and the empty line after it.
constexpr size_t kPartHeaderEndBytes = 4;

}  // namespace

int decodeAttachment(std::string_view body, std::string* fileName, std::string* bytes) {
  const size_t label = body.find(kFileNameLabel);
  if (label == std::string_view::npos) return kNoAttachmentName;
  const size_t nameStart = label + kFileNameLabel.size();
  const size_t lineEnd = body.find(kLineEnd, nameStart);
  if (lineEnd == std::string_view::npos) return kNoAttachmentLine;

  std::string name;
  for (char c : body.substr(nameStart, lineEnd - nameStart))
    if (c != '"') name.push_back(c);

  const size_t textStart = std::min(body.size(), lineEnd + kPartHeaderEndBytes);
  size_t textEnd = body.find(kEmptyLine, textStart);
  if (textEnd == std::string_view::npos) textEnd = body.size();
  std::string text;
  text.reserve(textEnd - textStart);
  for (char c : body.substr(textStart, textEnd - textStart))
    if (c != '\r' && c != '\n') text.push_back(c);

  *fileName = std::move(name);
  *bytes = mail::base64Decode(text);
  return static_cast<int>(bytes->size());
}

}  // namespace receiver
