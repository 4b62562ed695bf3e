// The control file (*.ctl) beside a raw-layout workspace file: 4-byte control records up to its
// end, attached to the lines of a fixed three-line workspace, which is then encoded for the sign.

#include <optional>
#include <string>

#include "fuzz/support/fuzz_support.h"
#include "tests/workspace/sdv_test_bytes.h"
#include "workspace/message_encoder.h"
#include "workspace/workspace_file.h"

namespace {

// A headerless raw-layout file: path field and three lines of one, five and no elements.
std::string rawWorkspace() {
  sdv_test::Bytes b;
  b.field("C:\\IMG.LST", 100);
  sdv_test::record1220(b, sdv_test::textLine(1, "A"));
  sdv_test::record1220(b, sdv_test::textLine(1, "Hello"));
  sdv_test::record1220(b, sdv_test::textLine(2, ""));
  return b.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string raw = rawWorkspace();
  workspace::LoadOptions options;
  options.confirmOldVersion = [](const std::string&) { return true; };
  const std::optional<std::string> control = std::string(fuzzing::inputView(data, size));
  const auto loaded = workspace::parseWorkspaceFile(raw, control, "F.SDV", options);
  if (loaded.ok()) {
    std::string encoded;
    workspace::encodeWorkspace(loaded->workspace, {}, &encoded);
  }
  return 0;
}
