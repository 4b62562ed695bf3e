#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <string>
#include <vector>

#include "app/startup_sequence.h"
#include "bitmaps/picture_file.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::TempDir;

bool exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

// Records what the sequences show and answers the setup dialog as told.
class FakeUi : public app::StartupUi {
 public:
  void showMessage(const std::string& text) override { messages.push_back(text); }
  bool runSetupDialog(varnel_profile::SignSettings* settings) override {
    ++setupShown;
    offered = *settings;
    if (!confirm) return false;
    if (answer) answer(settings);
    return true;
  }

  bool confirm = true;
  std::function<void(varnel_profile::SignSettings*)> answer;
  std::vector<std::string> messages;
  int setupShown = 0;
  varnel_profile::SignSettings offered;
};

class StartupSequenceTest : public testing::Test {
 protected:
  StartupSequenceTest() : language_(dir_.path()) { state_.dataDir = dir_.path() + "/"; }

  platform::ProfileFile profile() const { return varnel_profile::open(state_.dataDir); }

  TempDir dir_;
  i18n::LanguageModule language_;
  app::AppState state_;
  FakeUi ui_;
};

TEST_F(StartupSequenceTest, FirstStartInAnEmptyFolderUsesDefaultsAndWritesEveryFileAtExit) {
  ASSERT_TRUE(app::startUp(&state_, &language_, ui_));
  EXPECT_TRUE(exists(dir_.file("LanguageSetting.ini")));
  EXPECT_TRUE(exists(dir_.file("Language/Multi_eng.ini")));
  EXPECT_EQ(ui_.setupShown, 1);
  EXPECT_EQ(ui_.offered.width, 80);
  EXPECT_EQ(ui_.offered.colourMode, 1);
  EXPECT_EQ(state_.device.lastComport, 1);
  EXPECT_EQ(state_.device.lastIpPort, 5005);
  EXPECT_EQ(state_.sendInfo.lastSendType, 1);
  EXPECT_EQ(state_.sendInfo.lastSiteInSendList, 1);
  EXPECT_TRUE(state_.sendInfo.lastPhone.empty());
  EXPECT_TRUE(state_.recentFiles.empty());
  // A missing site manage file is reported and start-up goes on; a missing picture file is normal.
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].find("Z2500SiteManage.dat"), std::string::npos);
  EXPECT_EQ(state_.catalog.count(), 0u);

  EXPECT_EQ(app::shutDown(&state_), "");
  EXPECT_TRUE(exists(dir_.file("varnel.ini")));
  EXPECT_TRUE(exists(dir_.file("Z2500SiteManage.dat")));
  EXPECT_TRUE(exists(dir_.file("Z2500Pic_80_S.dat")));
  const std::vector<std::string> expected = {
      "LastSendType",           "LastGroupName",           "LastPhone",
      "LastMailName",           "LastMailAddress",         "iLastSiteInSendList",
      "LastSiteNameInSendList", "LastGroupNameInSendList", "SignAddress"};
  EXPECT_EQ(profile().readKeys("SendInfo"), expected);
  EXPECT_EQ(profile().readInt("Varnel", "MovingSignOption", 0), 80);
  EXPECT_EQ(profile().readInt("Varnel", "IsSingleColor", 0), 1);
}

TEST_F(StartupSequenceTest, CancellingSetupEndsStartUpButTheExitSequenceSkipsOnlyThePictures) {
  ui_.confirm = false;
  EXPECT_FALSE(app::startUp(&state_, &language_, ui_));
  EXPECT_FALSE(state_.savePicturesAtExit);
  app::shutDown(&state_);
  EXPECT_TRUE(exists(dir_.file("Z2500SiteManage.dat")));
  EXPECT_EQ(profile().readKeys("SendInfo").size(), 9u);
  EXPECT_FALSE(exists(dir_.file("Z2500Pic_80_S.dat")));
  EXPECT_FALSE(profile().hasSection("Varnel"));
}

TEST_F(StartupSequenceTest, ProfileValuesAreCarriedUnchangedAndTheConfirmedSetupIsKept) {
  const platform::ProfileFile p = profile();
  p.writeString("SendInfo", "LastPhone", "555-0100");
  p.writeString("SendInfo", "SignAddress", "1,2");
  p.writeInt("SendInfo", "iLastSiteInSendList", 0);
  p.writeInt("Device", "LastIPPort", 6000);
  p.writeString("Recent File List", "File1", "/tmp/a.sdv");
  p.writeString("Recent File List", "File3", "/tmp/c.sdv");
  p.writeInt("Varnel", "MovingSignOption", 120);
  ui_.answer = [](varnel_profile::SignSettings* s) {
    s->width = 160;
    s->colourMode = 2;
  };
  ASSERT_TRUE(app::startUp(&state_, &language_, ui_));
  EXPECT_EQ(ui_.offered.width, 120);
  EXPECT_EQ(state_.device.lastIpPort, 6000);
  EXPECT_EQ(state_.recentFiles, (std::vector<std::string>{"/tmp/a.sdv", "/tmp/c.sdv"}));
  EXPECT_EQ(state_.sign.width, 160);
  EXPECT_EQ(state_.catalog.signWidth(), 160);
  EXPECT_EQ(p.readInt("Varnel", "MovingSignOption", 0), 160);
  EXPECT_EQ(p.readInt("Varnel", "IsSingleColor", 0), 2);

  app::shutDown(&state_);
  EXPECT_TRUE(exists(dir_.file("Z2500Pic_160_D.dat")));
  EXPECT_EQ(p.readString("SendInfo", "LastPhone"), "555-0100");
  EXPECT_EQ(p.readString("SendInfo", "SignAddress"), "1,2");
  EXPECT_EQ(p.readInt("SendInfo", "iLastSiteInSendList", 1), 0);
}

TEST_F(StartupSequenceTest, ADamagedPictureFileIsReportedAndStartUpGoesOn) {
  testing_support::writeFile(dir_.file("Z2500Pic_80_S.dat"), "not a picture file at all, no");
  ASSERT_TRUE(app::startUp(&state_, &language_, ui_));
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_NE(ui_.messages[1].find("Z2500Pic_80_S.dat"), std::string::npos);
}

TEST_F(StartupSequenceTest, ASiteManageFileOfANewerProgramIsNotOverwrittenAtExit) {
  // Header length and header, then version 36: a newer program's file.
  std::string bytes = std::string("\x14\0\0\0", 4) + "Z2500 SITE DATA HEAD";
  bytes += std::string("\x24\0\0\0", 4);
  bytes += std::string(64, '\0');
  testing_support::writeFile(dir_.file("Z2500SiteManage.dat"), bytes);
  ASSERT_TRUE(app::startUp(&state_, &language_, ui_));
  EXPECT_TRUE(state_.book.keepFile());
  app::shutDown(&state_);
  EXPECT_EQ(testing_support::readFile(dir_.file("Z2500SiteManage.dat")), bytes);
}

TEST_F(StartupSequenceTest, ADamagedSiteManageFileIsKeptAndTheUserToldWhereItWillGo) {
  const std::string bytes = "Z2500 SITE DATA HEAD, but damaged";
  testing_support::writeFile(dir_.file("Z2500SiteManage.dat"), bytes);
  ASSERT_TRUE(app::startUp(&state_, &language_, ui_));
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].find("is not site data file"), std::string::npos);
  EXPECT_NE(ui_.messages[0].find("Z2500SiteManage.dat.unreadable"), std::string::npos);
  app::shutDown(&state_);
  EXPECT_EQ(testing_support::readFile(dir_.file("Z2500SiteManage.dat")), bytes);
  EXPECT_FALSE(exists(dir_.file("Z2500SiteManage.dat.unreadable")));
}

TEST_F(StartupSequenceTest, TheRecentFileListKeepsFourDistinctFilesTheLastUsedFirst) {
  std::vector<std::string> files;
  for (const char* name : {"/a.sdv", "/b.sdv", "/c.sdv", "/d.sdv", "/e.sdv"})
    files = app::withRecentFile(files, name);
  EXPECT_EQ(files, (std::vector<std::string>{"/e.sdv", "/d.sdv", "/c.sdv", "/b.sdv"}));
  // Using a listed file again moves it to the front instead of listing it twice.
  files = app::withRecentFile(files, "/c.sdv");
  EXPECT_EQ(files, (std::vector<std::string>{"/c.sdv", "/e.sdv", "/d.sdv", "/b.sdv"}));

  const platform::ProfileFile p = profile();
  ASSERT_TRUE(app::writeRecentFiles(p, files));
  EXPECT_EQ(app::readRecentFiles(p), files);
  // A shorter list removes the keys past its end rather than leaving old names behind.
  ASSERT_TRUE(app::writeRecentFiles(p, {"/x.sdv"}));
  EXPECT_EQ(p.readString("Recent File List", "File1"), "/x.sdv");
  EXPECT_EQ(p.readString("Recent File List", "File2", "none"), "none");
  EXPECT_EQ(p.readString("Recent File List", "File4", "none"), "none");
  EXPECT_EQ(app::readRecentFiles(p), (std::vector<std::string>{"/x.sdv"}));
}

}  // namespace
