#include "bitmaps/bitmap_editor.h"

#include <algorithm>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"

namespace bitmaps {

namespace {

constexpr uint8_t kFirstColour = 1;
constexpr uint8_t kLastColour = 8;

size_t buttonSlot(CBitmapEditor::Button button) {
  return button == CBitmapEditor::Button::kLeft ? 0 : 1;
}

}  // namespace

std::string editorLabel(EditorLabel label) {
  switch (label) {
    case EditorLabel::kColour:
      return i18n::text(i18n::IDS_EDITOR_COLOUR);
    case EditorLabel::kIndexNumber:
      return i18n::text(i18n::IDS_EDITOR_INDEX_NUMBER);
    case EditorLabel::kPreviewPane:
      return i18n::text(i18n::IDS_EDITOR_PREVIEW_PANE);
    case EditorLabel::kTotalCatalog:
      return i18n::text(i18n::IDS_CATALOG_TOTAL);  // the catalog window's label too
    case EditorLabel::kBitmapImages:
      break;
  }
  return i18n::text(i18n::IDS_EDITOR_BITMAP_IMAGES);
}

CBitmapEditor::CBitmapEditor(CBitmapCatalog& catalog, int colourMode)
    : catalog_(catalog),
      colourMode_(colourMode),
      width_(catalog.signWidth()),
      pixels_(static_cast<size_t>(width_) * kImageRows, kEmptyCell) {
  if (catalog_.full()) {
    index_ = 1;
    load(1, nullptr);
  } else {
    index_ = catalog_.nextFreeIndex();
  }
}

bool CBitmapEditor::singleColour() const {
  return colourMode_ == 1;
}

uint8_t CBitmapEditor::cell(int x, int y) const {
  if (x < 0 || x >= width_ || y < 0 || y >= kImageRows) return kEmptyCell;
  return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

std::vector<uint8_t> CBitmapEditor::palette() const {
  if (singleColour()) return {kFirstColour};
  std::vector<uint8_t> codes;
  for (uint8_t code = kFirstColour; code <= kLastColour; ++code)
    codes.push_back(code);
  return codes;
}

bool CBitmapEditor::chooseColour(uint8_t code) {
  const std::vector<uint8_t> offered = palette();
  if (std::find(offered.begin(), offered.end(), code) == offered.end()) return false;
  colour_ = code;
  return true;
}

std::string CBitmapEditor::caption() const {
  return i18n::formatText(i18n::text(i18n::IDS_EDITOR_CAPTION), {static_cast<long long>(width_)});
}

bool CBitmapEditor::paint(int x, int y, uint8_t code) {
  if (x < 0 || x >= width_ || y < 0 || y >= kImageRows) return false;
  pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = code;
  changed_ = true;
  return true;
}

bool CBitmapEditor::press(Button button, int x, int y) {
  const bool painted = paint(x, y, button == Button::kLeft ? colour_ : kEmptyCell);
  if (painted) stroke_[buttonSlot(button)] = true;
  return painted;
}

bool CBitmapEditor::drag(Button button, int x, int y) {
  // A stroke begun off the grid (on a swatch, say) and dragged onto it is stored at release as
  // well, so no painted cell is left outside the catalog.
  return press(button, x, y);
}

bool CBitmapEditor::release(Button button) {
  bool& stroke = stroke_[buttonSlot(button)];
  if (!stroke) return false;
  stroke = false;
  return store();
}

bool CBitmapEditor::store() {
  const platform::Result<CBitmapImage*> image = catalog_.getOrCreate(index_, true);
  if (!image.ok()) return false;
  CBitmapImage& target = **image;
  if (!target.setPixels(pixels_)) {
    target.fitRowsFrom(
        std::string_view(reinterpret_cast<const char*>(pixels_.data()), pixels_.size()),
        static_cast<uint16_t>(width_));
  }
  fromCatalog_ = true;
  changed_ = false;
  ++stores_;
  lastStored_ = index_;
  return true;
}

bool CBitmapEditor::load(int indexNumber, EditorDialogs* dialogs) {
  const CBitmapImage* image = catalog_.find(indexNumber);
  if (image == nullptr) {
    if (dialogs != nullptr)
      ask(*dialogs, i18n::IDS_INDEX_NOT_IN_CATALOG, PromptButtons::kOk, indexNumber);
    return false;
  }
  for (int y = 0; y < kImageRows; ++y) {
    for (int x = 0; x < width_; ++x) {
      pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] =
          image->pixel(x, y);
    }
  }
  index_ = indexNumber;
  fromCatalog_ = true;
  changed_ = false;
  return true;
}

void CBitmapEditor::startEmpty() {
  std::fill(pixels_.begin(), pixels_.end(), kEmptyCell);
  changed_ = false;
  fromCatalog_ = false;
}

PromptAnswer CBitmapEditor::ask(EditorDialogs& dialogs, int textId, PromptButtons buttons,
                                long long number) const {
  EditorPrompt prompt;
  prompt.textId = textId;
  prompt.text = i18n::formatText(i18n::text(textId), {number});
  prompt.buttons = buttons;
  return dialogs.ask(prompt);
}

bool CBitmapEditor::askToSave(EditorDialogs& dialogs, PromptButtons buttons) {
  if (!changed_) return true;
  const PromptAnswer answer = ask(dialogs, i18n::IDS_EDITOR_ASK_SAVE, buttons);
  if (answer == PromptAnswer::kCancel) return false;
  if (answer == PromptAnswer::kYes) store();
  return true;
}

std::optional<int> CBitmapEditor::indexFromTyped(std::string_view typed) {
  typed = typed.substr(0, kIndexDigits);
  if (typed.empty()) return std::nullopt;
  int number = 0;
  for (const char c : typed) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  return number;
}

}  // namespace bitmaps
