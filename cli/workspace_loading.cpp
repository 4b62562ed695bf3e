#include "cli/workspace_loading.h"

#include <iostream>

#include "bitmaps/picture_file.h"
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
  const workspace::Workspace& ws = out->loaded.workspace;
  if (out->loaded.hasSignSettings) {
    out->sign.width = ws.signWidth;
    out->sign.colourMode = ws.colourMode;
  } else {
    if (ctx.dataDir().empty()) return false;
    out->sign = varnel_profile::readSignSettings(varnel_profile::open(ctx.dataDir()));
  }
  const auto width = static_cast<uint16_t>(out->sign.width);
  out->catalog = bitmaps::CBitmapCatalog(width);
  out->transferImages = loadTransferImages(ws);
  if (out->transferImages.empty() || ctx.dataDir().empty()) return true;
  const platform::Status pictures = bitmaps::loadPictures(
      bitmaps::picturePath(ctx.dataDir(), out->sign.width, out->sign.colourMode), width,
      out->sign.colourMode, &out->catalog);
  if (!pictures.ok()) warn(platform::cp1252ToUtf8(pictures.message()));
  return true;
}

}  // namespace cli
