#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "bitmaps/editor_prompts.h"

// Answers the editor's questions from a script and records what it was asked.
struct ScriptedDialogs : bitmaps::EditorDialogs {
  std::deque<bitmaps::PromptAnswer> answers;
  std::vector<bitmaps::EditorPrompt> asked;
  std::optional<std::string> typed;  // what the index dialog returns
  int indexDialogs = 0;

  bitmaps::PromptAnswer ask(const bitmaps::EditorPrompt& prompt) override {
    asked.push_back(prompt);
    if (answers.empty()) {
      if (prompt.isQuestion()) ADD_FAILURE() << "unexpected question: " << prompt.text;
      return bitmaps::PromptAnswer::kYes;
    }
    const bitmaps::PromptAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::optional<std::string> askIndexNumber() override {
    ++indexDialogs;
    return typed;
  }
  // The text ids asked, in order.
  std::vector<int> askedIds() const {
    std::vector<int> ids;
    for (const bitmaps::EditorPrompt& p : asked)
      ids.push_back(p.textId);
    return ids;
  }
};
