// Settings as JSON for headless machines.

#include "receiver/settings_json.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace {

using receiver::ReceiverSettings;

TEST(SettingsJson, RoundTripsEveryFieldWithWesternText) {
  ReceiverSettings s;
  s.selfReceiving = true;
  s.pollIntervalSeconds = 60;
  s.comPort = 4;
  s.mailboxes = {{"caf\xE9@example.org", "pop.example.org", "caf\xE9", "pa\x80ss", 995}};
  const std::string json = receiver::settingsToJson(s);
  // The schema the operators' tools expect.
  const auto doc = nlohmann::json::parse(json);
  EXPECT_EQ(doc["selfReceiving"], 1);
  EXPECT_EQ(doc["interval"], 60);
  EXPECT_EQ(doc["comPort"], 4);
  EXPECT_EQ(doc["autostart"], 0);
  EXPECT_EQ(doc["mailboxes"][0]["name"], "caf\xC3\xA9@example.org");
  EXPECT_EQ(doc["mailboxes"][0]["password"], "pa\xE2\x82\xACss");
  EXPECT_EQ(doc["mailboxes"][0]["port"], 995);

  const platform::Result<ReceiverSettings> back = receiver::settingsFromJson(json);
  ASSERT_TRUE(back.ok()) << back.message();
  EXPECT_EQ(*back, s);
}

TEST(SettingsJson, MissingKeysKeepTheirDefaults) {
  const platform::Result<ReceiverSettings> read = receiver::settingsFromJson(
      R"({"autostart":true,"mailboxes":[{"name":"n","server":"s","account":"a"}]})");
  ASSERT_TRUE(read.ok()) << read.message();
  const ReceiverSettings& s = *read;
  EXPECT_TRUE(s.autostart);
  EXPECT_FALSE(s.selfReceiving);
  EXPECT_EQ(s.pollIntervalSeconds, 10);
  EXPECT_EQ(s.comPort, 1);
  ASSERT_EQ(s.mailboxes.size(), 1u);
  EXPECT_EQ(s.mailboxes[0].port, 110);
  EXPECT_EQ(s.mailboxes[0].password, "");
}

TEST(SettingsJson, FaultsAreNamedAndChangeNothing) {
  const char* bad[] = {
      "not json",
      "[1,2]",
      R"({"interval":4})",
      R"({"interval":3601})",
      R"({"interval":"10"})",
      R"({"selfReceiving":2})",
      R"({"comPort":-1})",
      R"({"mailboxes":{}})",
      R"({"mailboxes":[7]})",
      R"({"mailboxes":[{"port":0}]})",
      R"({"mailboxes":[{"name":5}]})",
      R"({"mailboxes":[{"name":"\u4e2d"}]})",  // not representable in Windows-1252
  };
  for (const char* text : bad) {
    const platform::Result<ReceiverSettings> read = receiver::settingsFromJson(text);
    EXPECT_FALSE(read.ok()) << text;
    EXPECT_FALSE(read.message().empty()) << text;
  }
}

}  // namespace
