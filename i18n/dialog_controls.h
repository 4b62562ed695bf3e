#pragma once

// Control identifiers of the dialogs varnel builds as windows. The dialog table (dialog_texts.cpp)
// and the windows both use these names, so a window addresses exactly the control the language
// file translates. They are language-file keys ("IDD<dialog>_<control>") and never change.
namespace i18n {

// The font and colour bar (IDD_FONT_COLOUR_BAR).
inline constexpr int kIdFontLabel = 1301;
inline constexpr int kIdFontList = 1053;
inline constexpr int kIdColourLabel = 1302;
inline constexpr int kIdColourList = 1054;

// About (IDD_ABOUT).
inline constexpr int kIdAboutName = 1303;
inline constexpr int kIdAboutVersion = 1304;
inline constexpr int kIdAboutDate = 1305;

// Electronic Message Center Setup (IDD_SIGN_SETUP).
inline constexpr int kIdSetupPrompt = 1306;
inline constexpr int kIdSetupWidth = 1307;
inline constexpr int kIdSetupColourFrame = 1308;
inline constexpr int kIdSetupMonochrome = 1309;
inline constexpr int kIdSetupBiColour = 1310;

// The lists of the Insert menu's list dialogs.
inline constexpr int kIdCartoonList = 1057;
inline constexpr int kIdSpeedList = 1058;
inline constexpr int kIdPauseList = 1059;
inline constexpr int kIdBeepList = 1067;
inline constexpr int kIdEffectList = 1008;

// The picture dialogs (symbols, bitmaps, special characters, user-defined bitmaps).
inline constexpr int kIdPictureArea = 1300;
inline constexpr int kIdPictureInsert = 1090;

// Language setting (IDD_LANGUAGE_SETTING).
inline constexpr int kIdLanguagePrompt = 1427;
inline constexpr int kIdLanguageList = 1097;

}  // namespace i18n
