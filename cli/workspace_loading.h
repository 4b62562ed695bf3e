#pragma once

#include <string>
#include <vector>

#include "app/send_content.h"
#include "cli/cli_context.h"
#include "workspace/workspace_file.h"

namespace cli {

// Loads a workspace file for a command. A file without header is read only when `answerOldYes`
// (the --old option) is set, and is otherwise refused with the question the program would have
// asked. Failures are reported through ctx (false is returned); warnings go to stderr.
bool loadWorkspaceForCommand(CliContext& ctx, const std::string& path, bool answerOldYes,
                             workspace::LoadedWorkspace* loaded);

// The image index numbers of the workspace's Image Transfer File, in slot order; empty when it
// names none. A list file that cannot be read is reported on stderr as a warning.
std::vector<int> loadTransferImages(const workspace::Workspace& ws);

// A workspace with what sending or exporting it needs besides (app/send_content.h). `content`
// points into `loaded`: the object is filled in place and not moved afterwards.
struct WorkspaceToSend {
  WorkspaceToSend() = default;
  WorkspaceToSend(const WorkspaceToSend&) = delete;
  WorkspaceToSend& operator=(const WorkspaceToSend&) = delete;

  // Its sign width and colour mode are the file's own, or the profile's for a file without them.
  workspace::LoadedWorkspace loaded;
  app::SendContent content;
};

// Loads the workspace file at `path` as loadWorkspaceForCommand() does and prepares it for sending
// with the data directory's picture file (a list or picture file that cannot be read is a warning:
// the text is still sent, without the images). False when the workspace could not be loaded.
bool loadWorkspaceToSend(CliContext& ctx, const std::string& path, bool answerOldYes,
                         WorkspaceToSend* out);

}  // namespace cli
