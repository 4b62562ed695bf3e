#include "workspace/varnel_doc.h"

#include <algorithm>

int CVarnelDoc::fileCount() const {
  return ws_.lines.empty() ? 0 : ws_.lines.back().fileNumber;
}

void CVarnelDoc::clear() { ws_.lines.clear(); }

void CVarnelDoc::appendLine(workspace::MessageLine line) { ws_.lines.push_back(std::move(line)); }

void CVarnelDoc::insertLineAfter(int index, workspace::MessageLine line) {
  const auto at = static_cast<size_t>(std::clamp(index + 1, 0, lineCount()));
  ws_.lines.insert(ws_.lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}
