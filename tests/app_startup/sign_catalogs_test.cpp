// The catalog follows the sign of the workspace in effect; images drawn for one sign survive a
// workspace of another and reach their own picture data file at exit.

#include <gtest/gtest.h>

#include <string>

#include "app/sign_catalogs.h"
#include "app/startup_sequence.h"
#include "bitmaps/picture_file.h"
#include "tests/support/temp_dir.h"

namespace {

using bitmaps::CBitmapCatalog;
using testing_support::TempDir;

class ConfirmingUi : public app::StartupUi {
 public:
  void showMessage(const std::string&) override {}
  bool runSetupDialog(varnel_profile::SignSettings*) override { return true; }
};

class SignCatalogsTest : public testing::Test {
 protected:
  SignCatalogsTest() : language_(dir_.path()) {
    state_.dataDir = dir_.path() + "/";
    EXPECT_TRUE(app::startUp(&state_, &language_, ui_));  // 80 pixels, monochrome
  }

  std::string path(int width, int colourMode) const {
    return bitmaps::picturePath(state_.dataDir, width, colourMode);
  }
  void draw(int indexNumber, uint8_t code) {
    state_.catalog.getOrCreate(indexNumber, true).value()->setPixel(1, 2, code);
  }
  CBitmapCatalog reread(int width, int colourMode) const {
    CBitmapCatalog catalog(static_cast<uint16_t>(width));
    EXPECT_TRUE(bitmaps::loadPictures(path(width, colourMode), static_cast<uint16_t>(width),
                                      colourMode, &catalog)
                    .ok());
    return catalog;
  }

  TempDir dir_;
  i18n::LanguageModule language_;
  app::AppState state_;
  ConfirmingUi ui_;
};

TEST_F(SignCatalogsTest, AnotherSignBringsItsOwnCatalogAndDrawingsOfBothReachTheirFiles) {
  CBitmapCatalog wide(96);
  wide.getOrCreate(7, true).value()->setPixel(90, 6, 2);
  ASSERT_TRUE(bitmaps::savePictures(path(96, 2), 96, 2, wide).ok());
  draw(1, 1);  // drawn for the 80-pixel sign, not yet written

  EXPECT_EQ(app::useSignCatalog(&state_, {96, 2}), "");
  EXPECT_EQ(state_.sign.width, 96);
  EXPECT_EQ(state_.catalog.signWidth(), 96);
  ASSERT_EQ(state_.catalog.count(), 1u);
  EXPECT_EQ(state_.catalog.at(0).pixel(90, 6), 2);
  draw(8, 3);

  // Back on the first sign, its drawing is there; a third sign without a file starts empty.
  EXPECT_EQ(app::useSignCatalog(&state_, {80, 1}), "");
  ASSERT_NE(state_.catalog.find(1), nullptr);
  EXPECT_EQ(state_.catalog.find(1)->pixel(1, 2), 1);
  EXPECT_EQ(app::useSignCatalog(&state_, {80, 2}), "");
  EXPECT_TRUE(state_.catalog.empty());
  EXPECT_EQ(app::useSignCatalog(&state_, {96, 2}), "");
  EXPECT_EQ(state_.catalog.count(), 2u);

  EXPECT_EQ(app::shutDown(&state_), "");
  EXPECT_EQ(reread(80, 1).find(1)->pixel(1, 2), 1);
  const CBitmapCatalog wideAgain = reread(96, 2);
  ASSERT_EQ(wideAgain.count(), 2u);
  EXPECT_EQ(wideAgain.find(8)->pixel(1, 2), 3);
  EXPECT_EQ(wideAgain.find(7)->pixel(90, 6), 2);
}

TEST_F(SignCatalogsTest, TheSignInEffectKeepsItsCatalogAndADamagedFileIsReportedAndKept) {
  draw(1, 1);
  EXPECT_EQ(app::useSignCatalog(&state_, {80, 1}), "");
  EXPECT_EQ(state_.catalog.count(), 1u);

  const std::string damaged = "Z2500 pic by user" + std::string(20, '\x7f');
  testing_support::writeFile(path(120, 1), damaged);
  const std::string shown = app::useSignCatalog(&state_, {120, 1});
  EXPECT_NE(shown.find("Z2500Pic_120_S.dat"), std::string::npos);
  EXPECT_TRUE(state_.catalog.empty());
  EXPECT_EQ(state_.catalog.signWidth(), 120);
  app::shutDown(&state_);
  EXPECT_EQ(testing_support::readFile(path(120, 1)), damaged);
  EXPECT_EQ(reread(80, 1).count(), 1u);
}

}  // namespace
