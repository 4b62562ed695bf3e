#pragma once

#include <string>
#include <utility>

namespace bitmaps {

// Outcome of a catalog or file operation. On failure `message` holds the text the caller shows in
// a message box, already in the current language and filled in.
struct BitmapStatus {
  bool ok = true;
  std::string message;  // Empty on success.

  static BitmapStatus success() { return {}; }
  static BitmapStatus failure(std::string text) { return {false, std::move(text)}; }
};

}  // namespace bitmaps
