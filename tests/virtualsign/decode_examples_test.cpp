#include <gtest/gtest.h>

#include <random>

#include "bitmaps/bitmap_catalog.h"
#include "signlink/sign_data_file.h"
#include "signlink/sign_stream.h"
#include "tests/support/random_workspace.h"
#include "tests/virtualsign/virtual_sign_support.h"
#include "virtualsign/state_json.h"
#include "workspace/sign_tables.h"

using namespace virtualsign;
using vs_test::bytes;
using vs_test::header;
using vs_test::Sign;

namespace {

std::string textRecords(const std::string& messages) {
  return header({0}) + messages + bytes({0x00});
}

// The items a sign should hold for each message of `ws`, numbered 1, 2, ... in order.
std::map<int, Message> expectedMessages(const workspace::Workspace& ws,
                                        const std::vector<int>& transferImages) {
  std::map<int, Message> out;
  int number = 0, file = -1;
  for (const workspace::MessageLine& line : ws.lines) {
    if (line.fileNumber != file) {
      file = line.fileNumber;
      ++number;
      out[number];
    }
    Message& m = out[number];
    size_t c = 0;
    for (int p = 0; p <= line.count(); ++p) {
      for (; c < line.controls.size() && line.controls[c].position == p; ++c) {
        m.push_back({ItemKind::kControl, line.controls[c].type, line.controls[c].value, 0, 0});
      }
      if (p == line.count()) break;
      const workspace::LineElement& e = line.elements[static_cast<size_t>(p)];
      MessageItem it{ItemKind::kCharacter, e.code, 0, e.colour, e.font};
      if (e.isNewline()) {
        it = {ItemKind::kNewline, 0, 0, e.colour, e.font};
      } else if (e.kind == workspace::kKindCharacter && e.code >= 0x80) {
        it.kind = ItemKind::kSpecialCharacter;  // The same byte as special character 0.
        it.code = e.code - 0x80;
      } else if (e.kind == workspace::kKindUserBitmap) {
        it.kind = ItemKind::kUserBitmap;
        it.code = static_cast<int>(std::find(transferImages.begin(), transferImages.end(), e.code) -
                                   transferImages.begin());
      } else if (e.kind != workspace::kKindCharacter) {
        static constexpr ItemKind kKinds[] = {ItemKind::kCharacter,
                                              ItemKind::kTime,
                                              ItemKind::kDate,
                                              ItemKind::kSymbol,
                                              ItemKind::kPredefinedBitmap,
                                              ItemKind::kUserBitmap,
                                              ItemKind::kSpecialCharacter};
        it.kind = kKinds[e.kind];
        if (e.kind <= workspace::kKindDate) it.code = 0;
      }
      m.push_back(it);
    }
  }
  // A line end closing a message is the first of its two end marks: the sign cannot see it.
  for (auto& [n, m] : out) {
    if (!m.empty() && m.back().kind == ItemKind::kNewline) m.pop_back();
  }
  return out;
}

TEST(VirtualSignExamples, TextRecordsOfTheMessageModel) {
  // "AB" in the default font and colour, and the same ended with Enter: one encoding.
  Sign ab;
  ab.receive(textRecords(bytes({0x01, '0', '1', 0xEF, 0xB0, 0xEF, 0xA2, 'A', 'B', 0xFF, 0xFF})));
  ASSERT_EQ(ab.state().messages.size(), 1u);
  EXPECT_EQ(ab.state().messages.at(1),
            (Message{{ItemKind::kCharacter, 'A', 0, 1, 2}, {ItemKind::kCharacter, 'B', 0, 1, 2}}));
  EXPECT_TRUE(ab.diagnostics().empty());

  // A colour change in mid-text, a Cyclic effect first, a control at the line's end, special
  // character 50 (0xB3), two messages numbered 01 and 02.
  Sign s;
  s.receive(textRecords(bytes({0x01, '0',  '1',  0x01, 0xEF, 0xB0, 0xEF, 0xA2, 'A', 0xEF, 0xB6,
                               'B',  0xB3, 0xEF, 0xC2, 0xFF, 0xFF, 0x01, '0',  '2', 0xEF, 0xB1,
                               0xEF, 0xA0, 'C',  0xFF, 0xEF, 0xB1, 0xEF, 0xA0, 'D', 0xFF, 0xFF})));
  ASSERT_TRUE(s.diagnostics().empty()) << s.diagnostics()[0].text;
  EXPECT_EQ(messageText(s.state().messages.at(1)), "{effect 1}AB{special 50}{speed 3}");
  EXPECT_EQ(s.state().messages.at(1)[2].colour, 6);
  EXPECT_EQ(s.state().messages.at(1)[3].colour, 6);
  EXPECT_EQ(messageText(s.state().messages.at(2)), "C\nD");
  EXPECT_EQ(s.state().messages.at(2)[0].font, 0);
  EXPECT_EQ(s.state().messages.at(2)[0].colour, 0);
}

TEST(VirtualSignExamples, LineEndFollowedOnlyByControlsEndsTheMessageWithOneMark) {
  // "A", Enter, a speed: the line end's 0xFF is the message's first end mark, so one follows.
  Sign s;
  s.receive(textRecords(bytes({0x01, '0',  '1', 0xEF, 0xB0, 0xEF, 0xA2, 'A',  0xFF, 0xEF, 0xC2,
                               0xFF, 0x01, '0', '2',  0xEF, 0xB0, 0xEF, 0xA2, 'B',  0xFF, 0xFF})));
  ASSERT_TRUE(s.diagnostics().empty()) << s.diagnostics()[0].text;
  EXPECT_EQ(messageText(s.state().messages.at(1)), "A\n{speed 3}");
  EXPECT_EQ(messageText(s.state().messages.at(2)), "B");
}

TEST(VirtualSignExamples, RandomWorkspacesDecodeIntoTheirMessagesAndSettings) {
  std::mt19937 rng(1307);
  for (int round = 0; round < 40; ++round) {
    workspace::Workspace ws = testing_support::randomWorkspace(rng);
    const std::vector<int> images = {17, 4, 230};
    for (auto& line : ws.lines) {
      for (auto& e : line.elements) {
        if (e.kind == workspace::kKindUserBitmap) e.code = static_cast<int16_t>(images[e.code % 3]);
      }
    }
    signlink::WorkspaceStreamInput in;
    in.workspace = &ws;
    in.signWidth = 96;
    in.now = testing_support::makeLocalTime(2026, 12, 8, 9, 5, 3, 2);
    in.transferImages = images;
    auto stream = signlink::buildWorkspaceStream(in, {1, 3});
    ASSERT_TRUE(stream.ok());
    Sign sign(3);
    receiveSignData(signlink::signDataFileBytes(stream.value().stream), sign.receiver);
    ASSERT_TRUE(sign.diagnostics().empty()) << round << ": " << sign.diagnostics()[0].text;
    EXPECT_EQ(sign.state().messages, expectedMessages(ws, images)) << "round " << round;
    EXPECT_EQ(sign.state().width, 96);
    ASSERT_TRUE(sign.state().clock.has_value());
    EXPECT_EQ(sign.state().clock->twelveHour, ws.scheduler.timeFormat == 1);
    EXPECT_EQ(sign.state().clock->offsetSeconds, 3);
    EXPECT_EQ(sign.state().alarmCount, ws.scheduler.alarmCount & 0xFF);
    EXPECT_EQ(sign.state().hourlyAlarm, ws.scheduler.hourlyAlarm == 1);
    EXPECT_EQ(sign.state().powerOff[2], ws.scheduler.powerOff[2]);
  }
}

TEST(VirtualSignExamples, ScheduleTasksAndTheAllFilesTask) {
  workspace::Workspace ws;
  for (int file : {3, 7, 9}) {
    workspace::MessageLine line;
    line.fileNumber = static_cast<int8_t>(file);
    line.elements.push_back({'X', 1, 2, 0});
    ws.lines.push_back(line);
  }
  signlink::WorkspaceStreamInput in;
  in.workspace = &ws;
  Sign plain;
  receiveSignData(signlink::buildWorkspaceStream(in, {0}).value().stream, plain.receiver);
  ASSERT_TRUE(plain.state().tasks[0].has_value());
  EXPECT_EQ(plain.state().tasks[0]->files, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(plain.state().tasks[0]->endHour, 23);
  EXPECT_FALSE(plain.state().tasks[1].has_value());

  ws.scheduler.tasks[4].files = {2, 0};
  ws.scheduler.tasks[4].days = {0, 1, 0, 0, 0, 0, 1};
  ws.scheduler.tasks[4].startHour = 7;
  ws.scheduler.tasks[4].endMinute = 30;
  Sign tasked;
  receiveSignData(signlink::buildWorkspaceStream(in, {0}).value().stream, tasked.receiver);
  ASSERT_TRUE(tasked.state().tasks[4].has_value());
  EXPECT_EQ(tasked.state().tasks[4]->files, (std::vector<int>{3, 1}));
  EXPECT_EQ(tasked.state().tasks[4]->dayMask, 0x42);
  EXPECT_EQ(tasked.state().tasks[4]->startHour, 7);
  EXPECT_EQ(tasked.state().tasks[4]->endMinute, 30);
  EXPECT_FALSE(tasked.state().tasks[0].has_value());
}

TEST(VirtualSignExamples, TestAndClearMemoryStreams) {
  Sign s;
  s.receive(textRecords(bytes({0x01, '0', '1', 'A', 0xFF, 0xFF})));
  receiveSignData(signlink::buildTestStream({0}), s.receiver);
  EXPECT_EQ(s.state().testRuns, 1);
  EXPECT_EQ(s.state().messages.size(), 1u);
  receiveSignData(signlink::buildClearMemoryStream({0}), s.receiver);
  EXPECT_TRUE(s.diagnostics().empty());
  EXPECT_EQ(s.state().memoryClears, 1);
  EXPECT_TRUE(s.state().messages.empty());
  EXPECT_FALSE(s.state().tasks[0].has_value());
}

TEST(VirtualSignExamples, UserDefinedImagesComeBackFromTheirPlanes) {
  bitmaps::CBitmapImage image(bitmaps::CBitmapImage::formatIndex(12), 85);
  for (int x = 0; x < 85; ++x)
    image.setPixel(x, x % 7, static_cast<uint8_t>(x % 9));
  bitmaps::CBitmapCatalog catalog(85, {image});
  workspace::Workspace ws;
  signlink::WorkspaceStreamInput in;
  in.workspace = &ws;
  in.signWidth = 85;
  in.transferImages = {99, 12};  // 99 is not in the catalog: slot 1 keeps its place.
  in.catalog = &catalog;
  Sign s(0, 80);  // The width record sets 85 before the image arrives.
  receiveSignData(signlink::buildWorkspaceStream(in, {0}).value().stream, s.receiver);
  ASSERT_TRUE(s.diagnostics().empty()) << s.diagnostics()[0].text;
  EXPECT_FALSE(s.state().images[0].has_value());
  ASSERT_TRUE(s.state().images[1].has_value());
  EXPECT_EQ(s.state().images[1]->codes, image.pixels());
}

TEST(VirtualSignExamples, RecordsForOtherAddressesAreIgnored) {
  const std::string forThree = header({3}) + bytes({0x01, '0', '1', 'A', 0xFF, 0xFF, 0x00}) +
                               header({3}) + bytes({0x0A, 0x01, 0xFF, 0x00});
  Sign five(5);
  five.receive(forThree);
  EXPECT_TRUE(five.state().messages.empty());
  EXPECT_EQ(five.state().testRuns, 0);
  EXPECT_EQ(five.receiver.recordsIgnored(), 2);
  EXPECT_TRUE(five.diagnostics().empty());

  Sign three(3);
  three.receive(forThree);
  EXPECT_EQ(three.state().messages.size(), 1u);
  EXPECT_EQ(three.state().testRuns, 1);

  // A list holding 0 is sent as 0-127 and reaches every sign up to 127; address 0 takes all.
  Sign hundred(100), all(0);
  hundred.receive(header({3, 0}) + bytes({0x0A, 0x01, 0xFF}));
  all.receive(header({200}) + bytes({0x0A, 0x01, 0xFF}));
  EXPECT_EQ(hundred.state().testRuns, 1);
  EXPECT_EQ(all.state().testRuns, 1);
}

}  // namespace
