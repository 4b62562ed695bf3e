#include "workspace/varnel_doc.h"

#include <algorithm>

namespace workspace {

int CVarnelDoc::fileCount() const {
  return ws_.lines.empty() ? 0 : ws_.lines.back().fileNumber;
}

void CVarnelDoc::clear() {
  ws_.lines.clear();
}

void CVarnelDoc::appendLine(MessageLine line) {
  ws_.lines.push_back(std::move(line));
}

void CVarnelDoc::insertLineAfter(int index, MessageLine line) {
  const auto at = static_cast<size_t>(std::clamp(index + 1, 0, lineCount()));
  ws_.lines.insert(ws_.lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

platform::Status CVarnelDoc::save(const std::string& path) {
  platform::Status saved = saveWorkspaceFile(path, ws_);
  // The user is shown why as well: the system's reason (a full disk, a missing folder) or the
  // rule the workspace breaks.
  if (!saved.ok()) return platform::Status::cannotWrite(saved.toString(), saved.detail());
  path_ = path;
  modified_ = false;
  return saved;
}

platform::Result<LoadedWorkspace> CVarnelDoc::load(const std::string& path,
                                                   const LoadOptions& options) {
  platform::Result<LoadedWorkspace> result = loadWorkspaceFile(path, options);
  if (!result.ok()) {
    const platform::Status& status = result.status();
    if (status.code() == platform::Status::Code::kCannotOpen &&
        status.detail() != kControlFileMissingDetail) {
      path_.clear();
    }
    return result;
  }
  Workspace& loaded = result->workspace;
  ws_.lines = std::move(loaded.lines);
  ws_.transferFilePath = std::move(loaded.transferFilePath);
  if (result->hasSignSettings) {
    ws_.signWidth = loaded.signWidth;
    ws_.colourMode = loaded.colourMode;
  }
  if (result->hasScheduler) ws_.scheduler = std::move(loaded.scheduler);
  path_ = path;
  modified_ = false;
  return result;
}

}  // namespace workspace
