#include <gtest/gtest.h>

#include <random>
#include <set>

#include "i18n/dialog_texts.h"
#include "i18n/language_file.h"
#include "i18n/menu_texts.h"
#include "i18n/string_table.h"

namespace {

using i18n::LanguageFile;

TEST(MenuRegistry, KeysNumberPopupsAndCommandsButNotSeparators) {
  const auto main = i18n::menuKeys(i18n::mainMenuTemplate());
  const auto editor = i18n::menuKeys(i18n::bitmapEditorMenuTemplate());
  EXPECT_EQ(main.size() + editor.size(), 49u);
  ASSERT_EQ(main.size(), 40u);
  EXPECT_EQ(main.front().number, 0);
  EXPECT_EQ(main.back().number, 39);
  EXPECT_STREQ(main[0].item->text, "File");
  EXPECT_STREQ(main[1].item->text, "Language");
  EXPECT_STREQ(main[2].item->text, "New");  // a separator stands between them
  EXPECT_STREQ(main.back().item->text, "About Orvanta...");
  ASSERT_EQ(editor.size(), 9u);
  EXPECT_EQ(editor.front().number, 200);
  EXPECT_STREQ(editor.front().item->text, "File");
  EXPECT_EQ(editor.back().number, 208);
  EXPECT_STREQ(editor.back().item->text, "Remove current bitmap image from catalog");
}

TEST(MenuRegistry, EveryCommandHasAUniqueIdAndAStatusBarPrompt) {
  std::set<int> ids;
  for (const auto* menu : {&i18n::mainMenuTemplate(), &i18n::bitmapEditorMenuTemplate()}) {
    for (const auto& key : i18n::menuKeys(*menu)) {
      if (key.item->kind != i18n::MenuItemKind::kCommand) continue;
      EXPECT_TRUE(ids.insert(key.item->commandId).second) << key.item->text;
      if (key.item->commandId == i18n::ID_APP_ABOUT) continue;
      EXPECT_NE(i18n::builtinText(key.item->commandId), "") << key.item->text;
    }
  }
}

TEST(DialogRegistry, NumbersAreSortedAndControlIdsUniqueWithinADialog) {
  const auto& all = i18n::dialogTemplates();
  for (size_t i = 0; i < all.size(); ++i) {
    if (i > 0) {
      EXPECT_LT(all[i - 1].number, all[i].number);
    }
    EXPECT_NE(std::string(all[i].caption), "");
    std::set<int> ids;
    for (const auto& c : all[i].controls) {
      if (c.id != i18n::kIdStatic) {
        EXPECT_TRUE(ids.insert(c.id).second) << all[i].number << "/" << c.id;
      }
    }
  }
  const auto* language = i18n::findDialogTemplate(i18n::IDD_LANGUAGE_SETTING);
  ASSERT_NE(language, nullptr);
  EXPECT_STREQ(language->caption, "Language setting");
  ASSERT_NE(i18n::findDialogControl(*language, 1097), nullptr);
  EXPECT_EQ(i18n::findDialogControl(*language, 1097)->kind, i18n::ControlKind::kComboBox);
  EXPECT_EQ(i18n::findDialogTemplate(999), nullptr);
}

TEST(LanguageEscapes, AreReplacedInOrderAndWrittenBackLosslessly) {
  EXPECT_EQ(i18n::unescapeLanguageText("one\\ntwo\\rthree\\tfour"), "one\ntwo\rthree\tfour");
  EXPECT_EQ(i18n::unescapeLanguageText("C:\\\\new"), "C:\\\new");  // "\n" wins over "\\"
  for (const std::string text : {"Msg ", " lead", "'quoted'", "\"both\"", "a\r\nb\tc", "  ",
                                 "100% = done", "[not a section]"}) {
    const std::string file = "[S]\r\nK=" + i18n::escapeLanguageText(text) + "\r\n";
    EXPECT_EQ(i18n::unescapeLanguageText(LanguageFile::parse(file).value("S", "K")), text) << text;
  }
}

TEST(LanguageFileParse, FollowsTheProfileRules) {
  const auto file = LanguageFile::parse(
      "junk=before any section\n"
      "[ Dialog String ]\r\n"
      "  idd215_title =  \"Sprache\"  \r\n"
      "IDD215_Title=second occurrence\n"
      "no equals sign\n"
      "[dialog string]\n"
      "IDD1_Title=in a repeated section\n"
      "[Other]\n"
      "Long=" +
      std::string(1500, 'x') +
      "\n"
      "Last=no line end");
  EXPECT_EQ(file.value("DIALOG STRING", "IDD215_TITLE"), "Sprache");
  EXPECT_EQ(file.value("Dialog String", "IDD1_Title"), "");
  EXPECT_EQ(file.value("Other", "Long").size(), LanguageFile::kMaxValueLength);
  EXPECT_EQ(file.value("Other", "Last"), "no line end");
  EXPECT_EQ(file.value("Missing", "Last"), "");
}

TEST(LanguageFileParse, SurvivesRandomBytes) {
  std::mt19937 rng(7);
  const std::string alphabet = "[]=\r\n\"' aZ\\\x00\xff";
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(rng() % 200, '\0');
    for (char& c : bytes)
      c = alphabet[rng() % alphabet.size()];
    const auto file = LanguageFile::parse(bytes);
    EXPECT_LE(file.value("a", "a").size(), LanguageFile::kMaxValueLength);
  }
}

// The English file as a whole: its exact opening, line ends and section order.
TEST(EnglishLanguageFile, HasThePreambleCrLfLinesAndSectionOrder) {
  const std::string file = i18n::builtinEnglishLanguageFile();
  EXPECT_EQ(file.rfind("Note:\r\nPlease do not edit these characters as follows:\r\n"
                       "\\n,\\r,\\t,\\r,%d,%s\r\n\r\n\r\n[Setting]\r\nLanguage=English\r\n",
                       0),
            0u);
  for (size_t i = 0; i < file.size(); ++i) {
    if (file[i] == '\n') {
      ASSERT_EQ(file[i - 1], '\r') << "bare line feed at " << i;
    }
    if (file[i] == '\r') {
      ASSERT_EQ(file[i + 1], '\n') << "bare carriage return at " << i;
    }
  }
  const size_t setting = file.find("[Setting]");
  const size_t dialogs = file.find("[Dialog String]");
  const size_t menus = file.find("[Menu String]");
  const size_t strings = file.find("[String Table]");
  EXPECT_LT(setting, dialogs);
  EXPECT_LT(dialogs, menus);
  EXPECT_LT(menus, strings);
  EXPECT_EQ(file.find("\r\nIDD215_1097="), std::string::npos);  // a combo box keeps its text
  EXPECT_NE(file.find("\r\nIDD215_Title=Language setting\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nIDS_MENU_0=File\r\nIDS_MENU_1=Language\r\nIDS_MENU_2=New\r\n"),
            std::string::npos);
  EXPECT_EQ(file.find("IDS_MENU_40="), std::string::npos);
  EXPECT_NE(file.find("\r\nIDS_STRINGTABLE_108=Show or hide ZiTi\\nToggle ZiTi\r\n"),
            std::string::npos);
}

TEST(EnglishLanguageFile, ParsesBackToExactlyTheBuiltInTexts) {
  const auto file = LanguageFile::parse(i18n::builtinEnglishLanguageFile());
  EXPECT_EQ(file.value("Setting", "Language"), "English");
  for (const auto& entry : i18n::builtinStrings()) {
    EXPECT_EQ(
        i18n::unescapeLanguageText(file.value("String Table", i18n::stringTableKey(entry.id))),
        entry.text)
        << entry.id;
  }
  int dialogKeys = 0;
  for (const auto& dialog : i18n::dialogTemplates()) {
    EXPECT_EQ(file.value("Dialog String", i18n::dialogTitleKey(dialog.number)), dialog.caption);
    for (const auto& control : dialog.controls) {
      const std::string value =
          file.value("Dialog String", i18n::dialogControlKey(dialog.number, control.id));
      if (i18n::isTranslatableControl(control)) {
        ++dialogKeys;
        EXPECT_EQ(i18n::unescapeLanguageText(value), control.text)
            << dialog.number << "/" << control.id;
      } else if (control.id != i18n::kIdStatic) {
        EXPECT_EQ(value, "") << dialog.number << "/" << control.id;
      }
    }
  }
  EXPECT_GT(dialogKeys, 150);
  for (const auto* menu : {&i18n::mainMenuTemplate(), &i18n::bitmapEditorMenuTemplate()}) {
    for (const auto& key : i18n::menuKeys(*menu)) {
      EXPECT_EQ(file.value("Menu String", i18n::menuKey(key.number)), key.item->text);
    }
  }
}

}  // namespace
