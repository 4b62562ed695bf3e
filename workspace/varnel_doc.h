#pragma once

#include <string>

#include "workspace/message_model.h"

// The document: owns the message workspace (lines, their controls, the sign settings and the
// scheduler settings), its path and its modified flag. The editor works on it in place.
class CVarnelDoc {
 public:
  CVarnelDoc() = default;
  CVarnelDoc(const CVarnelDoc&) = delete;
  CVarnelDoc& operator=(const CVarnelDoc&) = delete;

  workspace::Workspace& workspace() { return ws_; }
  const workspace::Workspace& workspace() const { return ws_; }

  // The file number of the last display line; 0 when the workspace is empty.
  int fileCount() const;
  // The number of display lines.
  int lineCount() const { return static_cast<int>(ws_.lines.size()); }
  // Removes every line (and with it every control list); the sign settings stay.
  void clear();
  // Adds a line at the end.
  void appendLine(workspace::MessageLine line);
  // Adds a line after display line `index` (-1: before the first line). Indices past the end
  // append.
  void insertLineAfter(int index, workspace::MessageLine line);

  const std::string& path() const { return path_; }
  void setPath(std::string path) { path_ = std::move(path); }
  bool isModified() const { return modified_; }
  void setModified(bool modified) { modified_ = modified; }

 private:
  workspace::Workspace ws_;
  std::string path_;        // Where the workspace was loaded from or saved to; empty when new.
  bool modified_ = false;   // Changed since the last load or save.
};
