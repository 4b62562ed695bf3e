// mailpump: receives sign data from POP3 mailboxes and forwards it to the sign's serial port.
// The headless modes run without Qt ever being touched, so they work with no display.

#include <iostream>
#include <string>
#include <vector>

#include "receiver/headless.h"

namespace {

constexpr int kUsageExitStatus = 2;

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
  receiver::HeadlessRequest request;
  std::string error;
  if (!receiver::parseHeadlessArguments(args, &request, &error)) {
    std::cerr << error << '\n';
    return kUsageExitStatus;
  }
  if (request.mode != receiver::HeadlessMode::kNone) return receiver::headlessMain(request);

  // The window is not part of this build yet; say so rather than exit silently.
  std::cerr << "mailpump: the window is not available in this build; use --once, --headless, "
               "--export-settings or --import-settings FILE\n";
  return kUsageExitStatus;
}
