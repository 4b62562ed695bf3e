// The workspace as JSON (varnel-cli import). A workspace that is accepted goes back to JSON and is
// read again unchanged; one the file can hold is saved and read back as the same workspace.

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <optional>
#include <string>

#include "cli/workspace_json.h"
#include "fuzz/support/fuzz_support.h"
#include "workspace/workspace_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const nlohmann::json json =
      nlohmann::json::parse(fuzzing::inputView(data, size), nullptr, /*allow_exceptions=*/false);
  if (json.is_discarded()) return 0;
  workspace::Workspace ws;
  if (!cli::workspaceFromJson(json, &ws).ok()) return 0;

  workspace::Workspace again;
  if (!cli::workspaceFromJson(cli::workspaceToJson(ws, 35), &again).ok() || !(again == ws))
    std::abort();

  if (!workspace::isStorableWorkspace(ws)) return 0;
  const auto loaded =
      workspace::parseWorkspaceFile(workspace::serializeWorkspace(ws), std::nullopt, "J.SDV");
  if (!loaded.ok() || !(loaded->workspace == ws)) std::abort();
  return 0;
}
