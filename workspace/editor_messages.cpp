#include "workspace/editor_messages.h"

#include "i18n/string_ids.h"
#include "i18n/string_table.h"

namespace workspace {

std::string EditorMessage::text() const {
  return i18n::formatText(i18n::text(textId), args);
}

std::string EditorMessage::caption() const {
  return i18n::text(captionId);
}

namespace {

EditorMessage warning(int textId, MessageIcon icon, MessageButtons buttons) {
  EditorMessage message;
  message.textId = textId;
  message.captionId = i18n::IDS_CAPTION_WARNING;
  message.icon = icon;
  message.buttons = buttons;
  return message;
}

}  // namespace

EditorMessage mustInputTextMessage() {
  return warning(i18n::IDS_MUST_INPUT_TEXT_FIRST, MessageIcon::kError, MessageButtons::kOk);
}

EditorMessage tooManyMessagesMessage() {
  return warning(i18n::IDS_TOO_MANY_MESSAGES, MessageIcon::kExclamation, MessageButtons::kOk);
}

EditorMessage combineFilePrompt(int fileNumber) {
  EditorMessage message =
      warning(i18n::IDS_ASK_COMBINE_FILE, MessageIcon::kQuestion, MessageButtons::kYesNo);
  message.args.emplace_back(static_cast<long long>(fileNumber));
  return message;
}

EditorMessage deleteFilePrompt(int fileNumber) {
  EditorMessage message =
      warning(i18n::IDS_ASK_DELETE_FILE, MessageIcon::kQuestion, MessageButtons::kYesNo);
  message.args.emplace_back(static_cast<long long>(fileNumber));
  return message;
}

EditorMessage blankWorkspaceSendPrompt() {
  return warning(i18n::IDS_ASK_OPEN_FOR_BLANK_SEND, MessageIcon::kQuestion,
                 MessageButtons::kYesNoCancel);
}

std::optional<EditorMessage> savePrompt(SavePromptCommand command, bool modified) {
  if (!modified) return std::nullopt;
  int textId = i18n::IDS_ASK_SAVE_BEFORE_NEW;
  switch (command) {
    case SavePromptCommand::kNew:
      textId = i18n::IDS_ASK_SAVE_BEFORE_NEW;
      break;
    case SavePromptCommand::kOpen:
      textId = i18n::IDS_ASK_SAVE_BEFORE_OPEN;
      break;
    case SavePromptCommand::kExit:
      textId = i18n::IDS_ASK_SAVE_BEFORE_EXIT;
      break;
    case SavePromptCommand::kSendSavedFile:
      textId = i18n::IDS_ASK_SAVE_BEFORE_SEND_FILE;
      break;
  }
  return warning(textId, MessageIcon::kExclamation, MessageButtons::kYesNoCancel);
}

SaveDecision decideSave(PromptAnswer answer, bool hasPath) {
  switch (answer) {
    case PromptAnswer::kYes:
      return hasPath ? SaveDecision::kSave : SaveDecision::kSaveAs;
    case PromptAnswer::kNo:
      return SaveDecision::kDiscard;
    case PromptAnswer::kCancel:
      break;
  }
  return SaveDecision::kStop;
}

UserBitmapDecision decideUserBitmapCommand(bool transferFileLoaded, int imageCount) {
  UserBitmapDecision decision;
  if (!transferFileLoaded) {
    decision.step = UserBitmapStep::kLoadTransferFile;
    decision.message =
        warning(i18n::IDS_NO_TRANSFER_FILE_LOADED, MessageIcon::kInformation, MessageButtons::kOk);
  } else if (imageCount <= 0) {
    decision.step = UserBitmapStep::kNoImages;
    decision.message =
        warning(i18n::IDS_NO_USER_BITMAPS, MessageIcon::kInformation, MessageButtons::kOk);
  }
  return decision;
}

}  // namespace workspace
