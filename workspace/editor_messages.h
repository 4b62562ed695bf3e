#pragma once

#include <optional>
#include <string>
#include <vector>

#include "i18n/text_format.h"

// The message boxes of the message editor, as values: the editor model decides what to say and the
// window shows it. Texts are looked up in the current language when shown.

namespace workspace {

enum class MessageIcon { kError, kExclamation, kInformation, kQuestion };
enum class MessageButtons { kOk, kYesNo, kYesNoCancel };

// One message box: text and caption by string id, the arguments for the text's conversions.
struct EditorMessage {
  int textId = 0;
  std::vector<i18n::FormatArg> args;
  int captionId = 0;
  MessageIcon icon = MessageIcon::kExclamation;
  MessageButtons buttons = MessageButtons::kOk;

  // The text in the current language with the arguments filled in.
  std::string text() const;
  // The caption in the current language.
  std::string caption() const;
};

// "You must first input some text ..." (Enter or New Message in an empty workspace).
EditorMessage mustInputTextMessage();
// "The max number of file is 99, ..." (a 100th message).
EditorMessage tooManyMessagesMessage();
// "Unit the %dth file with the next file?" for message `fileNumber` (Yes/No).
EditorMessage combineFilePrompt(int fileNumber);
// "Delete the %dth file?" for message `fileNumber` (Yes/No).
EditorMessage deleteFilePrompt(int fileNumber);
// "The current message workspace is blank, whether open a disk file and transmit it?"
// (Yes/No/Cancel): only Yes goes on, by opening a workspace file to send.
EditorMessage blankWorkspaceSendPrompt();

// ---- The save prompt before a command that replaces or drops the workspace.

enum class SavePromptCommand {
  kNew,            // clearing the message workspace
  kOpen,           // opening another workspace file
  kExit,           // ending the program
  kSendSavedFile,  // "Send Saved Data File..." loads a file into the workspace
};

// The Yes/No/Cancel question to ask before `command`, or nothing when the workspace is not
// modified (the command goes straight on).
std::optional<EditorMessage> savePrompt(SavePromptCommand command, bool modified);

enum class PromptAnswer { kYes, kNo, kCancel };

enum class SaveDecision {
  kStop,     // Cancel: the command does not run.
  kDiscard,  // No: the command runs, the changes are lost.
  kSave,     // Yes with a path: save to it; the command runs only if the save succeeds.
  kSaveAs,   // Yes without a path: ask for a name and save; the command runs only if both succeed.
};

// What the answer to a save prompt means for a document that has (or lacks) a path.
SaveDecision decideSave(PromptAnswer answer, bool hasPath);

// ---- The User-Defined Bitmaps command.

enum class UserBitmapStep {
  kLoadTransferFile,  // Show the message, then offer "Load File"; ask again after it.
  kNoImages,          // Show the message; nothing to insert.
  kOpenDialog,        // Open the insert dialog.
};

struct UserBitmapDecision {
  UserBitmapStep step = UserBitmapStep::kOpenDialog;
  std::optional<EditorMessage> message;
};

// What the User-Defined Bitmaps command does with the current Image Transfer File: none loaded
// (empty path) asks for one to be loaded first; one without images has nothing to insert.
UserBitmapDecision decideUserBitmapCommand(bool transferFileLoaded, int imageCount);

}  // namespace workspace
