#include "workspace/sign_tables.h"

#include <gtest/gtest.h>

#include <set>

#include "i18n/string_table.h"
#include "sdv_test_bytes.h"

namespace {

using namespace workspace;
using sdv_test::el;

TEST(SignTables, ColourCodesSwapTheFirstTwoAndEndAtBF) {
  EXPECT_EQ(colourSignCode(0), 0xB1);
  EXPECT_EQ(colourSignCode(1), 0xB0);
  EXPECT_EQ(colourSignCode(15), 0xBF);
  EXPECT_FALSE(colourSignCode(16));
  EXPECT_EQ(i18n::text(*colourStringId(15)), "Yellow On Green");
}

TEST(SignTables, ControlBytesCoverEachTypesRange) {
  struct Case {
    int type, value;
    std::string bytes;
  };
  const Case cases[] = {
      {kControlBeep, 1, "\xEF\xE0"},
      {kControlBeep, 3, "\xEF\xE2"},
      {kControlCartoon, 1, "\xEF\x90"},
      {kControlCartoon, 8, "\xEF\x97"},
      {kControlPause, 1, "\xEF\xC8"},
      {kControlPause, 8, "\xEF\xCF"},
      {kControlSpeed, 1, "\xEF\xC0"},
      {kControlSpeed, 8, "\xEF\xC7"},
      {kControlTransition, 1, "\x01"},
      {kControlTransition, 25, "\x19"},
      {kControlBeep, 4, ""},
      {kControlTransition, 26, ""},
      {kControlSpeed, 0, ""},
      {0, 1, ""},
      {6, 1, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(controlSignBytes(c.type, c.value), c.bytes) << c.type << "/" << c.value;
  }
  EXPECT_EQ(controlInfo(kControlCartoon)->defaultValue, 8);
  EXPECT_EQ(controlEntryText(kControlPause, 8), "Pause 60S");
  EXPECT_EQ(controlEntryText(kControlTransition, 25), "Compress Text");
}

TEST(SignTables, SpecialCharactersSkipB2) {
  std::set<int> seen;
  for (int i = 0; i < kSpecialCharacterCount; ++i)
    seen.insert(*specialCharacterByte(i));
  EXPECT_EQ(seen.size(), 66u);
  EXPECT_EQ(seen.count(0xB2), 0u);
  EXPECT_EQ(specialCharacterByte(47), 0xAF);
  EXPECT_EQ(specialCharacterByte(48), 0xB0);
  EXPECT_EQ(specialCharacterByte(50), 0xB3);
  EXPECT_EQ(specialCharacterByte(51), 0xB4);
  EXPECT_EQ(specialCharacterByte(52), 0xE0);
  EXPECT_EQ(specialCharacterByte(65), 0xED);
  EXPECT_FALSE(specialCharacterByte(66));
}

TEST(SignTables, DisplayWidths) {
  EXPECT_EQ(elementDisplayWidth(el('A', kKindCharacter, 1, 3)), 32);
  EXPECT_EQ(elementDisplayWidth(el(3, kKindSpecialCharacter, 1, 6)), 12);
  EXPECT_EQ(elementDisplayWidth(el(kNewlineCode)), 0);
  EXPECT_EQ(elementDisplayWidth(el(0, kKindTime, 1, 0)), 9 * 16);
  EXPECT_EQ(elementDisplayWidth(el(0, kKindDate, 1, 5)), 10 * 46);
  EXPECT_EQ(elementDisplayWidth(el(0, kKindSymbol)), 46);
  EXPECT_EQ(elementDisplayWidth(el(0, kKindPredefinedBitmap)), 214);
  EXPECT_EQ(elementDisplayWidth(el(42, kKindUserBitmap)), 214);
  EXPECT_EQ(elementDisplayWidth(el('A', kKindCharacter, 1, 99)), 16);  // default font's cell
  EXPECT_EQ(controlDisplayWidth({0, kControlTransition, 1}), 7 * 8);   // "[Cyclic]"
  EXPECT_EQ(controlDisplayWidth({0, kControlTransition, 99}), 0);
}

TEST(SignTables, LabelIsTheEntryTextAfterItsLineBreak) {
  i18n::setLanguageLookup([](int id) { return id == 33125 ? std::string("Pause\n2s") : ""; });
  EXPECT_EQ(controlLabel(kControlPause, 1), "[2s]");
  EXPECT_EQ(controlDisplayWidth({0, kControlPause, 1}), 7 * 4);
  EXPECT_EQ(controlLabel(kControlPause, 2), "[Pause 3S]");
  i18n::setLanguageLookup({});
}

}  // namespace
