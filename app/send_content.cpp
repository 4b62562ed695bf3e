#include "app/send_content.h"

#include "bitmaps/picture_file.h"
#include "bitmaps/transfer_file.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"

namespace app {
namespace {

constexpr int kLastMessageNumber = 99;

std::string note(int id, const std::vector<i18n::FormatArg>& args) {
  return i18n::formatText(i18n::text(id), args);
}

}  // namespace

void takeSignSettingsInEffect(workspace::LoadedWorkspace* loaded,
                              const varnel_profile::SignSettings& inEffect) {
  if (loaded->hasSignSettings) return;
  loaded->workspace.signWidth = inEffect.width;
  loaded->workspace.colourMode = inEffect.colourMode;
}

varnel_profile::SignSettings signSettingsOf(const workspace::Workspace& ws) {
  return {ws.signWidth, ws.colourMode};
}

SendContent prepareSendContent(const workspace::Workspace& ws, const std::string& dataDir,
                               const CatalogForSign& inMemory) {
  SendContent content;
  content.workspace = &ws;
  const varnel_profile::SignSettings sign = signSettingsOf(ws);
  const auto width = static_cast<uint16_t>(sign.width);
  content.catalog = bitmaps::CBitmapCatalog(width);
  if (!ws.transferFilePath.empty()) {
    bitmaps::ImageTransferFile list;
    const platform::Status read = bitmaps::loadTransferFile(ws.transferFilePath, &list);
    if (read.ok()) {
      content.transferImages = list.images();
    } else {
      content.warnings.push_back(read.message());
    }
  }
  if (content.transferImages.empty()) return content;
  if (inMemory.catalog != nullptr && inMemory.sign.width == sign.width &&
      inMemory.sign.colourMode == sign.colourMode) {
    content.catalog = *inMemory.catalog;
    return content;
  }
  if (dataDir.empty()) return content;
  const platform::Status pictures =
      bitmaps::loadPictures(bitmaps::picturePath(dataDir, sign.width, sign.colourMode), width,
                            sign.colourMode, &content.catalog);
  if (!pictures.ok()) content.warnings.push_back(pictures.message());
  return content;
}

platform::Result<signlink::SignStream> buildSendStream(signlink::SendCommand command,
                                                       const SendContent* content,
                                                       const std::vector<uint8_t>& addresses,
                                                       const platform::LocalTime& now) {
  switch (command) {
    case signlink::SendCommand::kTest:
      return signlink::SignStream{signlink::buildTestStream(addresses), {}};
    case signlink::SendCommand::kClearMemory:
      return signlink::SignStream{signlink::buildClearMemoryStream(addresses), {}};
    case signlink::SendCommand::kWorkspace:
      break;
  }
  signlink::WorkspaceStreamInput in;
  in.workspace = content->workspace;
  in.signWidth = content->workspace->signWidth;
  in.now = now;
  in.transferImages = content->transferImages;
  in.catalog = &content->catalog;
  return signlink::buildWorkspaceStream(in, addresses);
}

signlink::StreamBuilder sendStreamBuilder(signlink::SendCommand command, const SendContent* content,
                                          const platform::LocalClock& clock) {
  return [command, content, &clock](const std::vector<uint8_t>& addresses) {
    return buildSendStream(command, content, addresses, clock.now());
  };
}

std::vector<std::string> leftOutNotes(const signlink::SignStream& stream) {
  std::vector<std::string> notes;
  for (const int image : stream.missingImages) {
    notes.push_back(note(i18n::IDS_SEND_IMAGE_LEFT_OUT, {static_cast<long long>(image)}));
  }
  if (stream.elementsLeftOut > 0) {
    notes.push_back(
        note(i18n::IDS_SEND_ELEMENTS_LEFT_OUT, {static_cast<long long>(stream.elementsLeftOut)}));
  }
  if (stream.messagesLeftOut > 0) {
    notes.push_back(note(i18n::IDS_SEND_MESSAGES_LEFT_OUT,
                         {static_cast<long long>(kLastMessageNumber + 1),
                          static_cast<long long>(kLastMessageNumber + stream.messagesLeftOut)}));
  }
  return notes;
}

std::vector<std::string> workspaceLeftOutNotes(const SendContent& content) {
  const platform::Result<signlink::SignStream> built =
      buildSendStream(signlink::SendCommand::kWorkspace, &content, {0}, platform::LocalTime{});
  return built.ok() ? leftOutNotes(*built) : std::vector<std::string>{};
}

}  // namespace app
