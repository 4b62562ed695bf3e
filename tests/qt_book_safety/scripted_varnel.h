#pragma once

// The test program started again as varnel itself: `test_qt_book_safety --scripted-varnel DIR
// SCENARIO` runs varnel's application object on the data directory DIR as the program does, with
// a script in the user's place, and reports on stdout how far it came, so the test can stop it
// there (SIGKILL, SIGTERM) and look at the files.
inline constexpr char kScriptedVarnelFlag[] = "--scripted-varnel";

// Scenarios.
inline constexpr char kRemoveFirstSite[] = "remove-first-site";  // Site Settings, Remove, Yes
inline constexpr char kJustStart[] = "just-start";               // the main window, nothing else
// Opens every address-book list and one record of each kind, reports what they show, then exits.
inline constexpr char kShowBook[] = "show-book";

// Lines reported.
inline constexpr char kReady[] = "ready";                 // the main window is shown
inline constexpr char kChanged[] = "changed";             // the dialog's change was answered
inline constexpr char kNotAvailable[] = "not-available";  // a message came instead of the dialog

// argv: program, kScriptedVarnelFlag, data directory, scenario.
int runScriptedVarnel(int argc, char** argv);
