#include <gtest/gtest.h>

#include <array>

#include "bitmaps/bitmap_catalog.h"
#include "signlink/address_header.h"
#include "signlink/sign_data_file.h"
#include "signlink/sign_stream.h"
#include "signlink/stream_units.h"
#include "tests/support/test_time.h"

using namespace signlink;
using std::string;

namespace {

string bytes(std::initializer_list<int> values) {
  string s;
  for (const int v : values)
    s.push_back(static_cast<char>(v));
  return s;
}

platform::LocalTime tuesdayMorning() {
  return testing_support::makeLocalTime(2026, 12, 8, 9, 5, 3, 2);
}

workspace::MessageLine textLine(const string& text, int file) {
  workspace::MessageLine line;
  line.fileNumber = static_cast<int8_t>(file);
  for (const char c : text)
    line.elements.push_back({static_cast<int16_t>(c), 1, 2, 0});
  return line;
}

platform::Result<SignStream> build(const workspace::Workspace& ws,
                                   const std::vector<uint8_t>& addresses,
                                   std::vector<int> images = {},
                                   const bitmaps::CBitmapCatalog* catalog = nullptr) {
  WorkspaceStreamInput in;
  in.workspace = &ws;
  in.now = tuesdayMorning();
  in.transferImages = std::move(images);
  in.catalog = catalog;
  return buildWorkspaceStream(in, addresses);
}

}  // namespace

TEST(AddressHeader, ListHoldingZeroAnywhereAddressesAllOfTheFirst128Signs) {
  const auto all = headerAddresses({5, 9, 0, 3});
  ASSERT_EQ(all.size(), 128u);
  for (size_t i = 0; i < all.size(); ++i)
    EXPECT_EQ(all[i], i);
  EXPECT_EQ(headerAddresses({5, 9}), (std::vector<uint8_t>{5, 9}));
  string h;
  writeAddressHeader({5, 9}, kGroupCodeSettings, &h);
  EXPECT_EQ(h, bytes({0x00, 0xFF, 0xFF, 0x01, 0x0B, 5, 9, 0xFF}));
}

TEST(WorkspaceStream, OneMessageWithoutImagesIsExactlyBlocks100And8And1) {
  workspace::Workspace ws;
  ws.lines.push_back(textLine("AB", 1));
  const platform::Result<SignStream> r = build(ws, {1});
  ASSERT_TRUE(r.ok()) << r.message();
  const string header0 = bytes({0x00, 0xFF, 0xFF, 0x00, 0x0B, 0x01, 0xFF});
  const string header1 = bytes({0x00, 0xFF, 0xFF, 0x01, 0x0B, 0x01, 0xFF});
  const string width = header1 + bytes({0x10, 80, 0xFF, 0x00});
  const string time =
      bytes({8}) + header0 + bytes({0x08, 2, 0}) + "261208090503" + bytes({0xFF, 0x00});
  const string text = header0 + bytes({0x01}) + "01" + bytes({0xEF, 0xB0, 0xEF, 0xA2}) + "AB" +
                      bytes({0xFF, 0xFF}) +
                      // no task has files: the all-files task
                      bytes({0x02, '0', 0x00}) + "0000" + "2359" + "01" + bytes({0xFF}) +
                      bytes({0x04, 0, 0, 0xFF, 0x05, 0, 0xFF, 0x06}) + "000000" +
                      bytes({0xFF, 0x07}) + "000000" + bytes({0xFF, 0x00});
  const string expected = bytes({100, 0, static_cast<int>(width.size())}) + width +
                          bytes({8, 0, static_cast<int>(time.size())}) + time +
                          bytes({1, 0, static_cast<int>(text.size())}) + text;
  EXPECT_EQ(r->stream, expected);
}

TEST(WorkspaceStream, ScheduledTasksReplaceTheAllFilesTask) {
  workspace::Workspace ws;
  ws.lines.push_back(textLine("A", 1));
  ws.lines.push_back(textLine("B", 2));
  auto& task = ws.scheduler.tasks[3];
  task.days = {1, 0, 0, 0, 0, 0, 1};  // Sunday and Saturday
  task.startHour = 8;
  task.endHour = 17;
  task.endMinute = 30;
  task.files = {1, 0};
  ws.scheduler.alarmCount = 300;  // low 8 bits on the wire
  ws.scheduler.hourlyAlarm = 1;
  ws.scheduler.powerOn = {7, 0, 0};
  const platform::Result<SignStream> r = build(ws, {1});
  ASSERT_TRUE(r.ok());
  const string record = bytes({0x02, '3', 0x41}) + "0800" + "1730" + "0201" + bytes({0xFF});
  EXPECT_NE(r->stream.find(record), string::npos);
  EXPECT_EQ(r->stream.find(bytes({0x02, '0', 0x00}) + "0000"), string::npos);
  EXPECT_NE(r->stream.find(bytes({0x04, 300 & 0xFF, 0, 0xFF, 0x05, 1, 0xFF, 0x06}) + "070000"),
            string::npos);
}

TEST(WorkspaceStream, AllFilesTaskCountsMessagesAsTheyAreNumberedOnTheSign) {
  // Messages stored as files 3 and 7 reach the sign as 01 and 02.
  workspace::Workspace ws;
  ws.lines.push_back(textLine("A", 3));
  ws.lines.push_back(textLine("B", 7));
  const platform::Result<SignStream> r = build(ws, {1});
  ASSERT_TRUE(r.ok());
  EXPECT_NE(r->stream.find("00002359"
                           "0102"
                           "\xFF"),
            string::npos);
}

TEST(WorkspaceStream, AllFilesTaskNamesOnlyTheNinetyNineMessagesSent) {
  workspace::Workspace ws;
  for (int file = 1; file <= 101; ++file)
    ws.lines.push_back(textLine("x", file));
  const platform::Result<SignStream> r = build(ws, {1});
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r->messagesSent, 99);
  EXPECT_EQ(r->messagesLeftOut, 2);
  string files;
  for (int f = 1; f <= 99; ++f)
    appendTwoDigits(f, &files);
  const string task = bytes({0x02, '0', 0x00}) + "00002359" + files;
  const size_t at = r->stream.find(task);
  ASSERT_NE(at, string::npos);
  EXPECT_EQ(static_cast<uint8_t>(r->stream[at + task.size()]), 0xFF);  // nothing named after 99
}

TEST(WorkspaceStream, ImageBlockCarriesFoundImagesInTheirSlots) {
  bitmaps::CBitmapCatalog catalog(80);
  bitmaps::CBitmapImage image(bitmaps::CBitmapImage::formatIndex(12), 80);
  image.setPixel(0, 0, 1);   // P1 and P2
  image.setPixel(9, 6, 2);   // P3 and P4
  image.setPixel(79, 3, 8);  // P1, P3 and P4
  ASSERT_TRUE(catalog.add(image).ok());
  workspace::Workspace ws;
  const platform::Result<SignStream> r =
      build(ws, {1}, {44, 12}, &catalog);  // 44 is not in the catalog
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r->missingImages, std::vector<int>{44});
  const StreamUnits units = readStream(r->stream);
  ASSERT_TRUE(units.complete);
  ASSERT_EQ(units.units.size(), 4u);
  const TransmissionUnit& img = units.units[2];
  EXPECT_EQ(img.label, "2");
  const string header0 = bytes({0x00, 0xFF, 0xFF, 0x00, 0x0B, 0x01, 0xFF});
  ASSERT_EQ(img.bytes.size(), header0.size() + 282 + 1);  // one record for an 80-pixel sign
  EXPECT_EQ(img.bytes.substr(0, header0.size() + 2), header0 + bytes({0x09, 1}));  // slot 1
  const string planes = img.bytes.substr(header0.size() + 2, 280);
  auto bit = [&](int plane, int x, int y) {
    return (static_cast<uint8_t>(planes[static_cast<size_t>(plane * 70 + y * 10 + x / 8)]) >>
            (7 - x % 8)) &
           1;
  };
  EXPECT_EQ((std::array{bit(0, 0, 0), bit(1, 0, 0), bit(2, 0, 0), bit(3, 0, 0)}),
            (std::array{1, 1, 0, 0}));
  EXPECT_EQ((std::array{bit(0, 9, 6), bit(1, 9, 6), bit(2, 9, 6), bit(3, 9, 6)}),
            (std::array{0, 0, 1, 1}));
  EXPECT_EQ((std::array{bit(0, 79, 3), bit(1, 79, 3), bit(2, 79, 3), bit(3, 79, 3)}),
            (std::array{1, 0, 1, 1}));
  EXPECT_EQ(img.bytes.back(), '\0');
}

TEST(WorkspaceStream, TooLargeForTheSixteenBitLengthIsRefused) {
  workspace::Workspace ws;
  for (int m = 1; m <= 99; ++m) {
    for (int l = 0; l < 10; ++l)
      ws.lines.push_back(textLine(string(100, 'x'), m));
  }
  const platform::Result<SignStream> r = build(ws, {1});
  EXPECT_EQ(r.status().code(), platform::Status::Code::kRefused);
  EXPECT_NE(r.message().find("65535"), string::npos) << r.message();
}

TEST(CommandStreams, TestAndClearMemoryBytes) {
  EXPECT_EQ(buildTestStream({2}),
            bytes({9, 0, 11, 0x00, 0xFF, 0xFF, 0x00, 0x0B, 2, 0xFF, 0x0A, 0x01, 0xFF, 0x00}));
  const string body = bytes({0x00, 0xFF, 0xFF, 0x01, 0x0B, 2, 0xFF, 0x02, '0', 0x7F}) +
                      "0000"
                      "2359"
                      "00" +
                      bytes({0xFF, 0x00});
  EXPECT_EQ(buildClearMemoryStream({2}), bytes({10, 0, static_cast<int>(body.size())}) + body);
}

TEST(TwoDigits, TensPassNineFromOneHundred) {
  string s;
  appendTwoDigits(5, &s);
  appendTwoDigits(123, &s);
  EXPECT_EQ(s,
            "05"
            "\x3C"
            "3");
}
