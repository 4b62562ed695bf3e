// Headless use: argument parsing, settings export and import, one cycle, polling until stopped.

#include "receiver/headless.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "platform/atomic_file.h"
#include "platform/byte_reader.h"
#include "receiver/receiver_paths.h"
#include "receiver/receiver_settings.h"
#include "receiver_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using receiver::HeadlessMode;

// Stops polling once its clock has passed a given time.
class StoppingPump final : public platform::MessagePump {
 public:
  StoppingPump(uint64_t stopAtMs, volatile std::sig_atomic_t* stop)
      : stopAtMs_(stopAtMs), stop_(stop) {}
  uint64_t tickMs() override { return now_; }
  void dispatch(int maxWaitMs) override {
    now_ += static_cast<uint64_t>(maxWaitMs > 0 ? maxWaitMs : 1);
    if (now_ >= stopAtMs_) *stop_ = 1;
  }

 private:
  uint64_t now_ = 0;
  const uint64_t stopAtMs_;
  volatile std::sig_atomic_t* const stop_;
};

TEST(HeadlessArguments, ModesAndDataDirectory) {
  auto parse = receiver::parseHeadlessArguments;
  auto r = parse({"mailpump", "--data-dir", "/d", "--once"});
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r->mode, HeadlessMode::kOnce);
  EXPECT_EQ(r->dataDir, "/d");
  r = parse({"mailpump", "--import-settings=s.json"});
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r->mode, HeadlessMode::kImport);
  EXPECT_EQ(r->importFile, "s.json");
  // Without a headless mode the rest is the window toolkit's.
  r = parse({"mailpump", "-platform", "offscreen"});
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r->mode, HeadlessMode::kNone);

  const auto refusal = [&](std::vector<std::string> args) {
    const auto parsed = parse(args);
    EXPECT_EQ(parsed.status().code(), platform::Status::Code::kRefused);
    return parsed.message();
  };
  EXPECT_EQ(refusal({"mailpump", "--once", "--headless"}),
            "only one of --once, --headless, --export-settings and --import-settings may be given");
  EXPECT_EQ(refusal({"mailpump", "--once", "--bogus"}), "unknown argument: --bogus");
  EXPECT_EQ(refusal({"mailpump", "--data-dir"}), "--data-dir needs a value");
  EXPECT_EQ(refusal({"mailpump", "--once", "--import-settings"}),
            "--import-settings needs a value");
}

class HeadlessTest : public ::testing::Test {
 protected:
  receiver::HeadlessEnvironment env() { return {pump_, clock_, out_, err_, &stop_}; }

  testing_support::TempDir dir_;
  const receiver::ReceiverPaths paths_{dir_.path()};
  receiver_test::SkippingPump pump_;
  platform::FixedClock clock_{platform::LocalTime{}};
  std::ostringstream out_;
  std::ostringstream err_;
  volatile std::sig_atomic_t stop_ = 0;
};

TEST_F(HeadlessTest, ExportThenImportGivesTheSameSettings) {
  receiver::ReceiverSettings s;
  s.comPort = 5;
  s.mailboxes = {{"signs", "pop.example.org", "signs", "secret", 110}};
  ASSERT_TRUE(receiver::saveSettingsFile(paths_.settingsFile(), s).ok());
  auto e = env();
  ASSERT_EQ(receiver::exportSettings(dir_.path(), e), 0) << err_.str();
  testing_support::writeFile(dir_.file("s.json"), out_.str());

  ASSERT_TRUE(receiver::saveSettingsFile(paths_.settingsFile(), {}).ok());
  ASSERT_EQ(receiver::importSettings(dir_.path(), dir_.file("s.json"), e), 0) << err_.str();
  receiver::ReceiverSettings back;
  ASSERT_TRUE(receiver::loadSettingsFile(paths_.settingsFile(), &back).ok());
  EXPECT_EQ(back, s);
}

TEST_F(HeadlessTest, FailuresAreReportedWithStatus1) {
  auto e = env();
  EXPECT_EQ(receiver::exportSettings(dir_.path(), e), 1);  // no Set.dat yet
  EXPECT_NE(err_.str().find("Open site manage data file"), std::string::npos);

  testing_support::writeFile(dir_.file("bad.json"), R"({"interval":1})");
  EXPECT_EQ(receiver::importSettings(dir_.path(), dir_.file("bad.json"), e), 1);
  EXPECT_FALSE(platform::pathExists(paths_.settingsFile()));

  // No mailbox: the cycle cannot run.
  err_.str("");
  EXPECT_EQ(receiver::runReceiveOnce(dir_.path(), e), 1);
  EXPECT_NE(err_.str().find("The mail address for querying is blank!"), std::string::npos);
  EXPECT_TRUE(platform::pathExists(paths_.saveDir()));
  EXPECT_TRUE(platform::pathExists(paths_.logDir()));
}

TEST_F(HeadlessTest, PollingRunsCyclesOnTheTimerAndSavesAtTheEnd) {
  // A version 10 file with self-receiving on, an interval of 5 s and one mailbox that cannot be
  // reached (port 1 on loopback refuses at once).
  std::string file;
  platform::ByteWriter w(&file);
  w.lengthPrefixed("RECV EMAIL DATA HEAD");
  for (int v : {10, 1, 5, 1, 1})
    w.i32(v);
  w.i32(1);
  w.lengthPrefixed("nobody");
  w.lengthPrefixed("127.0.0.1");
  w.lengthPrefixed("acct");
  w.lengthPrefixed("pw");
  testing_support::writeFile(paths_.settingsFile(), file);

  StoppingPump pump(12'000, &stop_);
  receiver::HeadlessEnvironment e{pump, clock_, out_, err_, &stop_};
  EXPECT_EQ(receiver::runPolling(dir_.path(), e), 0);
  const std::string log = err_.str();
  EXPECT_EQ(log.rfind("User open self-receiving\n", 0), 0u) << log;
  size_t cycles = 0;
  for (size_t at = log.find("Now will query nobody..."); at != std::string::npos;
       at = log.find("Now will query nobody...", at + 1))
    ++cycles;
  EXPECT_EQ(cycles, 2u) << log;  // at about 5 s and 10 s
  EXPECT_NE(log.find("Unable to connect to server"), std::string::npos) << log;

  receiver::ReceiverSettings saved;
  std::string bytes = testing_support::readFile(paths_.settingsFile());
  ASSERT_TRUE(receiver::decodeSettings(bytes, "", &saved).ok());
  EXPECT_EQ(bytes.substr(24, 4), std::string("\x0b\0\0\0", 4));
  EXPECT_EQ(saved.mailboxes.size(), 1u);
}

TEST_F(HeadlessTest, PollingLeavesAnUnreadableSettingsFileAlone) {
  testing_support::writeFile(paths_.settingsFile(), "garbage");
  stop_ = 1;
  auto e = env();
  EXPECT_EQ(receiver::runPolling(dir_.path(), e), 0);
  EXPECT_EQ(testing_support::readFile(paths_.settingsFile()), "garbage");
  EXPECT_NE(err_.str().find("is not this program data file"), std::string::npos);
}

// A data directory the program cannot use: without Save nothing can be received and the program
// ends saying why; a Logo that cannot be made only costs the log entries and receiving goes on;
// Set.dat is left as it was in both cases.
TEST_F(HeadlessTest, UnusableDirectoriesAreSaidWithTheSystemsReason) {
  auto e = env();
  testing_support::writeFile(dir_.file("plain"), "a file");
  EXPECT_EQ(receiver::runReceiveOnce(dir_.file("plain/data"), e), 1);
  EXPECT_NE(err_.str().find("plain/data: Not a directory"), std::string::npos) << err_.str();

  receiver::ReceiverSettings s;
  s.mailboxes = {{"nobody", "127.0.0.1", "acct", "pw", 1}};
  ASSERT_TRUE(receiver::saveSettingsFile(paths_.settingsFile(), s).ok());
  const std::string settings = testing_support::readFile(paths_.settingsFile());
  testing_support::writeFile(paths_.saveDir(), "not a directory");
  err_.str("");
  EXPECT_EQ(receiver::runReceiveOnce(dir_.path(), e), 1);
  EXPECT_NE(
      err_.str().find("Cannot create the directory " + paths_.saveDir() + ": Not a directory"),
      std::string::npos)
      << err_.str();
  EXPECT_EQ(err_.str().find("Now will query"), std::string::npos);

  ASSERT_EQ(std::remove(paths_.saveDir().c_str()), 0);
  ASSERT_EQ(std::remove(paths_.logDir().c_str()), 0);  // made beside the Save that was refused
  testing_support::writeFile(paths_.logDir(), "not a directory");
  err_.str("");
  receiver::runReceiveOnce(dir_.path(), e);
  const std::string said = err_.str();
  EXPECT_NE(said.find("Cannot create the directory " + paths_.logDir() + ": Not a directory"),
            std::string::npos)
      << said;
  EXPECT_NE(said.find("Now will query nobody..."), std::string::npos) << said;
  EXPECT_EQ(testing_support::readFile(paths_.settingsFile()), settings);
}

}  // namespace
