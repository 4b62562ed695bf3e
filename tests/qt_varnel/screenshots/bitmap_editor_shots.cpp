#include "bitmaps/ui/graphic_window.h"
#include "i18n/language_module.h"
#include "tests/qt_varnel/screenshots/shots.h"
#include "tests/support/temp_dir.h"

namespace {

// A small picture as an operator draws it: a red heart, a green arrow and "OK" in amber.
// clang-format off
constexpr const char* kRows[] = {
    " 11 11        22        888  8  8",
    "1111111        22      8   8 8 8 ",
    "1111111  2222222222    8   8 88  ",
    " 11111   22222222222   8   8 88  ",
    "  111    2222222222    8   8 8 8 ",
    "   1           22      8   8 8  8",
    "              22        888  8  8",
};
// clang-format on

}  // namespace

bool bitmapEditorShot(const QString& out) {
  testing_support::TempDir dir;
  i18n::LanguageModule language(dir.path());
  language.init();
  bitmaps::CBitmapCatalog catalog(80);
  catalog.getOrCreate(1, true);
  catalog.getOrCreate(2, true);
  bitmaps::ui::CGraphicWindow window(catalog, 2, language);
  bitmaps::CBitmapEditor& editor = window.editor();
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; kRows[y][x] != '\0'; ++x) {
      if (kRows[y][x] == ' ') continue;
      editor.chooseColour(static_cast<uint8_t>(kRows[y][x] - '0'));
      editor.press(bitmaps::CBitmapEditor::Button::kLeft, x + 4, y);
      editor.release(bitmaps::CBitmapEditor::Button::kLeft);
    }
  }
  editor.chooseColour(8);
  return save(window, out, "bitmap_editor");
}
