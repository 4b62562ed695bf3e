// The mail encodings: the base64 decoder on any text, base64 and quoted-printable encoding of any
// bytes, and RFC 2047 encoded words. Decoding what was encoded must give the bytes back, and the
// encoders' lines must keep their limits.

#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/support/fuzz_support.h"
#include "mail/base64.h"
#include "mail/encoded_word.h"
#include "mail/quoted_printable.h"

namespace {

// Every line of `text` (split at CR LF) is at most `limit` bytes long.
bool linesWithin(std::string_view text, size_t limit) {
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string_view::npos; start = end + 2) {
    if (end - start > limit) return false;
  }
  return text.size() - start <= limit;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = fuzzing::inputView(data, size);
  const std::string decoded = mail::base64Decode(bytes);
  if (decoded.size() > bytes.size()) std::abort();

  const std::string lines = mail::base64Encode(bytes, mail::Base64Lines::kMailLines);
  if (mail::base64Decode(lines) != bytes || !linesWithin(lines, mail::kBase64LineLength))
    std::abort();
  if (mail::base64Decode(mail::base64Encode(bytes, mail::Base64Lines::kUnbroken)) != bytes)
    std::abort();

  const std::string qp = mail::quotedPrintableEncode(bytes);
  for (char c : qp) {
    const auto u = static_cast<unsigned char>(c);
    if (u > 126 || (u < 32 && c != '\t' && c != '\r' && c != '\n')) std::abort();
  }

  const std::string words = mail::encodeWords(bytes, "iso-8859-1");
  if (words.find_first_of("\r\n") != std::string::npos) std::abort();
  mail::encodeWords(bytes, "utf-8");
  return 0;
}
