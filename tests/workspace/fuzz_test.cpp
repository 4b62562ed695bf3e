// Truncated and bit-flipped files of every layout: each must load or fail with a text, never
// crash or read out of bounds (run under ASan+UBSan in CI).

#include <gtest/gtest.h>

#include "sdv_test_bytes.h"
#include "tests/support/random_workspace.h"
#include "workspace/message_encoder.h"
#include "workspace/workspace_file.h"

namespace {

using sdv_test::Bytes;

struct Sample {
  const char* name;
  std::string file;
  std::optional<std::string> controlFile;
};

Bytes& controlRecords(Bytes& b, const workspace::Workspace& ws, bool sixBytes) {
  for (size_t i = 0; i < ws.lines.size(); ++i) {
    for (const auto& c : ws.lines[i].controls) {
      if (sixBytes) {
        b.u16(static_cast<int>(i)).u16(c.position);
      } else {
        b.u8(static_cast<int>(i)).u8(c.position);
      }
      b.u8(c.type).u8(c.value);
    }
  }
  return b;
}

int pick(std::mt19937& rng, int lo, int hi) {
  return std::uniform_int_distribution<int>(lo, hi)(rng);
}

int controlCount(const workspace::Workspace& ws) {
  int n = 0;
  for (const auto& line : ws.lines)
    n += static_cast<int>(line.controls.size());
  return n;
}

std::vector<Sample> samples() {
  std::mt19937 rng(99);
  const workspace::Workspace ws = testing_support::randomWorkspace(rng, 2);
  const auto lineCount = static_cast<int>(ws.lines.size());
  std::vector<Sample> out;
  out.push_back({"3.5", workspace::serializeWorkspace(ws), std::nullopt});

  Bytes v33;
  v33.text("KVXSDV3.3").i32(80).i32(2).zeros(10).i32(2).text("ab").i32(lineCount);
  for (const auto& line : ws.lines)
    sdv_test::packedLine(v33, line);
  sdv_test::emptyScheduler(controlRecords(v33.i32(controlCount(ws)), ws, true)).text("tail");
  out.push_back({"3.3", v33.str(), std::nullopt});

  Bytes v31;
  v31.text("KVXSDV3.1").i32(80).i32(1).zeros(10).i32(0).i32(lineCount);
  for (const auto& line : ws.lines)
    sdv_test::record416(v31, line);
  sdv_test::emptyScheduler(controlRecords(v31.i32(controlCount(ws)), ws, true));
  out.push_back({"3.1", v31.str(), std::nullopt});

  Bytes v25;
  v25.text("KVXSDV2.5").field("x.LST", 100).i32(lineCount);
  for (const auto& line : ws.lines)
    sdv_test::record416(v25, line);
  controlRecords(v25.i32(controlCount(ws)), ws, false);
  out.push_back({"2.5", v25.str(), std::nullopt});

  Bytes controls;
  controlRecords(controls, ws, false);
  Bytes v20;
  v20.text("KVXSDV2.0").field("", 100);
  for (const auto& line : ws.lines)
    sdv_test::record1220(v20, line);
  out.push_back({"2.0", v20.str(), controls.str()});

  Bytes raw;
  raw.field("y.LST", 100);
  for (const auto& line : ws.lines)
    sdv_test::record1220(raw, line);
  out.push_back({"raw", raw.str(), controls.str()});
  return out;
}

// Returns whether the file loaded.
bool check(const std::string& file, const std::optional<std::string>& controlFile) {
  workspace::LoadOptions yes;
  yes.confirmOldVersion = [](const std::string&) { return true; };
  const platform::Result<workspace::LoadedWorkspace> r =
      workspace::parseWorkspaceFile(file, controlFile, "f", yes);
  if (!r.ok()) {
    EXPECT_FALSE(r.message().empty());
    return false;
  }
  // Whatever loads is a workspace the model can hold, store again and encode.
  EXPECT_TRUE(r.message().empty());
  EXPECT_TRUE(workspace::isStorableWorkspace(r->workspace));
  std::string encoded;
  workspace::encodeWorkspace(r->workspace, {}, &encoded);
  return true;
}

TEST(WorkspaceFileFuzz, SamplesOfEveryLayoutLoad) {
  for (const Sample& s : samples()) {
    workspace::LoadOptions yes;
    yes.confirmOldVersion = [](const std::string&) { return true; };
    const auto r = workspace::parseWorkspaceFile(s.file, s.controlFile, "f", yes);
    EXPECT_TRUE(r.ok()) << s.name << ": " << r.message();
  }
}

TEST(WorkspaceFileFuzz, EveryTruncationFailsOrLoads) {
  for (const Sample& s : samples()) {
    SCOPED_TRACE(s.name);
    for (size_t n = 0; n < s.file.size(); ++n)
      check(s.file.substr(0, n), s.controlFile);
    if (s.controlFile) {
      for (size_t n = 0; n < s.controlFile->size(); ++n)
        check(s.file, s.controlFile->substr(0, n));
    }
  }
}

TEST(WorkspaceFileFuzz, BitFlipsAndByteSmashesFailOrLoad) {
  std::mt19937 rng(4242);
  for (const Sample& s : samples()) {
    SCOPED_TRACE(s.name);
    int loaded = 0;
    const int kCases = 1500;
    for (int i = 0; i < kCases; ++i) {
      std::string file = s.file;
      std::optional<std::string> controls = s.controlFile;
      for (int flips = pick(rng, 1, 4); flips > 0; --flips) {
        std::string& target =
            controls && !controls->empty() && pick(rng, 0, 4) == 0 ? *controls : file;
        const auto at = static_cast<size_t>(pick(rng, 0, static_cast<int>(target.size()) - 1));
        if (pick(rng, 0, 1)) {
          target[at] = static_cast<char>(target[at] ^ (1 << pick(rng, 0, 7)));
        } else {
          target[at] = static_cast<char>(pick(rng, 0, 1) ? 0xFF : 0x7F);
        }
      }
      loaded += check(file, controls) ? 1 : 0;
    }
    // Both outcomes occur, so the damage reaches past the first check.
    EXPECT_GT(loaded, 0);
    EXPECT_LT(loaded, kCases);
  }
}

}  // namespace
