// mailpump: receives sign data from POP3 mailboxes and forwards it to the sign's serial port.
// The program links no toolkit: the headless modes run here without a display and without the
// toolkit's libraries mapped; otherwise the window starts from its module, once per data
// directory.

#include <iostream>
#include <string>
#include <vector>

#include "receiver/headless.h"
#include "receiver/window_module.h"

namespace {

constexpr int kUsageExitStatus = 2;

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
  const platform::Result<receiver::HeadlessRequest> request =
      receiver::parseHeadlessArguments(args);
  if (!request.ok()) {
    std::cerr << request.message() << '\n';
    return kUsageExitStatus;
  }
  if (request->mode != receiver::HeadlessMode::kNone) return receiver::headlessMain(*request);

  const std::string module =
      receiver::windowModulePath(receiver::runningProgramPath(), MAILPUMP_WINDOW_MODULE);
  return receiver::runWindowModule(module, &argc, argv, request->dataDir, std::cerr);
}
