#include <gtest/gtest.h>

#include <sys/stat.h>

#include "i18n/dialog_texts.h"
#include "i18n/language_file.h"
#include "i18n/language_module.h"
#include "i18n/menu_texts.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "language_fakes.h"
#include "tests/support/temp_dir.h"

namespace {

using i18n::LanguageModule;
using language_test::FakeDialog;
using language_test::FakeMenu;
using testing_support::readFile;
using testing_support::writeFile;

class LanguageModuleTest : public ::testing::Test {
 protected:
  void TearDown() override { i18n::setLanguageLookup({}); }

  std::string languageFile(const std::string& name) const { return dir_.file("Language/" + name); }
  void addLanguage(const std::string& fileName, const std::string& body) {
    mkdir(dir_.file("Language").c_str(), 0755);
    writeFile(languageFile(fileName), body);
  }
  void chooseInSettings(const std::string& name) {
    writeFile(dir_.file("LanguageSetting.ini"), "[Setting]\r\nLanguage=" + name + "\r\n");
  }

  testing_support::TempDir dir_;
};

const char kGerman[] =
    "[Setting]\r\nLanguage=Deutsch\r\n"
    "[Dialog String]\r\n"
    "IDD215_Title=Sprache\\nwählen\r\n"
    "IDD215_1427=Bitte die Sprache\\nwählen\r\n"
    "IDD215_1=Gut\r\n"
    "IDD215_1097=Liste\r\n"
    "[Menu String]\r\n"
    "IDS_MENU_0=Datei\r\nIDS_MENU_1=Sprache\r\nIDS_MENU_2=Neu\r\nIDS_MENU_39=Über Orvanta...\r\n"
    "IDS_MENU_200=Datei\r\nIDS_MENU_208=Bild entfernen\r\n"
    "[String Table]\r\n"
    "IDS_STRINGTABLE_32869=Achtung\\nbitte\r\n"
    "IDS_STRINGTABLE_32870=\r\n";

TEST_F(LanguageModuleTest, FirstStartInAnEmptyFolderWritesTheDefaultsAndSpeaksEnglish) {
  LanguageModule module(dir_.path());
  module.init();
  EXPECT_EQ(readFile(dir_.file("LanguageSetting.ini")), "[Setting]\r\nLanguage=English\r\n");
  EXPECT_EQ(readFile(languageFile("Multi_eng.ini")), i18n::builtinEnglishLanguageFile());
  EXPECT_EQ(module.currentLanguage(), "English");
  EXPECT_EQ(module.currentFilePath(), languageFile("Multi_eng.ini"));
  EXPECT_EQ(i18n::text(i18n::IDS_CAPTION_WARNING), "Warning!");
  EXPECT_EQ(i18n::text(108), "Show or hide ZiTi\nToggle ZiTi");
  EXPECT_EQ(module.listLanguages(), std::vector<std::string>{"English"});

  // A second start finds everything in place and changes nothing.
  const std::string before = readFile(dir_.file("LanguageSetting.ini"));
  LanguageModule again(dir_.path());
  again.init();
  EXPECT_EQ(readFile(dir_.file("LanguageSetting.ini")), before);
  EXPECT_EQ(again.currentLanguage(), "English");
}

TEST_F(LanguageModuleTest, AnUnknownLanguageRewritesTheEnglishFileAndFallsBackToEnglish) {
  chooseInSettings("Klingon");
  addLanguage("Multi_eng.ini",
              "[Setting]\r\nLanguage=Edited\r\n[String Table]\r\n"
              "IDS_STRINGTABLE_32869=edited by hand\r\n");
  addLanguage("de.ini", kGerman);
  LanguageModule module(dir_.path());
  module.init();
  EXPECT_EQ(readFile(languageFile("Multi_eng.ini")), i18n::builtinEnglishLanguageFile());
  EXPECT_EQ(module.settingLanguage(), "English");
  EXPECT_EQ(module.currentLanguage(), "English");
  EXPECT_EQ(i18n::text(i18n::IDS_CAPTION_WARNING), "Warning!");
  EXPECT_EQ(readFile(languageFile("de.ini")), kGerman);  // other language files are never written
}

TEST_F(LanguageModuleTest, ChosenLanguageSuppliesTextsWithEscapesAndFallsBackPerId) {
  chooseInSettings("Deutsch");
  addLanguage("de.ini", kGerman);
  LanguageModule module(dir_.path());
  module.init();
  EXPECT_EQ(module.currentLanguage(), "Deutsch");
  EXPECT_FALSE(testing_support::readFile(languageFile("Multi_eng.ini")).size() > 0);
  EXPECT_EQ(i18n::text(i18n::IDS_CAPTION_WARNING), "Achtung\nbitte");  // shown on two lines
  EXPECT_EQ(module.text(i18n::IDS_CAPTION_WARNING), "Achtung\nbitte");
  EXPECT_EQ(i18n::text(i18n::IDS_CAPTION_ERROR), "Error");  // empty value
  EXPECT_EQ(i18n::text(i18n::IDS_DEVICE_IN_USE),            // key missing
            "You cannot remove a device that is being used by a site.");
  EXPECT_EQ(i18n::text(1), "");
}

TEST_F(LanguageModuleTest, SelectingALanguageKeepsTheRestOfTheSettingsFile) {
  writeFile(dir_.file("LanguageSetting.ini"),
            "; chosen by the installer\r\n[Setting]\r\nLanguage=English\r\nOther=1\r\n");
  addLanguage("de.ini", kGerman);
  LanguageModule module(dir_.path());
  module.init();
  module.selectLanguage("Deutsch");
  EXPECT_EQ(readFile(dir_.file("LanguageSetting.ini")),
            "; chosen by the installer\r\n[Setting]\r\nLanguage=Deutsch\r\nOther=1\r\n");
  EXPECT_EQ(i18n::text(i18n::IDS_CAPTION_WARNING), "Achtung\nbitte");
  module.selectLanguage("English");
  EXPECT_EQ(i18n::text(i18n::IDS_CAPTION_WARNING), "Warning!");
  EXPECT_EQ(module.settingLanguage(), "English");
}

TEST_F(LanguageModuleTest, NamesMatchExactlyAndTheLastFileWithTheNameWins) {
  addLanguage("a.ini",
              "[Setting]\r\nLanguage=Deutsch\r\n[String Table]\r\n"
              "IDS_STRINGTABLE_32869=from a\r\n");
  addLanguage("b.INI",
              "[Setting]\r\nLanguage=Deutsch\r\n[String Table]\r\n"
              "IDS_STRINGTABLE_32869=from b\r\n");
  addLanguage("c.ini", "[String Table]\r\nIDS_STRINGTABLE_32869=nameless\r\n");
  addLanguage("d.txt", "[Setting]\r\nLanguage=Text\r\n");
  addLanguage("long.ini", "[Setting]\r\nLanguage=" + std::string(150, 'L') + "\r\n");
  mkdir(languageFile("folder.ini").c_str(), 0755);
  LanguageModule module(dir_.path());
  module.selectLanguage("deutsch");  // case matters; this writes Multi_eng.ini
  EXPECT_EQ(module.currentLanguage(), "English");
  module.selectLanguage("Deutsch");
  EXPECT_EQ(module.currentFilePath(), languageFile("b.INI"));
  EXPECT_EQ(i18n::text(i18n::IDS_CAPTION_WARNING), "from b");
  EXPECT_EQ(module.listLanguages(),
            (std::vector<std::string>{"English", "Deutsch", "Deutsch", std::string(99, 'L')}));
}

TEST_F(LanguageModuleTest, TheLookupOutlivesTheModule) {
  addLanguage("de.ini", kGerman);
  {
    LanguageModule module(dir_.path());
    module.selectLanguage("Deutsch");
  }
  EXPECT_EQ(i18n::text(i18n::IDS_CAPTION_WARNING), "Achtung\nbitte");
}

TEST_F(LanguageModuleTest, DialogsTakeCaptionsAsTheyStandAndOnlyVisibleStaticsAndButtons) {
  addLanguage("de.ini", kGerman + std::string("IDD215_1500=hidden\r\nIDD215_1501=edit\r\n"
                                              "IDD215_-1=minus one\r\nIDD215_65535=ffff\r\n"));
  LanguageModule module(dir_.path());
  module.selectLanguage("Deutsch");

  FakeDialog dialog(*i18n::findDialogTemplate(i18n::IDD_LANGUAGE_SETTING));
  dialog.children.push_back({"Static", 1500, false, "hidden text"});
  dialog.children.push_back({"Edit", 1501, true, "edit text"});
  dialog.children.push_back({"STATIC", -1, true, "frame"});
  dialog.children.push_back({"static", 0xFFFF, true, "frame 16"});
  module.applyToDialog(dialog, i18n::IDD_LANGUAGE_SETTING);

  EXPECT_EQ(dialog.caption, "Sprache\\nwählen");  // captions are not unescaped
  EXPECT_EQ(dialog.textOf(1427), "Bitte die Sprache\nwählen");
  EXPECT_EQ(dialog.textOf(1), "Gut");
  EXPECT_EQ(dialog.textOf(2), "Cancel");  // no key: the template's text stays
  EXPECT_EQ(dialog.textOf(1097), "");     // a combo box is never set
  EXPECT_EQ(dialog.textOf(1500), "hidden text");
  EXPECT_EQ(dialog.textOf(1501), "edit text");
  EXPECT_EQ(dialog.textOf(-1), "frame");
  EXPECT_EQ(dialog.textOf(0xFFFF), "frame 16");

  // A dialog the language file knows nothing about keeps everything.
  FakeDialog setup(*i18n::findDialogTemplate(i18n::IDD_SIGN_SETUP));
  module.applyToDialog(setup, i18n::IDD_SIGN_SETUP);
  EXPECT_EQ(setup.caption, "Electronic Message Center Setup");
  EXPECT_EQ(setup.textOf(1309), "Monochrome");
}

TEST_F(LanguageModuleTest, MenusAreWalkedWithOneRunningCounterFromTheirFirstNumber) {
  addLanguage("de.ini", kGerman);
  LanguageModule module(dir_.path());
  module.selectLanguage("Deutsch");

  FakeMenu main(i18n::mainMenuTemplate().items);
  module.applyToMenu(main, i18n::kMainMenuFirstKey);
  const auto texts = main.walk();
  ASSERT_EQ(texts.size(), 40u);
  EXPECT_EQ(texts[0], "Datei");
  EXPECT_EQ(texts[1], "Sprache");
  EXPECT_EQ(texts[2], "Neu");
  EXPECT_EQ(texts[3], "Open...(Ctrl+O)");  // no key: unchanged
  EXPECT_EQ(texts[39], "Über Orvanta...");
  ASSERT_NE(main.entries[0].sub, nullptr);
  EXPECT_EQ(main.entries[0].sub->itemCount(), 8);  // the popup keeps its submenu

  FakeMenu editor(i18n::bitmapEditorMenuTemplate().items);
  module.applyToMenu(editor, i18n::kBitmapEditorMenuFirstKey);
  const auto editorTexts = editor.walk();
  ASSERT_EQ(editorTexts.size(), 9u);
  EXPECT_EQ(editorTexts[0], "Datei");
  EXPECT_EQ(editorTexts[1], "Save as...");
  EXPECT_EQ(editorTexts[8], "Bild entfernen");

  // Back in English the registry's texts come back, since Multi_eng.ini holds them all.
  module.selectLanguage("English");
  module.applyToMenu(main, i18n::kMainMenuFirstKey);
  EXPECT_EQ(main.walk()[0], "File");
  EXPECT_EQ(main.walk()[39], "About Orvanta...");
}

TEST_F(LanguageModuleTest, AnUnwritableFolderStillLeavesTheBuiltInTexts) {
  if (geteuid() == 0) GTEST_SKIP() << "root ignores directory permissions";
  chmod(dir_.path().c_str(), 0555);
  LanguageModule module(dir_.path());
  module.init();
  chmod(dir_.path().c_str(), 0755);
  EXPECT_EQ(module.currentLanguage(), "English");
  EXPECT_EQ(i18n::text(i18n::IDS_CAPTION_WARNING), "Warning!");
  FakeMenu main(i18n::mainMenuTemplate().items);
  module.applyToMenu(main, i18n::kMainMenuFirstKey);
  EXPECT_EQ(main.walk()[0], "File");
}

}  // namespace
