#pragma once

#include <string>
#include <vector>

#include "addressbook/address_book.h"
#include "app/book_keeper.h"
#include "app/sign_catalogs.h"
#include "app/varnel_profile.h"
#include "bitmaps/bitmap_catalog.h"
#include "bitmaps/picture_keeper.h"
#include "i18n/language_module.h"
#include "signlink/device_parameters.h"

// varnel's start-up and exit sequences, free of any window system: the windows they show (message
// boxes, the setup dialog) are reached through StartupUi so the order and the files can be tested.
namespace app {

inline constexpr int kRecentFileCount = 4;
inline constexpr int kDefaultLastSendType = 1;
inline constexpr int kDefaultLastSiteInSendList = 1;  // the send option dialog last chose a site
inline constexpr int kDefaultLastComport = 1;
inline constexpr int kDefaultLastIpPort = 5005;

// The "SendInfo" values, kept for the whole run and written back at exit.
struct SendInfo {
  int lastSendType = kDefaultLastSendType;
  std::string lastGroupName;
  std::string lastPhone;
  std::string lastMailName;
  std::string lastMailAddress;
  int lastSiteInSendList = kDefaultLastSiteInSendList;
  std::string lastSiteNameInSendList;
  std::string lastGroupNameInSendList;
  std::string signAddress;
};

// The "Device" values read at start-up (written by the device settings dialog, not at exit).
using DeviceInfo = signlink::LastDeviceChoices;

SendInfo readSendInfo(const platform::ProfileFile& profile);
// Writes all nine "SendInfo" keys in their fixed order; false when a write failed.
bool writeSendInfo(const platform::ProfileFile& profile, const SendInfo& info);
DeviceInfo readDeviceInfo(const platform::ProfileFile& profile);
// "Recent File List" "File1".."File4", empty entries left out, in order.
std::vector<std::string> readRecentFiles(const platform::ProfileFile& profile);
// `files` with `path` moved (or added) to the front, at most kRecentFileCount entries.
std::vector<std::string> withRecentFile(std::vector<std::string> files, const std::string& path);
// Writes the list as "File1".."File4"; keys past its end are removed. False when a write failed.
bool writeRecentFiles(const platform::ProfileFile& profile, const std::vector<std::string>& files);

// What the sequences need from the window system.
class StartupUi {
 public:
  virtual ~StartupUi() = default;
  // Shows a failure text of a loader in a message box; start-up goes on afterwards.
  virtual void showMessage(const std::string& text) = 0;
  // Shows the "Electronic Message Center Setup" dialog in its start-up form, opened on *settings.
  // Returns false when the user cancels; on OK *settings holds the confirmed width (> 0) and
  // colour mode.
  virtual bool runSetupDialog(varnel_profile::SignSettings* settings) = 0;
};

// Application-wide state from start-up to exit.
struct AppState {
  std::string dataDir;
  SendInfo sendInfo;
  DeviceInfo device;
  varnel_profile::SignSettings sign;
  std::vector<std::string> recentFiles;
  addressbook::CAddressBook book;
  BookKeeper bookKeeper;  // keeps the site manage file in step with `book`
  bitmaps::CBitmapCatalog catalog;
  bitmaps::PictureKeeper pictures;  // keeps a picture data file that did not load
  // Catalogs of other sign settings with changes still to be written (sign_catalogs.h).
  std::vector<KeptCatalog> keptCatalogs;
  bool savePicturesAtExit = false;  // set once the setup dialog was confirmed
};

// The start-up sequence: initialises the language module first (so every text after it is in the
// chosen language), reads the profile, loads the site manage file, shows the setup dialog (writing
// the confirmed width and colour mode to the profile) and loads the picture file for them. Returns
// false when the program must end at once (setup cancelled); shutDown() must still run then.
bool startUp(AppState* state, i18n::LanguageModule* language, StartupUi& ui);

// The text start-up shows when the site manage file did not load: the loader's text, and when the
// file is there (damaged, foreign, newer, unreadable), that it is kept and where it will go.
std::string bookLoadMessage(const platform::Status& load, const BookKeeper& keeper);

// The text start-up shows when the picture data file did not load: the loader's text, and when
// the file is there, that it is kept and where it will go once the catalog changes.
std::string picturesLoadMessage(const platform::Status& load, const bitmaps::PictureKeeper& keeper);

// The exit sequence: saves the site manage file as BookKeeper::saveAtExit decides (a file that did
// not load is kept while the book is unchanged; another program's change is kept unless the book
// holds changes of its own and `ask` says to keep those; failures not reported), empties the
// address book, saves the picture file when the setup dialog was confirmed at start-up (a file that
// did not load is kept while the catalog is unchanged) and the catalogs of other sign settings kept
// in memory, empties the catalog and writes "SendInfo".
// Without `ask` (no one to answer: a signal, the session ending) another program's change is kept.
// Returns the picture files' failure texts, empty when none (the caller may show them or not).
std::string shutDown(AppState* state, const ForeignChangeQuestion& ask = {});

}  // namespace app
