#pragma once

#include <string>

#include "workspace/message_model.h"
#include "workspace/workspace_file.h"

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

  // Writes the workspace to `path` as version 3.5. On success the document takes `path` and is no
  // longer modified; on failure nothing changes and *error holds the user's text.
  bool save(const std::string& path, std::string* error);
  // Reads a workspace file. On success the lines and the Image Transfer File path are replaced,
  // and the sign settings and scheduler settings too when the file carries them (files of version
  // 3.0 and below leave them as they were); the document takes `path` and is not modified. On
  // failure the workspace stays as it was; when the file cannot be opened the path is emptied.
  workspace::LoadResult load(const std::string& path, const workspace::LoadOptions& options = {});

  const std::string& path() const { return path_; }
  void setPath(std::string path) { path_ = std::move(path); }
  bool isModified() const { return modified_; }
  void setModified(bool modified) { modified_ = modified; }

 private:
  workspace::Workspace ws_;
  std::string path_;       // Where the workspace was loaded from or saved to; empty when new.
  bool modified_ = false;  // Changed since the last load or save.
};
