// The end of receiving that the window and the headless poller share: what becomes of Set.dat.

#include "receiver/exit_sequence.h"

#include <gtest/gtest.h>

#include "platform/atomic_file.h"
#include "receiver_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using platform::Status;
using receiver::SettingsEdits;

class ExitSequenceTest : public ::testing::Test {
 protected:
  ExitSequenceTest() { settings_.mailboxes = {{"signs", "pop.example.org", "signs", "pw", 110}}; }

  Status finish(const Status& load, SettingsEdits edits) {
    return receiver::finishReceiving(&receiver_, paths_, settings_, load, edits);
  }
  std::string settingsFile() const { return paths_.settingsFile(); }
  std::string copyFile() const { return settingsFile() + receiver::kUnreadableSettingsSuffix; }

  testing_support::TempDir dir_;
  const receiver::ReceiverPaths paths_{dir_.path()};
  receiver::ReceiverSettings settings_;
  receiver_test::RecordingStatus status_;
  receiver_test::SkippingPump pump_;
  platform::FixedClock clock_{platform::LocalTime{}};
  receiver::Receiver receiver_{settings_, paths_, status_, pump_, clock_};
};

TEST_F(ExitSequenceTest, SettingsThatLoadedOrWereMissingAreWritten) {
  for (const Status& load : {Status::success(), Status::cannotOpen("missing")}) {
    std::remove(settingsFile().c_str());
    ASSERT_TRUE(finish(load, SettingsEdits::kNone).ok());
    receiver::ReceiverSettings saved;
    ASSERT_TRUE(receiver::loadSettingsFile(settingsFile(), &saved).ok());
    EXPECT_EQ(saved, settings_);
    EXPECT_FALSE(platform::pathExists(copyFile()));
  }
}

TEST_F(ExitSequenceTest, UnreadableFileIsNeverLost) {
  const std::string foreign = "settings of a newer release";
  const Status load = Status::notOurFile("not ours");

  // Nothing was edited: the file stays for mending by hand.
  testing_support::writeFile(settingsFile(), foreign);
  EXPECT_TRUE(finish(load, SettingsEdits::kNone).ok());
  EXPECT_EQ(testing_support::readFile(settingsFile()), foreign);
  EXPECT_FALSE(platform::pathExists(copyFile()));

  // The user may have edited the settings: they are written, the old file kept beside them.
  EXPECT_TRUE(finish(load, SettingsEdits::kPossible).ok());
  EXPECT_EQ(testing_support::readFile(copyFile()), foreign);
  receiver::ReceiverSettings saved;
  ASSERT_TRUE(receiver::loadSettingsFile(settingsFile(), &saved).ok());
  EXPECT_EQ(saved, settings_);
}

TEST_F(ExitSequenceTest, FileThatCannotBeWrittenIsReported) {
  const receiver::ReceiverPaths gone(dir_.file("no/such/dir"));
  const Status saved = receiver::finishReceiving(&receiver_, gone, settings_, Status::success(),
                                                 SettingsEdits::kPossible);
  EXPECT_EQ(saved.code(), Status::Code::kCannotWrite);
  EXPECT_FALSE(saved.message().empty());
}

}  // namespace
