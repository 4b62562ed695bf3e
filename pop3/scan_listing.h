#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace pop3 {

// The longest line of a scan listing that is read ("n size" and whatever the server adds).
inline constexpr size_t kMaxScanLineBytes = 64;

// Reads the lines of LIST's multi-line answer (after its status line, up to and without the
// terminating "."): each "n size" line gives the size of message n. Returns one size per message
// 1..count, -1 for a message the listing does not name or names with a size that cannot be read;
// numbers outside 1..count and lines that are not a listing are passed over.
std::vector<long long> parseScanListing(std::string_view lines, int count);

}  // namespace pop3
