#include <gtest/gtest.h>

#include "tests/support/random_workspace.h"
#include "tests/support/temp_dir.h"
#include "workspace/message_encoder.h"
#include "workspace/workspace_file.h"

namespace {

TEST(WorkspaceRoundTrip, RandomWorkspacesSurviveSerializeAndParse) {
  std::mt19937 rng(20261208);
  for (int i = 0; i < 300; ++i) {
    const workspace::Workspace ws = testing_support::randomWorkspace(rng);
    ASSERT_TRUE(workspace::isStorableWorkspace(ws));
    const platform::Result<workspace::LoadedWorkspace> r =
        workspace::parseWorkspaceFile(workspace::serializeWorkspace(ws), std::nullopt, "r");
    ASSERT_TRUE(r.ok()) << i << ": " << r.message();
    ASSERT_EQ(r->workspace, ws) << i;
  }
}

TEST(WorkspaceRoundTrip, SavedFileLoadsBackEqualAndEncodesTheSame) {
  std::mt19937 rng(7);
  testing_support::TempDir dir;
  const workspace::Workspace ws = testing_support::randomWorkspace(rng, 40);
  const platform::Status saved = workspace::saveWorkspaceFile(dir.file("w.SDV"), ws);
  ASSERT_TRUE(saved.ok()) << saved.message();
  const platform::Result<workspace::LoadedWorkspace> r =
      workspace::loadWorkspaceFile(dir.file("w.SDV"));
  ASSERT_TRUE(r.ok()) << r.message();
  EXPECT_EQ(r->workspace, ws);
  std::string a, b;
  workspace::encodeWorkspace(ws, {}, &a);
  workspace::encodeWorkspace(r->workspace, {}, &b);
  EXPECT_EQ(a, b);
}

}  // namespace
