#pragma once

#include <string>
#include <vector>

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

}  // namespace cli
