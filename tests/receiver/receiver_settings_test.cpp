// The settings file "Set.dat": layout, older and damaged files, and its private mode.

#include "receiver/receiver_settings.h"
#include "receiver/port_list.h"
#include "receiver/typed_mailbox.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/byte_reader.h"
#include "tests/support/temp_dir.h"

namespace {

using receiver::MailboxRecord;
using receiver::ReceiverSettings;
using Code = platform::Status::Code;

ReceiverSettings sample() {
  ReceiverSettings s;
  s.selfReceiving = true;
  s.pollIntervalSeconds = 300;
  s.comPort = 3;
  s.autostart = true;
  s.mailboxes = {{"signs@example.org", "pop.example.org", "signs", "S\xE9same", 110},
                 {"lobby@example.org", "10.0.0.5", "lobby", "", 1110}};
  return s;
}

// The file as an older release wrote it: no autostart field.
std::string version10File(const ReceiverSettings& s) {
  std::string out;
  platform::ByteWriter w(&out);
  w.lengthPrefixed("RECV EMAIL DATA HEAD");
  w.i32(10);
  w.i32(s.selfReceiving);
  w.i32(s.pollIntervalSeconds);
  w.i32(s.comPort);
  w.i32(static_cast<int32_t>(s.mailboxes.size()));
  for (const MailboxRecord& m : s.mailboxes) {
    w.i32(m.port);
    w.lengthPrefixed(m.name);
    w.lengthPrefixed(m.server);
    w.lengthPrefixed(m.account);
    w.lengthPrefixed(m.password);
  }
  return out;
}

TEST(SettingsFile, WritesTheVersion11Layout) {
  ReceiverSettings s;
  s.mailboxes = {{"a", "b", "c", "d", 110}};
  const std::string expected(
      "\x14\0\0\0RECV EMAIL DATA HEAD"
      "\x0b\0\0\0"  // version
      "\0\0\0\0"    // self-receiving
      "\x0a\0\0\0"  // interval
      "\x01\0\0\0"  // COM port
      "\0\0\0\0"    // autostart
      "\x01\0\0\0"  // mailbox count
      "\x6e\0\0\0"  // port 110
      "\x01\0\0\0a\x01\0\0\0b\x01\0\0\0c\x01\0\0\0d",
      4 + 20 + 4 * 7 + 4 * 5);
  EXPECT_EQ(receiver::encodeSettings(s), expected);
}

TEST(SettingsFile, SavesAndLoadsEveryField) {
  testing_support::TempDir dir;
  const std::string path = dir.file("Set.dat");
  ASSERT_TRUE(receiver::saveSettingsFile(path, sample()).ok());
  ReceiverSettings loaded;
  EXPECT_TRUE(receiver::loadSettingsFile(path, &loaded).ok());
  EXPECT_EQ(loaded, sample());

  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u) << "the file holds passwords";
}

TEST(SettingsFile, Version10LoadsWithAutostartOffAndIsWrittenBackAs11) {
  ReceiverSettings s = sample();
  ReceiverSettings loaded;
  ASSERT_TRUE(receiver::decodeSettings(version10File(s), "Set.dat", &loaded).ok());
  s.autostart = false;
  EXPECT_EQ(loaded, s);
  const std::string rewritten = receiver::encodeSettings(loaded);
  EXPECT_EQ(rewritten.substr(24, 4), std::string("\x0b\0\0\0", 4));
}

TEST(SettingsFile, BytesAfterTheLastMailboxAreIgnored) {
  ReceiverSettings loaded;
  EXPECT_TRUE(
      receiver::decodeSettings(receiver::encodeSettings(sample()) + "old tail", "x", &loaded).ok());
  EXPECT_EQ(loaded, sample());
}

TEST(SettingsFile, EveryTruncationKeepsTheDefaultsAndSaysSo) {
  const std::string full = receiver::encodeSettings(sample());
  for (size_t n = 0; n < full.size(); ++n) {
    ReceiverSettings loaded;
    loaded.comPort = 7;  // Whatever was there before must survive.
    const auto result = receiver::decodeSettings(full.substr(0, n), "/d/Set.dat", &loaded);
    ASSERT_FALSE(result.ok()) << n;
    EXPECT_TRUE(result.code() == Code::kNotOurFile || result.code() == Code::kDamaged) << n;
    EXPECT_EQ(result.message(), "This '/d/Set.dat' file is not this program data file.") << n;
    EXPECT_EQ(loaded.comPort, 7) << n;
    EXPECT_TRUE(loaded.mailboxes.empty()) << n;
  }
}

TEST(SettingsFile, ForeignNewerAndOversizedFilesAreRefused) {
  const std::string kNotOursText = "This 'p' file is not this program data file.";
  ReceiverSettings loaded;
  std::string foreign = receiver::encodeSettings(sample());
  foreign[4] = 'r';  // "rECV EMAIL DATA HEAD"
  EXPECT_EQ(receiver::decodeSettings(foreign, "p", &loaded),
            platform::Status::failure(Code::kNotOurFile, kNotOursText));

  std::string newer = receiver::encodeSettings(sample());
  newer[24] = 12;
  EXPECT_EQ(receiver::decodeSettings(newer, "p", &loaded),
            platform::Status::failure(Code::kNotOurFile, kNotOursText));

  // A mailbox count far beyond the bytes present is refused before anything is allocated.
  std::string count = receiver::encodeSettings(ReceiverSettings{});
  count.replace(count.size() - 4, 4, std::string("\xff\xff\xff\x7f", 4));
  EXPECT_EQ(receiver::decodeSettings(count, "p", &loaded),
            platform::Status::failure(Code::kDamaged, kNotOursText));
  count.replace(count.size() - 4, 4, std::string("\xff\xff\xff\xff", 4));  // -1
  EXPECT_EQ(receiver::decodeSettings(count, "p", &loaded),
            platform::Status::failure(Code::kDamaged, kNotOursText));

  // A string length beyond the end.
  std::string longName = receiver::encodeSettings(sample());
  longName.replace(52, 4, std::string("\x00\x00\x00\x10", 4));
  EXPECT_EQ(receiver::decodeSettings(longName, "p", &loaded),
            platform::Status::failure(Code::kDamaged, kNotOursText));
  EXPECT_EQ(loaded, ReceiverSettings{});
}

TEST(SettingsFile, MissingFileGivesTheOpenText) {
  testing_support::TempDir dir;
  ReceiverSettings loaded;
  const auto result = receiver::loadSettingsFile(dir.file("Set.dat"), &loaded);
  EXPECT_EQ(result.code(), Code::kCannotOpen);
  EXPECT_EQ(result.message(), "Open site manage data file " + dir.file("Set.dat") + " error!");
}

// Texts are Windows-1252 and paths file-system bytes (UTF-8): a path goes into a text converted,
// so a non-ASCII data directory shows as it is named in the window and the logs.
TEST(SettingsFile, APathInATextIsConvertedToTheTextsCodePage) {
  testing_support::TempDir dir;
  ReceiverSettings loaded;
  const std::string path = dir.file("Daten-\u00FC/Set.dat");
  const auto result = receiver::loadSettingsFile(path, &loaded);
  EXPECT_EQ(result.message(),
            "Open site manage data file " + dir.file("Daten-\xFC/Set.dat") + " error!");
}

TEST(SettingsFile, PollPeriodStaysWithinTheWindowsRange) {
  ReceiverSettings s;
  s.pollIntervalSeconds = 0;
  EXPECT_EQ(receiver::pollPeriodMs(s), 5000);
  s.pollIntervalSeconds = 3'000'000;
  EXPECT_EQ(receiver::pollPeriodMs(s), 3'600'000);
  s.pollIntervalSeconds = 42;
  EXPECT_EQ(receiver::pollPeriodMs(s), 42'000);
}

}  // namespace

TEST(MailboxList, EditedMailboxMovesToTheEnd) {
  ReceiverSettings settings;
  settings.mailboxes = {
      {"a", "s1", "u1", "p1", 110}, {"b", "s2", "u2", "p2", 110}, {"c", "s3", "u3", "p3", 110}};
  const MailboxRecord edited{"a2", "s9", "u9", "p9", 1110};
  ASSERT_TRUE(receiver::replaceMailboxAtEnd(&settings, 0, edited));
  ASSERT_EQ(settings.mailboxes.size(), 3u);
  EXPECT_EQ(settings.mailboxes[0].name, "b");
  EXPECT_EQ(settings.mailboxes[1].name, "c");
  EXPECT_EQ(settings.mailboxes[2], edited);
  // The last one stays last; an index outside the list changes nothing.
  ASSERT_TRUE(receiver::replaceMailboxAtEnd(&settings, 2, settings.mailboxes[2]));
  EXPECT_EQ(settings.mailboxes[2], edited);
  const ReceiverSettings before = settings;
  EXPECT_FALSE(receiver::replaceMailboxAtEnd(&settings, 3, edited));
  EXPECT_EQ(settings, before);
}

TEST(MailboxList, ThePop3DialogRefusesABlankServerFirstThenABlankAccount) {
  MailboxRecord record;
  std::string refusal;
  EXPECT_EQ(receiver::blankMailboxField(record, &refusal), receiver::MailboxField::kServer);
  EXPECT_EQ(refusal, "POP3 Server can't be left blank!");
  record.server = "pop.example";
  EXPECT_EQ(receiver::blankMailboxField(record, &refusal), receiver::MailboxField::kAccount);
  EXPECT_EQ(refusal, "Account can't be left blank!");
  record.account = "sign";
  EXPECT_EQ(receiver::blankMailboxField(record, &refusal), receiver::MailboxField::kNone);
  EXPECT_EQ(refusal, "");
}

TEST(PortList, TheSavedPortIsListedEvenWhenItsDeviceIsMissing) {
  EXPECT_EQ(receiver::portListEntries({1, 3, 9}, 7), (std::vector<int>{1, 3, 7, 9}));
  EXPECT_EQ(receiver::portListEntries({1, 3}, 3), (std::vector<int>{1, 3}));
  EXPECT_EQ(receiver::portListEntries({}, 1), (std::vector<int>{1}));
}

TEST(TypedMailbox, TextsWindows1252CannotHoldAreRefusedBeforeBlankFields) {
  MailboxRecord record{"name", "old", "old", "old", 995};
  std::string refusal;
  using receiver::MailboxField;
  EXPECT_EQ(receiver::checkTypedMailbox({"", "", "z\xc5\x82", 110}, &record, &refusal),
            MailboxField::kPassword);
  EXPECT_EQ(refusal, "Password can only hold Western European (Windows-1252) characters!");
  EXPECT_EQ(receiver::checkTypedMailbox({"pop", "\xe2\x98\x83", "", 110}, &record, &refusal),
            MailboxField::kAccount);
  EXPECT_EQ(receiver::checkTypedMailbox({"pop", "", "", 110}, &record, &refusal),
            MailboxField::kAccount);
  EXPECT_EQ(refusal, "Account can't be left blank!");
  EXPECT_EQ(record, (MailboxRecord{"name", "old", "old", "old", 995}));  // untouched so far

  EXPECT_EQ(receiver::checkTypedMailbox({"pop", "sign",
                                         "Gr\xc3\xbc\xc3\x9f"
                                         "e",
                                         111},
                                        &record, &refusal),
            MailboxField::kNone);
  EXPECT_EQ(record, (MailboxRecord{"name", "pop", "sign",
                                   "Gr\xfc\xdf"
                                   "e",
                                   111}));
}
