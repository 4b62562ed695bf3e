// varnel-cli show / import / encode: workspace files without the editor.

#include <cstdio>
#include <iostream>

#include "cli/cli_context.h"
#include "cli/workspace_json.h"
#include "cli/workspace_listing.h"
#include "cli/workspace_loading.h"
#include "platform/atomic_file.h"
#include "platform/cp1252.h"
#include "workspace/message_encoder.h"
#include "workspace/workspace_file.h"

namespace cli {
namespace {

// Largest JSON file `import` accepts; a workspace of 99 full messages is far smaller.
constexpr size_t kMaxJsonBytes = 64u << 20;

struct ShowOptions {
  std::string path;
  bool json = false;
  bool old = false;
};

struct ImportOptions {
  std::string jsonPath;
  std::string outPath;
};

void runShow(CliContext& ctx, const ShowOptions& o) {
  workspace::LoadedWorkspace loaded;
  if (!loadWorkspaceForCommand(ctx, o.path, o.old, &loaded)) return;
  if (o.json) {
    std::cout << workspaceToJson(loaded.workspace, loaded.version).dump(2) << "\n";
  } else {
    std::cout << workspaceListing(loaded.workspace, loaded.version);
  }
}

void runImport(CliContext& ctx, const ImportOptions& o) {
  const platform::Result<std::string> text = platform::readWholeFile(o.jsonPath, kMaxJsonBytes);
  if (!text.ok()) {
    ctx.fail(text.message());
    return;
  }
  workspace::Workspace ws;
  const platform::Status read = workspaceFromJsonText(*text, &ws);
  if (!read.ok()) {
    ctx.fail(o.jsonPath + ": " + read.message());
    return;
  }
  const std::string fault = workspace::storableWorkspaceFault(ws);
  if (!fault.empty()) {
    ctx.fail(o.jsonPath + ": " + fault);
    return;
  }
  const platform::Status saved = workspace::saveWorkspaceFile(o.outPath, ws);
  if (!saved.ok()) ctx.fail(o.outPath + ": " + platform::cp1252ToUtf8(saved.toString()));
}

void runEncode(CliContext& ctx, const ShowOptions& o) {
  workspace::LoadedWorkspace loaded;
  if (!loadWorkspaceForCommand(ctx, o.path, o.old, &loaded)) return;
  std::string bytes;
  workspace::EncodeOptions options;
  options.transferImages = loadTransferImages(loaded.workspace);
  const workspace::EncodeResult r = workspace::encodeWorkspace(loaded.workspace, options, &bytes);
  for (const int image : r.missingImages) {
    warn("user-defined bitmap " + std::to_string(image) +
         " is not in the Image Transfer File and was left out");
  }
  if (std::fwrite(bytes.data(), 1, r.count, stdout) != r.count || std::fflush(stdout) != 0) {
    ctx.fail("cannot write to standard output");
  }
}

}  // namespace

void addWorkspaceCommands(CLI::App& app, CliContext& ctx) {
  auto show = std::make_shared<ShowOptions>();
  CLI::App* showCmd = app.add_subcommand("show", "List a workspace file (*.SDV)");
  showCmd->add_option("file", show->path, "Workspace file")->required();
  showCmd->add_flag("--json", show->json, "Print the workspace as JSON");
  showCmd->add_flag("--old", show->old,
                    "Read a file without header as written by the old version of the software");
  showCmd->callback([&ctx, show] { runShow(ctx, *show); });

  auto import = std::make_shared<ImportOptions>();
  CLI::App* importCmd = app.add_subcommand("import", "Write a workspace file from JSON");
  importCmd->add_option("file", import->jsonPath, "JSON file in the schema of show --json")
      ->required();
  importCmd->add_option("-o,--output", import->outPath, "Workspace file to write")->required();
  importCmd->callback([&ctx, import] { runImport(ctx, *import); });

  auto encode = std::make_shared<ShowOptions>();
  CLI::App* encodeCmd = app.add_subcommand(
      "encode", "Write the messages' sign encoding (text records, no header) to standard output");
  encodeCmd->add_option("file", encode->path, "Workspace file")->required();
  encodeCmd->add_flag("--old", encode->old, "Read a file without header (old version)");
  encodeCmd->callback([&ctx, encode] { runEncode(ctx, *encode); });
}

}  // namespace cli
