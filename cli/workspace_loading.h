#pragma once

#include <string>
#include <vector>

#include "app/varnel_profile.h"
#include "bitmaps/bitmap_catalog.h"
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

// A workspace with what sending or exporting it needs besides: the sign it is written for, the
// images its Image Transfer File lists and the picture catalog they are taken from.
struct WorkspaceToSend {
  workspace::LoadedWorkspace loaded;
  // The workspace's own width and colour mode, or the profile's for a file without them.
  varnel_profile::SignSettings sign;
  std::vector<int> transferImages;
  bitmaps::CBitmapCatalog catalog;
};

// Loads the workspace file at `path` as loadWorkspaceForCommand() does and, when it lists images,
// the data directory's picture file for its sign (a picture file that cannot be read is a warning:
// the text is still sent, without the images). False when the workspace could not be loaded.
bool loadWorkspaceToSend(CliContext& ctx, const std::string& path, bool answerOldYes,
                         WorkspaceToSend* out);

}  // namespace cli
