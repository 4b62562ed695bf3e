#include "cli/workspace_loading.h"

#include <iostream>

#include "bitmaps/transfer_file.h"
#include "platform/cp1252.h"

namespace cli {

// Loads a workspace file for a command; reports failure through ctx and returns false.
bool loadWorkspaceForCommand(CliContext& ctx, const std::string& path, bool answerOldYes,
                             workspace::LoadedWorkspace* loaded) {
  workspace::LoadOptions options;
  options.confirmOldVersion = [answerOldYes](const std::string&) { return answerOldYes; };
  platform::Result<workspace::LoadedWorkspace> result = workspace::loadWorkspaceFile(path, options);
  if (!result.ok()) {
    // A file without header is refused with the question the program would have asked, which is
    // the text of the declined status.
    ctx.fail(path + ": " + platform::cp1252ToUtf8(result.status().toString()));
    return false;
  }
  *loaded = std::move(result).value();
  for (const auto& warning : loaded->warnings) {
    warn(platform::cp1252ToUtf8(warning));
  }
  return true;
}

std::vector<int> loadTransferImages(const workspace::Workspace& ws) {
  if (ws.transferFilePath.empty()) return {};
  bitmaps::ImageTransferFile list;
  const platform::Status status = bitmaps::loadTransferFile(ws.transferFilePath, &list);
  if (!status.ok()) {
    warn(platform::cp1252ToUtf8(status.message()));
    return {};
  }
  return list.images();
}

bool loadWorkspaceToSend(CliContext& ctx, const std::string& path, bool answerOldYes,
                         WorkspaceToSend* out) {
  if (!loadWorkspaceForCommand(ctx, path, answerOldYes, &out->loaded)) return false;
  if (!out->loaded.hasSignSettings) {
    if (ctx.dataDir().empty()) return false;
    app::takeSignSettingsInEffect(
        &out->loaded, varnel_profile::readSignSettings(varnel_profile::open(ctx.dataDir())));
  }
  out->content = app::prepareSendContent(out->loaded.workspace, ctx.dataDir());
  for (const std::string& warning : out->content.warnings) {
    warn(platform::cp1252ToUtf8(warning));
  }
  return true;
}

}  // namespace cli
