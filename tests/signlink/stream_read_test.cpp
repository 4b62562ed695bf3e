#include <sys/stat.h>

#include <gtest/gtest.h>

#include <random>

#include "platform/atomic_file.h"
#include "signlink/sign_data_file.h"
#include "signlink/sign_stream.h"
#include "signlink/stream_units.h"
#include "tests/support/temp_dir.h"
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

string block(int type, const string& body) {
  return bytes({type, static_cast<int>(body.size() >> 8), static_cast<int>(body.size() & 0xFF)}) +
         body;
}

}  // namespace

TEST(ReadStream, TimeBlockKeepsItsOffsetButDoesNotTransmitIt) {
  const StreamUnits r = readStream(block(8, bytes({3, 'a', 'b', 'c', 'd'})));
  ASSERT_TRUE(r.complete);
  ASSERT_EQ(r.units.size(), 1u);
  EXPECT_EQ(r.units[0], (TransmissionUnit{"8", "abcd", 3}));
}

TEST(ReadStream, ImageBlockGivesOneUnitPerPartAndIgnoresItsLengthField) {
  const string stream = bytes({2, 0x12, 0x34, 2, 0, 2}) + "xyzw" + block(1, "t");
  const StreamUnits r = readStream(stream);
  ASSERT_TRUE(r.complete);
  ASSERT_EQ(r.units.size(), 3u);
  EXPECT_EQ(r.units[0].bytes, "xy");
  EXPECT_EQ(r.units[1].bytes, "zw");
  EXPECT_EQ(r.units[2], (TransmissionUnit{"1", "t", -1}));
  // A count of zero or less gives no unit.
  EXPECT_TRUE(readStream(bytes({2, 0, 3, 0xFF, 0, 5})).units.empty());
}

TEST(ReadStream, UnknownTypeSkipsOnlyItsHeader) {
  // Type 42's "body" is read as the next block header.
  const string stream = bytes({42, 0, 4}) + block(100, "ww");
  const StreamUnits r = readStream(stream);
  ASSERT_TRUE(r.complete);
  ASSERT_EQ(r.units.size(), 1u);
  EXPECT_EQ(r.units[0], (TransmissionUnit{"100", "ww", -1}));
  for (const int plain : {3, 4, 5, 6, 7, 9, 10}) {
    EXPECT_EQ(readStream(block(plain, "p")).units.at(0).label, std::to_string(plain));
  }
}

TEST(ReadStream, BlockRunningPastTheEndStopsReadingAndMarksTheStreamDamaged) {
  const string good = block(1, "abc");
  const string cases[] = {
      good + bytes({1, 0, 10}) + "short",      // body shorter than announced
      good + bytes({2, 0, 0, 1, 0, 9}) + "x",  // image part shorter than announced
      good + bytes({8, 0, 0}),                 // time block without its offset byte
      good + bytes({8, 0, 5, 1}) + "ab",       // time block cut short
      good + bytes({1, 0}),                    // header cut short
  };
  for (const string& stream : cases) {
    const StreamUnits r = readStream(stream);
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.damagedAt, good.size());
    ASSERT_EQ(r.units.size(), 1u);
    EXPECT_EQ(r.units[0].bytes, "abc");
  }
}

TEST(ReadStream, TotalsAndFrameCounts) {
  const std::vector<TransmissionUnit> units = {
      {"1", string(350, 'a'), -1}, {"1", string(700, 'b'), -1}, {"2", string(701, 'c'), -1}};
  EXPECT_EQ(totalBytes(units), 1751u);
  EXPECT_EQ(frameCount(units, 350), 1u + 2u + 3u);
}

TEST(SignDataFile, Is24BytesLongerAndReadsBackToTheSameUnits) {
  workspace::Workspace ws;
  workspace::MessageLine line;
  line.elements.push_back({'Z', 1, 2, 0});
  ws.lines.push_back(line);
  WorkspaceStreamInput in;
  in.workspace = &ws;
  const platform::Result<SignStream> built = buildWorkspaceStream(in, {0});
  ASSERT_TRUE(built.ok());

  testing_support::TempDir dir;
  const platform::LocalTime t = testing_support::makeLocalTime(2026, 3, 4, 5, 6, 7, 3);
  const platform::Result<string> written = writeSignDataFile(built->stream, t, dir.path());
  ASSERT_TRUE(written.ok()) << written.message();
  const string path = *written;
  // A private directory of its own, with a name no other user can guess.
  const string privateDir = path.substr(0, path.rfind('/'));
  EXPECT_EQ(path.substr(privateDir.size()), "/Z250020260304050607.bin");
  EXPECT_EQ(privateDir.substr(0, dir.path().size() + 13), dir.path() + "/varnel-send-");
  struct stat st {};
  ASSERT_EQ(::stat(privateDir.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  const platform::Result<string> second = writeSignDataFile(built->stream, t, dir.path());
  ASSERT_TRUE(second.ok());
  EXPECT_NE(*second, path);
  removeSignDataFile(*second);
  EXPECT_FALSE(platform::pathExists(second->substr(0, second->rfind('/'))));
  const string file = testing_support::readFile(path);
  EXPECT_EQ(file.size(), built->stream.size() + 24);
  EXPECT_EQ(file.substr(0, 14), "Z2500 series35");
  EXPECT_EQ(file.substr(14, 10), string(10, '\0'));
  std::string_view stream;
  ASSERT_TRUE(signDataFileStream(file, &stream));
  EXPECT_EQ(readStream(stream).units, readStream(built->stream).units);

  EXPECT_FALSE(signDataFileStream("Z2500 series35", &stream));  // shorter than the header
  EXPECT_FALSE(signDataFileStream(string(30, 'x'), &stream));
  const platform::Result<string> failed =
      writeSignDataFile(built->stream, t, dir.file("no/such/dir"));
  ASSERT_FALSE(failed.ok());
  EXPECT_NE(failed.message().find("No such file or directory"), string::npos) << failed.message();
}

TEST(ReadStream, RandomAndMutatedStreamsNeverReadPastTheEnd) {
  // Under the sanitizers any read past the stream would be caught here.
  std::mt19937 rng(5);
  const string valid = block(100, "width") + block(8, bytes({2, 'a', 'b'})) +
                       bytes({2, 0, 9, 2, 0, 3}) + "xyzuvw" + block(1, string(500, 't'));
  for (int i = 0; i < 20000; ++i) {
    string s = valid.substr(0, std::uniform_int_distribution<size_t>(0, valid.size())(rng));
    for (int flips = std::uniform_int_distribution<int>(0, 3)(rng); flips > 0 && !s.empty();
         --flips) {
      s[std::uniform_int_distribution<size_t>(0, s.size() - 1)(rng)] ^=
          static_cast<char>(1 << std::uniform_int_distribution<int>(0, 7)(rng));
    }
    const StreamUnits r = readStream(s);
    EXPECT_LE(totalBytes(r.units), s.size());
    if (!r.complete) {
      EXPECT_LT(r.damagedAt, s.size());
    }
  }
}
