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
    ctx.fail(path + ": " + platform::cp1252ToUtf8(result.message()));
    return false;
  }
  *loaded = std::move(result).value();
  for (const auto& warning : loaded->warnings) {
    std::cerr << "varnel-cli: warning: " << platform::cp1252ToUtf8(warning) << "\n";
  }
  return true;
}

std::vector<int> loadTransferImages(const workspace::Workspace& ws) {
  if (ws.transferFilePath.empty()) return {};
  bitmaps::ImageTransferFile list;
  const platform::Status status = bitmaps::loadTransferFile(ws.transferFilePath, &list);
  if (!status.ok()) {
    std::cerr << "varnel-cli: warning: " << platform::cp1252ToUtf8(status.message()) << "\n";
    return {};
  }
  return list.images();
}

}  // namespace cli
