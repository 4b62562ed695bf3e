#include "mail/quoted_printable.h"

namespace mail {

namespace {

constexpr char kEscape = '=';
constexpr char kSoftBreak[] = "=\r\n";
// A piece followed by a soft break leaves room for its "=".
constexpr size_t kPieceLimit = kQuotedPrintableLineLimit - 1;

bool copiedAsItIs(unsigned char byte) {
  return (byte >= 33 && byte <= 60) || (byte >= 62 && byte <= 126) || byte == '\t' ||
         byte == '\n' || byte == '\r' || byte == ' ';
}

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

// First pass: escapes every byte that may not travel as it is.
std::string escapeBytes(std::string_view text) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::string escaped;
  escaped.reserve(text.size() + text.size() / 8);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (copiedAsItIs(byte)) {
      escaped += c;
    } else {
      escaped += kEscape;
      escaped += kHexDigits[byte >> 4];
      escaped += kHexDigits[byte & 0x0F];
    }
  }
  return escaped;
}

// Where to cut the overlong line that starts at `start` of the escaped text `e`: the end of the
// piece to emit before the soft break. Every "=" in `e` opens an escape (the first pass escaped
// the literal ones), which is what keeps a cut from splitting one.
size_t cutPosition(const std::string& e, size_t start) {
  const size_t limit = start + kPieceLimit;
  for (size_t cut = limit; cut > start; --cut) {
    if (isBlank(e[cut - 1])) return cut;
    if (cut >= start + 3 && e[cut - 3] == kEscape) return cut;
  }
  // No blank and no escape end within the limit: cut at the limit, or before an escape that the
  // limit would split.
  size_t cut = limit;
  if (e[cut - 1] == kEscape) {
    cut -= 1;
  } else if (e[cut - 2] == kEscape) {
    cut -= 2;
  }
  return cut;
}

}  // namespace

std::string quotedPrintableEncode(std::string_view text) {
  const std::string e = escapeBytes(text);
  std::string out;
  out.reserve(e.size() + e.size() / 32);
  size_t start = 0;  // Start of the current output line in `e`.
  while (start < e.size()) {
    // The hard line runs up to and including the next CR or LF, or to the end.
    size_t end = e.find_first_of("\r\n", start);
    end = end == std::string::npos ? e.size() : end + 1;
    const bool hasLineEnd = e[end - 1] == '\r' || e[end - 1] == '\n';
    const size_t contentLength = end - start - (hasLineEnd ? 1 : 0);
    if (contentLength <= kQuotedPrintableLineLimit) {
      out.append(e, start, end - start);
      start = end;
      continue;
    }
    const size_t cut = cutPosition(e, start);
    out.append(e, start, cut - start);
    out += kSoftBreak;
    start = cut;
  }
  return out;
}

}  // namespace mail
