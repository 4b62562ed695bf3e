// Loading workspace files: picks the layout from the header and turns the layout reader's outcome
// into the user's texts. The layouts themselves are in sdv_raw_reader.cpp and
// sdv_archive_reader.cpp.
//
// Every reader works on a fresh Workspace that reaches the caller only on success, so a failed
// load leaves the caller's workspace as it was. A file that ends early or holds a count or value
// no writer produces fails with "Error when reading file,You must exit!" (kDamaged); the program
// carries on, whatever the text says.

#include "workspace/workspace_file.h"

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "platform/atomic_file.h"
#include "platform/cp1252.h"
#include "workspace/sdv_format.h"

namespace workspace {
namespace {

constexpr std::string_view kControlFileExtension = ".ctl";

// True when the header says the raw reader (and with it the control file) is needed.
bool usesRawLayout(const sdv::Header& header) {
  return !header.present || header.version <= sdv::kLastRawVersion;
}

platform::Status readError() {
  return platform::Status::damaged(i18n::text(i18n::IDS_ERROR_READING_FILE));
}

}  // namespace

platform::Result<LoadedWorkspace> parseWorkspaceFile(std::string_view bytes,
                                                     const std::optional<std::string>& controlFile,
                                                     const std::string& path,
                                                     const LoadOptions& options) {
  const sdv::Header header = sdv::parseHeader(bytes);
  if (!header.present) {
    const std::string question = i18n::text(i18n::IDS_ASK_OLD_VERSION_FILE);
    if (!options.confirmOldVersion || !options.confirmOldVersion(question)) {
      return platform::Status::declined(question);
    }
  } else if (!header.complete) {
    return readError();
  } else if (header.version > kWorkspaceFileVersion) {
    return platform::Status::tooNew(
        i18n::formatText(i18n::text(i18n::IDS_FILE_VERSION_TOO_NEW),
                         {platform::utf8ToCp1252Lossy(path), header.version}));
  }

  LoadedWorkspace result;
  result.version = header.version;
  const sdv::ReadOutcome outcome =
      usesRawLayout(header) ? sdv::readRawLayout(bytes, header.present ? sdv::kHeaderSize : 0,
                                                 controlFile, &result.workspace)
                            : sdv::readArchiveLayout(bytes, header.version, &result.workspace);
  if (outcome == sdv::ReadOutcome::kCorrupt) return readError();
  if (outcome == sdv::ReadOutcome::kControlFileMissing) {
    return platform::Status::cannotOpen(i18n::text(i18n::IDS_CONTROL_FILE_NOT_FOUND),
                                        std::string(kControlFileMissingDetail));
  }

  result.hasSignSettings = result.hasScheduler =
      header.present && header.version >= sdv::kFirstSignSettingsVersion;
  if (!result.hasSignSettings) {
    // Older files leave these to the caller; report the defaults, not what a reader half-filled.
    result.workspace.signWidth = kDefaultSignWidth;
    result.workspace.colourMode = kSingleColourMode;
    result.workspace.scheduler = {};
  }
  if (header.present && header.version >= sdv::kFirstLostSendListVersion &&
      header.version <= sdv::kLastLostSendListVersion) {
    result.warnings.push_back(
        i18n::formatText(i18n::text(i18n::IDS_OLD_FILE_LOSES_SEND_LIST),
                         {platform::utf8ToCp1252Lossy(path), header.version}));
  }
  return result;
}

platform::Result<LoadedWorkspace> loadWorkspaceFile(const std::string& path,
                                                    const LoadOptions& options) {
  const platform::Result<std::string> bytes = platform::readWholeFile(path, kMaxWorkspaceFileBytes);
  if (!bytes.ok()) {
    return platform::Status::cannotOpen(i18n::text(i18n::IDS_ERROR_OPEN_FILE), bytes.message());
  }
  std::optional<std::string> controlFile;
  if (usesRawLayout(sdv::parseHeader(*bytes))) {
    platform::Result<std::string> controls =
        platform::readWholeFile(controlFilePathFor(path), kMaxWorkspaceFileBytes);
    // A control file that cannot be read is as good as missing.
    if (controls.ok()) controlFile = std::move(controls).value();
  }
  return parseWorkspaceFile(*bytes, controlFile, path, options);
}

std::string controlFilePathFor(const std::string& workspacePath) {
  // The name is cut at the first dot of the whole path, directories included, as the program has
  // always done: "D:\old.set\msg.SDV" has the control file "D:\old.ctl".
  return workspacePath.substr(0, workspacePath.find('.')) + std::string(kControlFileExtension);
}

}  // namespace workspace
