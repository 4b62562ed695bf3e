#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"
#include "workspace/message_model.h"

namespace workspace {

inline constexpr int kWorkspaceFileVersion = 35;  // The only version written ("KVXSDV3.5").
// Larger files are refused as unopenable; 99 full messages take a small fraction of this.
inline constexpr size_t kMaxWorkspaceFileBytes = size_t{64} << 20;

// The detail of the kCannotOpen status of a raw-format file whose ".ctl" file is missing, which
// tells it from a workspace file that cannot be opened itself.
inline constexpr std::string_view kControlFileMissingDetail = "control file missing";

struct LoadOptions {
  // Asked for a file without header, with the question's text; true means Yes. Unset means No.
  std::function<bool(const std::string& question)> confirmOldVersion;
};

// What a successful load gives.
struct LoadedWorkspace {
  // Texts to show although the load succeeded (the lost send list of versions 32 and 33).
  std::vector<std::string> warnings;
  Workspace workspace;
  int version = 0;  // Major * 10 + minor from the header; 0 for a headerless file.
  // Files of version 30 and below carry neither the sign settings nor the scheduler block: the
  // caller keeps its own values for those (workspace.signWidth, colourMode and scheduler are then
  // left at their defaults here).
  bool hasSignSettings = false;
  bool hasScheduler = false;
};

// Reads a workspace file of any version. Nothing outside the result changes, so a failed load
// leaves the caller's workspace as it was. Failures, each with the user's text:
//  - kCannotOpen: the file cannot be opened ("Error when open the file"), or a raw-format file's
//    ".ctl" file is missing (its own text; detail kControlFileMissingDetail);
//  - kDeclined: a headerless file whose old-version question was answered No (the text is the
//    question);
//  - kDamaged: a field ends early or holds a count or value no writer produces ("Error when
//    reading file,...");
//  - kTooNew: a version above 3.5, written by a newer program.
platform::Result<LoadedWorkspace> loadWorkspaceFile(const std::string& path,
                                                    const LoadOptions& options = {});

// The same on bytes already in memory. `controlFile` holds the ".ctl" file's bytes for the raw
// layouts (nullopt when it does not exist); `path` is used only in message texts.
platform::Result<LoadedWorkspace> parseWorkspaceFile(std::string_view bytes,
                                                     const std::optional<std::string>& controlFile,
                                                     const std::string& path,
                                                     const LoadOptions& options = {});

// True when the reader accepts the workspace back as it is: sign width above 0, colour mode 1 or
// 2, at most 65536 lines (the control records' line index is 16-bit), every line with at most 100
// elements, a file number 1-99 and no control past its end. The editor keeps all of these; other
// sources of workspaces (imports) check them before saving.
bool isStorableWorkspace(const Workspace& ws);
// Why the reader would not accept the workspace back (one line, English); empty when it would.
std::string storableWorkspaceFault(const Workspace& ws);

// The version 3.5 bytes of a workspace.
std::string serializeWorkspace(const Workspace& ws);

// Writes the workspace as version 3.5, replacing any existing file only once the new one is
// complete. On failure returns kCannotWrite with the user's text ("Error when create file"); a
// workspace that is not isStorableWorkspace() is refused that way without touching the file. The
// status's detail says why: the broken rule, or the system's reason the write failed.
platform::Status saveWorkspaceFile(const std::string& path, const Workspace& ws);

// The control file of a raw-format workspace: the path up to its first '.', then ".ctl".
std::string controlFilePathFor(const std::string& workspacePath);

}  // namespace workspace
