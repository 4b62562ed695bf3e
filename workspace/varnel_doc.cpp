#include "workspace/varnel_doc.h"

#include <algorithm>

int CVarnelDoc::fileCount() const {
  return ws_.lines.empty() ? 0 : ws_.lines.back().fileNumber;
}

void CVarnelDoc::clear() {
  ws_.lines.clear();
}

void CVarnelDoc::appendLine(workspace::MessageLine line) {
  ws_.lines.push_back(std::move(line));
}

void CVarnelDoc::insertLineAfter(int index, workspace::MessageLine line) {
  const auto at = static_cast<size_t>(std::clamp(index + 1, 0, lineCount()));
  ws_.lines.insert(ws_.lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

bool CVarnelDoc::save(const std::string& path, std::string* error) {
  if (!workspace::saveWorkspaceFile(path, ws_, error)) return false;
  path_ = path;
  modified_ = false;
  return true;
}

workspace::LoadResult CVarnelDoc::load(const std::string& path,
                                       const workspace::LoadOptions& options) {
  workspace::LoadResult result = workspace::loadWorkspaceFile(path, options);
  if (result.status == workspace::LoadStatus::kCannotOpen) path_.clear();
  if (!result.ok()) return result;
  workspace::Workspace& loaded = result.workspace;
  ws_.lines = std::move(loaded.lines);
  ws_.transferFilePath = std::move(loaded.transferFilePath);
  if (result.hasSignSettings) {
    ws_.signWidth = loaded.signWidth;
    ws_.colourMode = loaded.colourMode;
  }
  if (result.hasScheduler) ws_.scheduler = std::move(loaded.scheduler);
  path_ = path;
  modified_ = false;
  return result;
}
