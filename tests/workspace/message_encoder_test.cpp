#include "workspace/message_encoder.h"

#include <gtest/gtest.h>

#include "sdv_test_bytes.h"
#include "workspace/sign_tables.h"

namespace {

using sdv_test::el;
using sdv_test::textLine;
using workspace::AnchoredControl;
using workspace::EncodeOptions;
using workspace::EncodeResult;
using workspace::MessageLine;
using workspace::Workspace;

std::string bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values)
    s.push_back(static_cast<char>(v));
  return s;
}

std::string encode(const Workspace& ws, const EncodeOptions& options = {},
                   EncodeResult* result = nullptr) {
  std::string out;
  const EncodeResult r = workspace::encodeWorkspace(ws, options, &out);
  EXPECT_EQ(r.count, out.size());
  if (result != nullptr) *result = r;
  return out;
}

Workspace of(std::vector<MessageLine> lines) {
  Workspace ws;
  ws.lines = std::move(lines);
  return ws;
}

const std::string kStart01 = bytes({0x01, '0', '1'});
const std::string kDefaultPairs = bytes({0xEF, 0xB0, 0xEF, 0xA2});  // Bright Red, font 2
const std::string kEnd = bytes({0xFF, 0xFF});

TEST(MessageEncoder, EmptyWorkspaceYieldsOnlyTheHeaderAndNoTerminator) {
  EncodeOptions options;
  options.withTerminator = true;
  EXPECT_EQ(encode(Workspace{}, options), "");
  options.addressHeader = [](std::string* out) { out->append("HDR"); };
  EXPECT_EQ(encode(Workspace{}, options), "HDR");
}

TEST(MessageEncoder, OneMessageEndsInTwoLineEndsWithOrWithoutItsNewline) {
  const std::string expected = kStart01 + kDefaultPairs + "AB" + kEnd;
  EXPECT_EQ(encode(of({textLine(1, "AB")})), expected);
  MessageLine entered = textLine(1, "AB");
  entered.elements.push_back(el(workspace::kNewlineCode));
  EXPECT_EQ(encode(of({entered})), expected);
}

TEST(MessageEncoder, HeaderAndTerminatorAreCounted) {
  EncodeOptions options;
  options.withTerminator = true;
  options.addressHeader = [](std::string* out) { out->append("HDR"); };
  std::string out = "keep";
  const EncodeResult r = workspace::encodeWorkspace(of({textLine(1, "A")}), options, &out);
  const std::string expected = "HDR" + kStart01 + kDefaultPairs + "A" + kEnd + std::string(1, '\0');
  EXPECT_EQ(out, "keep" + expected);
  EXPECT_EQ(r.count, expected.size());
}

TEST(MessageEncoder, ColourAndFontPairsOnlyWhenChangedOrAfterANewline) {
  MessageLine line = textLine(1, "AB");
  line.elements[1].colour = 0;                                    // colour change only
  line.elements.push_back(el(workspace::kNewlineCode, 0, 0, 2));  // newline in the new colour
  line.elements.push_back(el('C', 0, 0, 3));                      // font change after newline
  EXPECT_EQ(encode(of({line})), kStart01 + kDefaultPairs + "A" + bytes({0xEF, 0xB1}) + "B" +
                                    bytes({0xFF, 0xEF, 0xB1, 0xEF, 0xA3}) + "C" + kEnd);
}

TEST(MessageEncoder, MessagesAreNumberedByAppearanceAndRepeatTheirPairs) {
  const std::string message2 = bytes({0x01, '0', '2'}) + kDefaultPairs + "B" + kEnd;
  EXPECT_EQ(encode(of({textLine(3, "A"), textLine(7, "B")})),
            kStart01 + kDefaultPairs + "A" + kEnd + message2);
  // Lines of one message continue without a new number or pairs.
  EXPECT_EQ(encode(of({textLine(3, "A"), textLine(3, "B")})),
            kStart01 + kDefaultPairs + "AB" + kEnd);
}

TEST(MessageEncoder, NumbersRunPastNineAndStopAfterNinetyNine) {
  std::vector<MessageLine> lines;
  for (int i = 0; i < 101; ++i)
    lines.push_back(textLine(i % 2 + 1, "x"));
  EncodeResult r;
  const std::string out = encode(of(lines), {}, &r);
  EXPECT_NE(out.find(bytes({0x01, '1', '0'})), std::string::npos);
  EXPECT_NE(out.find(bytes({0x01, '9', '9'})), std::string::npos);
  EXPECT_EQ(out.find(bytes({0x01, ':', '0'})), std::string::npos);
  EXPECT_EQ(r.messagesLeftOut, 2u);
  EXPECT_EQ(out.substr(out.size() - 3), "x" + kEnd);
}

TEST(MessageEncoder, ControlsStandBeforeTheirElementAndAtTheLineEnd) {
  MessageLine first = textLine(1, "A");
  first.controls = {{0, workspace::kControlTransition, 1},  // "Cyclic" before the first character
                    {1, workspace::kControlSpeed, 2},       // at the end of the line
                    {1, workspace::kControlBeep, 3}};
  MessageLine second = textLine(1, "B");
  EXPECT_EQ(encode(of({first, second})), kStart01 + bytes({0x01}) + kDefaultPairs + "A" +
                                             bytes({0xEF, 0xC1, 0xEF, 0xE2}) + "B" + kEnd);
}

TEST(MessageEncoder, ControlsDoNotClearTheLineEndOrChangeThePairs) {
  MessageLine line = textLine(1, "A");
  line.elements.push_back(el(workspace::kNewlineCode));
  line.controls = {{2, workspace::kControlPause, 1}};
  EXPECT_EQ(encode(of({line})), kStart01 + kDefaultPairs + "A" + bytes({0xFF, 0xEF, 0xC8, 0xFF}));
}

TEST(MessageEncoder, InvalidControlsAreSkipped) {
  MessageLine line = textLine(1, "A");
  line.controls = {{0, 0, 1},
                   {0, 6, 1},
                   {0, workspace::kControlBeep, 4},
                   {0, workspace::kControlTransition, 0},
                   {1, workspace::kControlSpeed, 9}};
  EXPECT_EQ(encode(of({line})), kStart01 + kDefaultPairs + "A" + kEnd);
}

TEST(MessageEncoder, InlineItemsUseTheirSignCodes) {
  EncodeOptions options;
  options.transferImages = {4, 17, 1234};
  MessageLine line;
  line.elements = {el(0, workspace::kKindTime),          el(0, workspace::kKindDate),
                   el(29, workspace::kKindSymbol),       el(7, workspace::kKindPredefinedBitmap),
                   el(1234, workspace::kKindUserBitmap), el(50, workspace::kKindSpecialCharacter)};
  EXPECT_EQ(encode(of({line}), options),
            kStart01 + kDefaultPairs +
                bytes({0xEF, 0x80, 0xEF, 0x81, 0xEF, 0x7D, 0xEF, 0xDF, 0xEF, 0xD2, 0xB3}) + kEnd);
}

TEST(MessageEncoder, UserBitmapWithoutSlotIsLeftOutAndReportedOnce) {
  EncodeOptions options;
  options.transferImages = {1, 2, 3, 4, 5, 6, 7, 8, 9};  // 9 would be a ninth slot: none
  MessageLine line = textLine(1, "A");
  line.elements.push_back(el(77, workspace::kKindUserBitmap, 0, 5));
  line.elements.push_back(el(9, workspace::kKindUserBitmap, 0, 5));
  line.elements.push_back(el(77, workspace::kKindUserBitmap, 0, 5));
  line.elements.push_back(el(workspace::kNewlineCode));
  EncodeResult r;
  // Nothing of the bitmaps appears, not even their colour or font, and the newline still ends
  // the message as the first of the two 0xFF.
  EXPECT_EQ(encode(of({line}), options, &r), kStart01 + kDefaultPairs + "A" + kEnd);
  EXPECT_EQ(r.missingImages, (std::vector<int>{77, 9}));
  EXPECT_EQ(r.elementsLeftOut, 0u);
}

TEST(MessageEncoder, ElementsOutsideTheTablesAreLeftOut) {
  MessageLine line = textLine(1, "A");
  line.elements.push_back(el('B', workspace::kKindCharacter, 16));
  line.elements.push_back(el('C', workspace::kKindCharacter, 1, 7));
  line.elements.push_back(el(30, workspace::kKindSymbol));
  line.elements.push_back(el(8, workspace::kKindPredefinedBitmap));
  line.elements.push_back(el(66, workspace::kKindSpecialCharacter));
  line.elements.push_back(el(0, 7));
  EncodeResult r;
  EXPECT_EQ(encode(of({line}), {}, &r), kStart01 + kDefaultPairs + "A" + kEnd);
  EXPECT_EQ(r.elementsLeftOut, 6u);
}

TEST(MessageEncoder, EmptyMessageAfterANewlineStillEndsInTwoLineEnds) {
  MessageLine first = textLine(1, "A");
  first.elements.push_back(el(workspace::kNewlineCode));
  EXPECT_EQ(encode(of({first, textLine(2, "")})),
            kStart01 + kDefaultPairs + "A" + kEnd + bytes({0x01, '0', '2', 0xFF, 0xFF}));
}

}  // namespace
