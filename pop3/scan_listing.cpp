#include "pop3/scan_listing.h"

#include <limits>

namespace pop3 {

namespace {

// Reads the decimal number at text[*pos...] and moves past it; false when there is no digit there
// or it overflows.
bool readNumber(std::string_view text, size_t* pos, long long* value) {
  size_t p = *pos;
  if (p >= text.size() || text[p] < '0' || text[p] > '9') return false;
  long long v = 0;
  for (; p < text.size() && text[p] >= '0' && text[p] <= '9'; ++p) {
    if (v > (std::numeric_limits<long long>::max() - 9) / 10) return false;
    v = v * 10 + (text[p] - '0');
  }
  *pos = p;
  *value = v;
  return true;
}

}  // namespace

std::vector<long long> parseScanListing(std::string_view lines, int count) {
  std::vector<long long> sizes(count > 0 ? static_cast<size_t>(count) : 0, -1);
  size_t start = 0;
  while (start < lines.size()) {
    size_t end = lines.find('\n', start);
    if (end == std::string_view::npos) end = lines.size();
    const std::string_view line = lines.substr(start, end - start);
    start = end + 1;
    size_t pos = 0;
    long long number = 0;
    long long size = 0;
    if (!readNumber(line, &pos, &number) || pos >= line.size() || line[pos] != ' ') continue;
    ++pos;
    if (!readNumber(line, &pos, &size) || number < 1 || number > count) continue;
    sizes[static_cast<size_t>(number - 1)] = size;
  }
  return sizes;
}

}  // namespace pop3
