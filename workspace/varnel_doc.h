#pragma once

#include <string>

#include "workspace/message_model.h"
#include "workspace/workspace_file.h"

namespace workspace {

// The document: owns the message workspace (lines, their controls, the sign settings and the
// scheduler settings), its path and its modified flag. The editor works on it in place.
class CVarnelDoc {
 public:
  CVarnelDoc() = default;
  CVarnelDoc(const CVarnelDoc&) = delete;
  CVarnelDoc& operator=(const CVarnelDoc&) = delete;

  Workspace& workspace() { return ws_; }
  const Workspace& workspace() const { return ws_; }

  // The file number of the last display line; 0 when the workspace is empty.
  int fileCount() const;
  // The number of display lines.
  int lineCount() const { return static_cast<int>(ws_.lines.size()); }
  // Removes every line (and with it every control list); the sign settings stay.
  void clear();
  // Adds a line at the end.
  void appendLine(MessageLine line);
  // Adds a line after display line `index` (-1: before the first line). Indices past the end
  // append.
  void insertLineAfter(int index, MessageLine line);

  // Writes the workspace to `path` as version 3.5. On success the document takes `path` and is no
  // longer modified; on failure nothing changes and the status holds the user's text followed by
  // why in parentheses (the system's reason, or the rule the workspace breaks).
  platform::Status save(const std::string& path);
  // Reads a workspace file. On success the lines and the Image Transfer File path are replaced,
  // and the sign settings and scheduler settings too when the file carries them (files of version
  // 3.0 and below leave them as they were); the document takes `path` and is not modified, and
  // the result holds the file's version, flags and warnings (its workspace is left empty). On
  // failure (see loadWorkspaceFile) the workspace stays as it was; when the workspace file itself
  // cannot be opened the path is emptied.
  platform::Result<LoadedWorkspace> load(const std::string& path, const LoadOptions& options = {});

  const std::string& path() const { return path_; }
  void setPath(std::string path) { path_ = std::move(path); }
  bool isModified() const { return modified_; }
  void setModified(bool modified) { modified_ = modified; }

 private:
  Workspace ws_;
  std::string path_;       // Where the workspace was loaded from or saved to; empty when new.
  bool modified_ = false;  // Changed since the last load or save.
};

}  // namespace workspace
