#include "receiver/port_list.h"

#include <algorithm>

namespace receiver {

std::vector<int> portListEntries(std::vector<int> found, int inUse) {
  if (inUse > 0 && std::find(found.begin(), found.end(), inUse) == found.end()) {
    found.insert(std::lower_bound(found.begin(), found.end(), inUse), inUse);
  }
  return found;
}

}  // namespace receiver
