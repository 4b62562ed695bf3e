#include "app/startup_sequence.h"

#include <algorithm>
#include <cstdio>

#include "bitmaps/picture_file.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "platform/cp1252.h"

namespace app {
namespace {

constexpr char kKeyLastSendType[] = "LastSendType";
constexpr char kKeyLastGroupName[] = "LastGroupName";
constexpr char kKeyLastPhone[] = "LastPhone";
constexpr char kKeyLastMailName[] = "LastMailName";
constexpr char kKeyLastMailAddress[] = "LastMailAddress";
constexpr char kKeyLastSiteInSendList[] = "iLastSiteInSendList";
constexpr char kKeyLastSiteNameInSendList[] = "LastSiteNameInSendList";
constexpr char kKeyLastGroupNameInSendList[] = "LastGroupNameInSendList";
constexpr char kKeySignAddress[] = "SignAddress";

constexpr char kKeyLastComport[] = "LastComport";
constexpr char kKeyLastIpPort[] = "LastIPPort";
constexpr char kKeyLastModemName[] = "LastModemName";
constexpr char kKeyLastSmtpName[] = "LastSMTPName";

// The widths the picture file format can carry.
constexpr int kMaxPictureWidth = 0xFFFF;

}  // namespace

SendInfo readSendInfo(const platform::ProfileFile& p) {
  using varnel_profile::kSectionSendInfo;
  SendInfo s;
  s.lastSendType = p.readInt(kSectionSendInfo, kKeyLastSendType, kDefaultLastSendType);
  s.lastGroupName = p.readString(kSectionSendInfo, kKeyLastGroupName);
  s.lastPhone = p.readString(kSectionSendInfo, kKeyLastPhone);
  s.lastMailName = p.readString(kSectionSendInfo, kKeyLastMailName);
  s.lastMailAddress = p.readString(kSectionSendInfo, kKeyLastMailAddress);
  s.lastSiteInSendList =
      p.readInt(kSectionSendInfo, kKeyLastSiteInSendList, kDefaultLastSiteInSendList);
  s.lastSiteNameInSendList = p.readString(kSectionSendInfo, kKeyLastSiteNameInSendList);
  s.lastGroupNameInSendList = p.readString(kSectionSendInfo, kKeyLastGroupNameInSendList);
  s.signAddress = p.readString(kSectionSendInfo, kKeySignAddress);
  return s;
}

bool writeSendInfo(const platform::ProfileFile& p, const SendInfo& s) {
  using varnel_profile::kSectionSendInfo;
  bool ok = p.writeInt(kSectionSendInfo, kKeyLastSendType, s.lastSendType).ok();
  ok = p.writeString(kSectionSendInfo, kKeyLastGroupName, s.lastGroupName).ok() && ok;
  ok = p.writeString(kSectionSendInfo, kKeyLastPhone, s.lastPhone).ok() && ok;
  ok = p.writeString(kSectionSendInfo, kKeyLastMailName, s.lastMailName).ok() && ok;
  ok = p.writeString(kSectionSendInfo, kKeyLastMailAddress, s.lastMailAddress).ok() && ok;
  ok = p.writeInt(kSectionSendInfo, kKeyLastSiteInSendList, s.lastSiteInSendList).ok() && ok;
  ok = p.writeString(kSectionSendInfo, kKeyLastSiteNameInSendList, s.lastSiteNameInSendList).ok() &&
       ok;
  ok = p.writeString(kSectionSendInfo, kKeyLastGroupNameInSendList, s.lastGroupNameInSendList)
           .ok() &&
       ok;
  ok = p.writeString(kSectionSendInfo, kKeySignAddress, s.signAddress).ok() && ok;
  return ok;
}

DeviceInfo readDeviceInfo(const platform::ProfileFile& p) {
  using varnel_profile::kSectionDevice;
  DeviceInfo d;
  d.lastComport = p.readInt(kSectionDevice, kKeyLastComport, kDefaultLastComport);
  d.lastIpPort = p.readInt(kSectionDevice, kKeyLastIpPort, kDefaultLastIpPort);
  d.lastModemName = p.readString(kSectionDevice, kKeyLastModemName);
  d.lastSmtpName = p.readString(kSectionDevice, kKeyLastSmtpName);
  return d;
}

std::vector<std::string> readRecentFiles(const platform::ProfileFile& p) {
  std::vector<std::string> files;
  for (int i = 1; i <= kRecentFileCount; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "File%d", i);
    std::string name = p.readString(varnel_profile::kSectionRecentFiles, key);
    if (!name.empty()) files.push_back(std::move(name));
  }
  return files;
}

std::vector<std::string> withRecentFile(std::vector<std::string> files, const std::string& path) {
  files.erase(std::remove(files.begin(), files.end(), path), files.end());
  files.insert(files.begin(), path);
  if (files.size() > static_cast<size_t>(kRecentFileCount)) files.resize(kRecentFileCount);
  return files;
}

bool writeRecentFiles(const platform::ProfileFile& profile, const std::vector<std::string>& files) {
  bool ok = true;
  for (int i = 0; i < kRecentFileCount; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "File%d", i + 1);
    const auto index = static_cast<size_t>(i);
    ok = (index < files.size()
              ? profile.writeString(varnel_profile::kSectionRecentFiles, key, files[index])
              : profile.removeKey(varnel_profile::kSectionRecentFiles, key))
             .ok() &&
         ok;
  }
  return ok;
}

bool startUp(AppState* state, i18n::LanguageModule* language, StartupUi& ui) {
  language->init();
  const platform::ProfileFile profile = varnel_profile::open(state->dataDir);
  state->recentFiles = readRecentFiles(profile);
  state->sendInfo = readSendInfo(profile);
  state->device = readDeviceInfo(profile);

  const platform::Status book =
      state->bookKeeper.load(addressbook::sitePath(state->dataDir), &state->book);
  if (!book.ok()) ui.showMessage(bookLoadMessage(book, state->bookKeeper));

  state->sign = varnel_profile::readSignSettings(profile);
  varnel_profile::SignSettings chosen = state->sign;
  if (!ui.runSetupDialog(&chosen)) return false;
  // A width the picture file cannot carry is refused as the dialog refuses 0.
  if (chosen.width > 0 && chosen.width <= kMaxPictureWidth) {
    state->sign.width = chosen.width;
    profile.writeInt(varnel_profile::kSectionVarnel, varnel_profile::kKeySignWidth, chosen.width);
  }
  state->sign.colourMode = chosen.colourMode == 2 ? 2 : varnel_profile::kDefaultColourMode;
  profile.writeInt(varnel_profile::kSectionVarnel, varnel_profile::kKeyColourMode,
                   state->sign.colourMode);

  state->savePicturesAtExit = true;
  const auto width = static_cast<uint16_t>(state->sign.width);
  state->catalog = bitmaps::CBitmapCatalog(width);
  const platform::Status pictures = state->pictures.load(
      bitmaps::picturePath(state->dataDir, state->sign.width, state->sign.colourMode), width,
      state->sign.colourMode, &state->catalog);
  if (!pictures.ok()) ui.showMessage(picturesLoadMessage(pictures, state->pictures));
  return true;
}

std::string picturesLoadMessage(const platform::Status& load,
                                const bitmaps::PictureKeeper& keeper) {
  if (!keeper.keepingUnreadable()) return load.message();
  return load.message() + "\r" +
         i18n::formatText(i18n::text(i18n::IDS_PICTURES_KEPT_UNREADABLE),
                          {platform::utf8ToCp1252Lossy(keeper.asideName())});
}

std::string bookLoadMessage(const platform::Status& load, const BookKeeper& keeper) {
  if (!keeper.keepingUnreadable()) return load.message();
  return load.message() + "\r" +
         i18n::formatText(i18n::text(i18n::IDS_BOOK_KEPT_UNREADABLE),
                          {platform::utf8ToCp1252Lossy(keeper.asideName())});
}

std::string shutDown(AppState* state, const ForeignChangeQuestion& ask) {
  state->bookKeeper.saveAtExit(&state->book, ask);
  std::string failure;
  if (state->savePicturesAtExit) {
    const bitmaps::PictureKeeper::ExitResult saved = state->pictures.saveAtExit(state->catalog);
    if (!saved.status.ok()) failure = saved.status.message();
    for (const std::string& other : saveKeptCatalogs(state))
      failure += (failure.empty() ? "" : "\r") + other;
  }
  state->keptCatalogs.clear();
  state->catalog.clear();
  writeSendInfo(varnel_profile::open(state->dataDir), state->sendInfo);
  return failure;
}

}  // namespace app
