#include "cli/workspace_loading.h"

#include <iostream>

#include "bitmaps/transfer_file.h"
#include "platform/cp1252.h"

namespace cli {

// Loads a workspace file for a command; reports failure through ctx and returns false.
bool loadWorkspaceForCommand(CliContext& ctx, const std::string& path, bool answerOldYes,
                             workspace::LoadResult* result) {
  workspace::LoadOptions options;
  std::string question;
  options.confirmOldVersion = [answerOldYes, &question](const std::string& q) {
    question = q;
    return answerOldYes;
  };
  *result = workspace::loadWorkspaceFile(path, options);
  if (!result->ok()) {
    // A file without header is refused with the question the program would have asked.
    const std::string& why =
        result->status == workspace::LoadStatus::kDeclined ? question : result->message;
    ctx.fail(path + ": " + platform::cp1252ToUtf8(why));
    return false;
  }
  for (const auto& warning : result->warnings) {
    std::cerr << "varnel-cli: warning: " << platform::cp1252ToUtf8(warning) << "\n";
  }
  return true;
}

std::vector<int> loadTransferImages(const workspace::Workspace& ws) {
  if (ws.transferFilePath.empty()) return {};
  bitmaps::ImageTransferFile list;
  const bitmaps::BitmapStatus status = bitmaps::loadTransferFile(ws.transferFilePath, &list);
  if (!status.ok) {
    std::cerr << "varnel-cli: warning: " << platform::cp1252ToUtf8(status.message) << "\n";
    return {};
  }
  return list.images();
}

}  // namespace cli
