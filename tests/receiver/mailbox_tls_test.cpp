// The mailboxes' TLS choices: kept in mailpump.ini beside Set.dat, carried by the settings JSON and
// handed to each mailbox's POP3 connection.

#include "receiver/mailbox_tls.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "mail/tls_profile.h"
#include "receiver/exit_sequence.h"
#include "receiver/headless.h"
#include "receiver/settings_json.h"
#include "receiver_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using mail::TlsChoice;
using platform::Status;
using platform::TlsPolicy;
using receiver::MailboxRecord;
using receiver::ReceiverSettings;

MailboxRecord box(const std::string& name, int port, TlsChoice tls = {}) {
  MailboxRecord record{name, "pop.example.org", name, "pw", port};
  record.tls = std::move(tls);
  return record;
}

class MailboxTlsTest : public ::testing::Test {
 protected:
  platform::ProfileFile profile() const { return platform::ProfileFile(paths_.profileFile()); }
  ReceiverSettings load() const {
    ReceiverSettings read;
    EXPECT_TRUE(receiver::loadReceiverSettings(paths_, &read).ok());
    return read;
  }

  testing_support::TempDir dir_;
  const receiver::ReceiverPaths paths_{dir_.path()};
};

TEST_F(MailboxTlsTest, ChoicesLiveBesideSetDatWhichKeepsItsFormat) {
  ReceiverSettings s;
  s.mailboxes = {box("hosted", 995), box("office", 110, {TlsPolicy::kPlain, "/etc/office-ca.pem"})};
  ASSERT_TRUE(receiver::saveReceiverSettings(paths_, s).ok());
  ReceiverSettings withoutTls = s;
  for (MailboxRecord& record : withoutTls.mailboxes)
    record.tls = {};
  EXPECT_EQ(testing_support::readFile(paths_.settingsFile()), receiver::encodeSettings(withoutTls));
  EXPECT_EQ(load(), s);

  // A profile from before TLS (or a mailbox never given a choice): the port decides.
  testing_support::writeFile(paths_.profileFile(), "[ProgramStatus]\nIsMinimize=1\n");
  EXPECT_EQ(load(), withoutTls);
}

TEST_F(MailboxTlsTest, RenamedAndRemovedMailboxesTakeTheirKeysAlong) {
  ReceiverSettings s;
  s.mailboxes = {box("a", 110, {TlsPolicy::kPlain, ""}), box("b", 110, {TlsPolicy::kRequired, ""})};
  ASSERT_TRUE(receiver::saveReceiverSettings(paths_, s).ok());
  s.mailboxes[0].name = "renamed";
  s.mailboxes.pop_back();
  ASSERT_TRUE(receiver::saveReceiverSettings(paths_, s).ok());
  EXPECT_EQ(mail::readTlsChoice(profile(), "a"), TlsChoice{});
  EXPECT_EQ(mail::readTlsChoice(profile(), "b"), TlsChoice{});
  EXPECT_EQ(load(), s);
  // A new mailbox of a removed one's name starts afresh.
  s.mailboxes.push_back(box("b", 110));
  EXPECT_EQ(load().mailboxes.size(), 1u);
  ASSERT_TRUE(receiver::saveReceiverSettings(paths_, s).ok());
  EXPECT_EQ(load().mailboxes[1].tls, TlsChoice{});
}

TEST_F(MailboxTlsTest, TwoRecordsOfOneNameShareTheFirstOnesChoice) {
  ReceiverSettings s;
  s.mailboxes = {box("twin", 110, {TlsPolicy::kPlain, ""}), box("twin", 995)};
  ASSERT_TRUE(receiver::saveReceiverSettings(paths_, s).ok());
  const ReceiverSettings read = load();
  EXPECT_EQ(read.mailboxes[0].tls.policy, TlsPolicy::kPlain);
  EXPECT_EQ(read.mailboxes[1].tls.policy, TlsPolicy::kPlain);
}

TEST_F(MailboxTlsTest, AnUnreadableSetDatKeepsTheChoicesOfItsMailboxes) {
  ASSERT_TRUE(mail::writeTlsChoice(profile(), "lost", {TlsPolicy::kPlain, ""}).ok());
  testing_support::writeFile(paths_.settingsFile(), "not a settings file");
  ReceiverSettings s;
  const Status load = receiver::loadReceiverSettings(paths_, &s);
  ASSERT_FALSE(load.ok());
  s.mailboxes = {box("new", 995, {TlsPolicy::kRequired, ""})};
  receiver_test::RecordingStatus status;
  receiver_test::SkippingPump pump;
  platform::FixedClock clock{platform::LocalTime{}};
  receiver::Receiver r(s, paths_, status, pump, clock);
  ASSERT_TRUE(
      receiver::finishReceiving(&r, paths_, s, load, receiver::SettingsEdits::kPossible).ok());
  EXPECT_EQ(mail::readTlsChoice(profile(), "lost").policy, TlsPolicy::kPlain);
  EXPECT_EQ(mail::readTlsChoice(profile(), "new").policy, TlsPolicy::kRequired);
}

TEST(MailboxPop3Options, TheConnectionGetsTheMailboxsTls) {
  pop3::Pop3Options base;
  base.guardMs = 1234;
  const pop3::Pop3Options hosted = receiver::mailboxPop3Options(base, box("h", 995));
  EXPECT_EQ(hosted.tls, (platform::TlsSettings{TlsPolicy::kRequired, ""}));
  EXPECT_EQ(hosted.guardMs, 1234);
  EXPECT_EQ(receiver::mailboxPop3Options(base, box("o", 110)).tls.policy, TlsPolicy::kWhenOffered);
  EXPECT_EQ(receiver::mailboxPop3Options(base, box("p", 995, {TlsPolicy::kPlain, "/ca.pem"})).tls,
            (platform::TlsSettings{TlsPolicy::kPlain, "/ca.pem"}));
}

TEST(SettingsJsonTls, ChoicesRoundTripAndAreOptional) {
  ReceiverSettings s;
  s.mailboxes = {box("hosted", 995, {TlsPolicy::kWhenOffered, "/etc/ca d.pem"}), box("old", 110)};
  const std::string text = receiver::settingsToJson(s);
  const auto doc = nlohmann::json::parse(text);
  EXPECT_EQ(doc["mailboxes"][0]["tls"], "starttls");
  EXPECT_EQ(doc["mailboxes"][0]["caFile"], "/etc/ca d.pem");
  EXPECT_FALSE(doc["mailboxes"][1].contains("tls"));
  EXPECT_FALSE(doc["mailboxes"][1].contains("caFile"));
  const auto back = receiver::settingsFromJson(text);
  ASSERT_TRUE(back.ok()) << back.message();
  EXPECT_EQ(*back, s);

  // A path that is not UTF-8 is printed, not a reason to fail the export.
  s.mailboxes[1].tls.caFile = "/etc/\xE9.pem";
  EXPECT_NE(receiver::settingsToJson(s).find("caFile"), std::string::npos);
}

TEST(SettingsJsonTls, UnknownPoliciesAndWrongKindsAreRefused) {
  const std::pair<const char*, const char*> bad[] = {
      {R"({"mailboxes":[{"name":"a","tls":"ssl"}]})",
       "mailbox 1: \"ssl\" is no TLS policy: use \"required\", \"starttls\" or \"plain\""},
      {R"({"mailboxes":[{"name":"a","tls":true}]})", "mailbox 1: \"tls\" must be text"},
      {R"({"mailboxes":[{"name":"a","caFile":5}]})", "mailbox 1: \"caFile\" must be text"},
      {R"({"mailboxes":[{"name":"a","caFile":"/a\nb"}]})",
       "mailbox 1: the CA file must be a path on one line of at most 997 bytes"}};
  for (const auto& [json, text] : bad) {
    const auto read = receiver::settingsFromJson(json);
    ASSERT_FALSE(read.ok()) << json;
    EXPECT_EQ(read.message(), text);
  }
}

TEST_F(MailboxTlsTest, ImportAndExportCarryTheChoices) {
  receiver_test::SkippingPump pump;
  platform::FixedClock clock{platform::LocalTime{}};
  std::ostringstream out;
  std::ostringstream err;
  receiver::HeadlessEnvironment env{pump, clock, out, err, nullptr};
  ASSERT_TRUE(mail::writeTlsChoice(profile(), "gone", {TlsPolicy::kPlain, ""}).ok());
  testing_support::writeFile(
      dir_.file("s.json"),
      R"({"mailboxes":[{"name":"hosted","server":"pop.example.org","account":"a","port":995,)"
      R"("tls":"required","caFile":"/etc/ca.pem"}]})");
  ASSERT_EQ(receiver::importSettings(dir_.path(), dir_.file("s.json"), env), 0) << err.str();
  // The import replaced the list: the choice of a mailbox no longer in it went with it.
  EXPECT_EQ(mail::readTlsChoice(profile(), "gone"), TlsChoice{});
  ASSERT_EQ(receiver::exportSettings(dir_.path(), env), 0) << err.str();
  const auto doc = nlohmann::json::parse(out.str());
  EXPECT_EQ(doc["mailboxes"][0]["tls"], "required");
  EXPECT_EQ(doc["mailboxes"][0]["caFile"], "/etc/ca.pem");
}

}  // namespace
