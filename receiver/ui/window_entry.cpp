// The entry of mailpump's window module (see receiver/window_module.h): the only symbol the
// module exports.

#include <type_traits>

#include <QApplication>

#include "receiver/ui/mailpump_app.h"
#include "receiver/window_module.h"

extern "C" __attribute__((visibility("default"))) int mailpump_window_main(int* argc, char** argv,
                                                                           const char* dataDir) {
  // Checked at build time: the program calls this through receiver::WindowEntry.
  static_assert(std::is_same_v<decltype(&mailpump_window_main), receiver::WindowEntry>);
  QApplication app(*argc, argv);
  return receiver::ui::runWindowedProgram(app, dataDir != nullptr ? dataDir : "");
}
