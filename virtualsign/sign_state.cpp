#include "virtualsign/sign_state.h"

namespace virtualsign {

void SignState::clearMemory() {
  messages.clear();
  tasks = {};
  images = {};
  ++memoryClears;
}

}  // namespace virtualsign
