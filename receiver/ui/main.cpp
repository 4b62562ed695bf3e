// mailpump: receives sign data from POP3 mailboxes and forwards it to the sign's serial port.
// The headless modes run without Qt ever being touched, so they work with no display; otherwise
// the window starts, once per data directory.

#include <iostream>
#include <string>
#include <vector>

#include <QApplication>

#include "receiver/headless.h"
#include "receiver/ui/mailpump_app.h"

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

  QApplication app(argc, argv);
  return receiver::ui::runWindowedProgram(app, request->dataDir);
}
