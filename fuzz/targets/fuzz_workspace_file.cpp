// The workspace file (*.SDV) reader, every layout, with a small control file beside it for the raw
// layouts. A workspace that loads is encoded for the sign, and one the reader would accept back is
// saved and read again: the second reading must give the same bytes.

#include <cstdlib>
#include <optional>
#include <string>

#include "fuzz/support/fuzz_support.h"
#include "workspace/message_encoder.h"
#include "workspace/workspace_file.h"

namespace {

// Two 4-byte control records (line, position, type, value): a transition and a speed on line 0.
const std::optional<std::string> kControlFile = std::string("\0\0\5\31\0\0\4\1", 8);

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  workspace::LoadOptions options;
  options.confirmOldVersion = [](const std::string&) { return true; };
  const auto loaded =
      workspace::parseWorkspaceFile(fuzzing::inputView(data, size), kControlFile, "F.SDV", options);
  if (!loaded.ok()) return 0;

  std::string encoded;
  workspace::encodeWorkspace(loaded->workspace, {}, &encoded);

  if (!workspace::isStorableWorkspace(loaded->workspace)) return 0;
  const std::string saved = workspace::serializeWorkspace(loaded->workspace);
  const auto again = workspace::parseWorkspaceFile(saved, std::nullopt, "G.SDV");
  if (!again.ok() || workspace::serializeWorkspace(again->workspace) != saved) std::abort();
  return 0;
}
