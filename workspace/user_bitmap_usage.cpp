#include "workspace/user_bitmap_usage.h"

namespace workspace {

std::set<int> userBitmapsInUse(const Workspace& ws) {
  std::set<int> used;
  for (const MessageLine& line : ws.lines) {
    for (const LineElement& e : line.elements) {
      if (e.kind == kKindUserBitmap) used.insert(e.code);
    }
  }
  return used;
}

bool userBitmapInUse(const Workspace& ws, int indexNumber) {
  for (const MessageLine& line : ws.lines) {
    for (const LineElement& e : line.elements) {
      if (e.kind == kKindUserBitmap && e.code == indexNumber) return true;
    }
  }
  return false;
}

}  // namespace workspace
