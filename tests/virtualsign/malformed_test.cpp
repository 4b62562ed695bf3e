#include <gtest/gtest.h>

#include <random>

#include "signlink/sign_data_file.h"
#include "signlink/sign_stream.h"
#include "signlink/stream_units.h"
#include "tests/support/random_workspace.h"
#include "tests/virtualsign/virtual_sign_support.h"

using namespace virtualsign;
using vs_test::bytes;
using vs_test::header;
using vs_test::Sign;

namespace {

const std::string kTest = bytes({0x0A, 0x01, 0xFF, 0x00});

std::string onlyDiagnostic(const Sign& s) {
  if (s.diagnostics().size() != 1) return "diagnostics: " + std::to_string(s.diagnostics().size());
  return std::to_string(s.diagnostics()[0].offset) + ": " + s.diagnostics()[0].text;
}

TEST(VirtualSignFaults, AreToldWithTheirPlaceWhatWasExpectedAndWhatCame) {
  const std::string h = header({1});  // 7 bytes
  EXPECT_EQ(onlyDiagnostic(Sign().receive(h + bytes({0x03, 0xFF}))),
            "7: expected a command byte (0x01, 0x02, 0x04-0x0A, 0x10) or an address header 0x00, "
            "found 0x03");
  EXPECT_EQ(onlyDiagnostic(Sign().receive(h + bytes({0x10, 80, 0xFE}))),
            "9: expected the end mark 0xFF, found 0xFE");
  EXPECT_EQ(onlyDiagnostic(Sign().receive(h + bytes({0x08, 2, 0, '2', '6', '1', '3'}))),
            "12: expected a month \"01\" to \"12\", found \"13\"");
  EXPECT_EQ(onlyDiagnostic(Sign().receive(h + bytes({0x01, '0', '1', 'A', 0x1C, 0xFF, 0xFF}))),
            "11: expected a character, item, control or the end mark 0xFF 0xFF, found 0x1C");
  EXPECT_EQ(onlyDiagnostic(Sign().receive(bytes({0x00, 0xFF, 0xFF, 0x02, 0x0B, 1, 0xFF}))),
            "3: expected a group code 0 or 1, found 0x02");
}

TEST(VirtualSignFaults, CutRecordsAreToldOnlyWhenTheReceptionEnds) {
  const std::string record = header({1}) + bytes({0x01, '0', '1', 'A', 'B', 0xFF, 0xFF});
  Sign s;
  s.receiver.begin();
  s.receiver.feed(record.substr(0, 12));
  EXPECT_TRUE(s.diagnostics().empty());
  s.receiver.finish();
  EXPECT_EQ(onlyDiagnostic(s),
            "12: expected a character, item, control or the end mark 0xFF 0xFF, found the end of "
            "the data");
  EXPECT_TRUE(s.state().messages.empty());
}

TEST(VirtualSignFaults, TheSignTakesUpAgainAtTheNextAddressHeader) {
  Sign s;
  s.receive(header({1}) +
            bytes({0x01, '0', '1', 'A', 0xEF, 0x01, 'B', 0xFF, 0xFF, 0x04, 3, 5, 0xFF, 0x00}) +
            header({1}) + kTest);
  EXPECT_EQ(s.diagnostics().size(), 1u);
  EXPECT_EQ(s.diagnostics()[0].offset, 12u);
  EXPECT_TRUE(s.state().messages.empty());
  EXPECT_EQ(s.state().alarmCount, 0);  // Part of the damaged group.
  EXPECT_EQ(s.state().testRuns, 1);
}

TEST(VirtualSignFaults, BlocksRunningPastTheEndAreToldAndTheOnesBeforeTaken) {
  std::string stream = signlink::buildTestStream({0});
  stream += bytes({0x01, 0x01, 0x00, 0x00});  // A text block announcing 256 bytes that never come.
  Sign s;
  receiveSignData(signlink::signDataFileBytes(stream), s.receiver);
  EXPECT_EQ(s.state().testRuns, 1);
  ASSERT_EQ(s.diagnostics().size(), 1u);
  EXPECT_NE(s.diagnostics()[0].text.find("runs past the end"), std::string::npos);
}

TEST(VirtualSignFaults, BytesArrivingInAnyPiecesGiveTheSameState) {
  std::mt19937 rng(77);
  workspace::Workspace ws = testing_support::randomWorkspace(rng);
  signlink::WorkspaceStreamInput in;
  in.workspace = &ws;
  const std::string stream = signlink::buildWorkspaceStream(in, {0}).value().stream;
  Sign whole;
  receiveSignData(stream, whole.receiver);
  std::string line;
  for (const auto& unit : signlink::readStream(stream).units)
    line += unit.bytes;
  Sign pieces;
  pieces.receiver.begin();
  for (size_t i = 0; i < line.size();) {
    const size_t n = std::uniform_int_distribution<size_t>(1, 40)(rng);
    pieces.receiver.feed(std::string_view(line).substr(i, n));
    i += n;
  }
  pieces.receiver.finish();
  EXPECT_TRUE(pieces.diagnostics().empty());
  EXPECT_EQ(pieces.state(), whole.state());
}

// Random damage to valid streams: flipped, dropped, inserted and cut bytes. Nothing may crash or
// read out of bounds (the sanitizer build watches), every fault lies within the bytes received,
// and a sign told something went wrong still holds a consistent state.
TEST(VirtualSignFaults, RandomlyDamagedStreamsNeverCrashTheSign) {
  std::mt19937 rng(2500);
  for (int round = 0; round < 300; ++round) {
    workspace::Workspace ws = testing_support::randomWorkspace(rng, 4);
    signlink::WorkspaceStreamInput in;
    in.workspace = &ws;
    std::string line;
    const std::string stream = signlink::buildWorkspaceStream(in, {0, 5}).value().stream;
    for (const auto& unit : signlink::readStream(stream).units)
      line += unit.bytes;
    auto pick = [&](size_t hi) { return std::uniform_int_distribution<size_t>(0, hi)(rng); };
    for (int m = 0, count = 1 + static_cast<int>(pick(5)); m < count && !line.empty(); ++m) {
      const size_t at = pick(line.size() - 1);
      switch (pick(3)) {
        case 0:
          line[at] = static_cast<char>(pick(255));
          break;
        case 1:
          line.erase(at, 1 + pick(3));
          break;
        case 2:
          line.insert(at, 1, static_cast<char>(pick(255)));
          break;
        default:
          line.resize(at);
      }
    }
    Sign s(static_cast<int>(pick(6)));
    s.receiver.begin();
    for (size_t i = 0; i < line.size(); i += 350) {
      s.receiver.feed(std::string_view(line).substr(i, 350));
    }
    s.receiver.finish();
    for (const Diagnostic& d : s.diagnostics())
      EXPECT_LE(d.offset, line.size());
    for (const auto& [number, message] : s.state().messages) {
      EXPECT_GE(number, 1);
      EXPECT_LE(number, 99);
    }
    // The damaged bytes as a file go through the block reader too.
    Sign f;
    receiveSignData(signlink::signDataFileBytes(line), f.receiver);
  }
}

}  // namespace
