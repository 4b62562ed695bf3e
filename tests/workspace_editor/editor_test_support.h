#pragma once

#include <string>
#include <vector>

#include "workspace/editor_model.h"
#include "workspace/varnel_doc.h"

namespace editor_test {

// A document with an editor on it.
struct Editor {
  workspace::CVarnelDoc doc;
  workspace::EditorModel model{doc};

  std::vector<workspace::MessageLine>& lines() { return doc.workspace().lines; }
  void type(const std::string& text) {
    for (char c : text)
      model.typeCharacter(static_cast<unsigned char>(c));
  }
};

// Three one-line messages "A", "B", "C" with the caret at the end of "C".
inline void makeThreeMessages(Editor& e) {
  e.type("A");
  e.model.newMessage();
  e.type("B");
  e.model.newMessage();
  e.type("C");
}

// A line as text: characters as themselves, the newline element as '|', other elements as
// "<kind:code>", controls as "[type:value]".
inline std::string show(const workspace::MessageLine& line) {
  std::string out;
  for (const workspace::EditorItem& item : workspace::lineItems(line)) {
    if (item.isControl) {
      out +=
          "[" + std::to_string(item.control.type) + ":" + std::to_string(item.control.value) + "]";
    } else if (item.isNewline()) {
      out += "|";
    } else if (item.element.kind == workspace::kKindCharacter) {
      out += static_cast<char>(item.element.code);
    } else {
      out +=
          "<" + std::to_string(item.element.kind) + ":" + std::to_string(item.element.code) + ">";
    }
  }
  return out;
}

// Every line as "number:text".
inline std::vector<std::string> showAll(const workspace::CVarnelDoc& doc) {
  std::vector<std::string> out;
  for (const workspace::MessageLine& line : doc.workspace().lines) {
    out.push_back(std::to_string(line.fileNumber) + ":" + show(line));
  }
  return out;
}

}  // namespace editor_test
