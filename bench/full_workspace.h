#pragma once

#include "workspace/editor_model.h"
#include "workspace/sign_tables.h"

// The workspace the preview benches measure: 99 messages of 80 items each, in every colour and
// font, with time and date, symbols, special characters, pre-defined bitmaps, effects and speeds.
namespace bench {

inline void fillWorkspace(workspace::EditorModel& editor) {
  using namespace workspace;
  for (int message = 1; message <= kMaxMessages; ++message) {
    if (message > 1) editor.newMessage();
    editor.insertControl(kControlTransition, 1 + message % 25);
    for (int i = 0; i < 80; ++i) {
      editor.setColour(i % kColourCount);
      editor.setFont(i % kFontCount);
      switch (i % 20) {
        case 5:
          editor.insertItem(kKindTime, 0);
          break;
        case 9:
          editor.insertItem(kKindSymbol, i % kSymbolCount + kInsertItemCodeOffset);
          break;
        case 13:
          editor.insertItem(kKindSpecialCharacter,
                            i % kSpecialCharacterCount + kInsertItemCodeOffset);
          break;
        case 17:
          editor.insertControl(kControlSpeed, 1 + i % 8);
          break;
        case 19:
          editor.insertItem(kKindPredefinedBitmap,
                            i % kPredefinedBitmapCount + kInsertItemCodeOffset);
          break;
        default:
          editor.typeCharacter('A' + i % 26);
      }
    }
  }
}

}  // namespace bench
