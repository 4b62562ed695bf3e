#pragma once

#include <optional>
#include <string>

namespace bitmaps {

// The buttons of a message the bitmap editor shows; every one has the caption "Warning!".
enum class PromptButtons { kOk, kOkCancel, kYesNo, kYesNoCancel };
// The user's answer; OK counts as kYes.
enum class PromptAnswer { kYes, kNo, kCancel };

// One question or message of the bitmap editor: the string-table identifier of its text, the text
// already filled in and in the current language (Windows-1252), and its buttons. A message with
// OK alone is a refusal or a notice; the others are questions.
struct EditorPrompt {
  int textId = 0;
  std::string text;
  PromptButtons buttons = PromptButtons::kOk;

  bool isQuestion() const { return buttons != PromptButtons::kOk; }
};

// What the editor's commands need from the window: showing a message and reading the answer, and
// the "Edit existing bitmap image" dialog. Tests answer with a script.
class EditorDialogs {
 public:
  virtual ~EditorDialogs() = default;
  virtual PromptAnswer ask(const EditorPrompt& prompt) = 0;
  // Runs the index number dialog; the text the user confirmed, or nothing after Cancel.
  virtual std::optional<std::string> askIndexNumber() = 0;
};

}  // namespace bitmaps
