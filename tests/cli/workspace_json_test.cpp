#include "cli/workspace_json.h"

#include <gtest/gtest.h>

#include "tests/support/random_workspace.h"

using cli::workspaceFromJson;
using cli::workspaceToJson;
using nlohmann::json;

namespace {

json minimalLine() {
  return json{{"file", 1},
              {"elements", json::array({{{"kind", 0}, {"code", 65}, {"colour", 1}, {"font", 2}}})},
              {"controls", json::array({{{"position", 0}, {"type", 5}, {"value", 3}}})}};
}

std::string importError(json j) {
  workspace::Workspace ws;
  const platform::Status status = workspaceFromJson(j, &ws);
  EXPECT_EQ(status.code(), platform::Status::Code::kRefused) << j.dump();
  return status.message();
}

}  // namespace

TEST(WorkspaceJson, SchemaFieldNamesAndTenTasks) {
  workspace::Workspace ws;
  ws.lines.push_back({});
  const json j = workspaceToJson(ws, 35);
  for (const char* key : {"version", "width", "colorMode", "transferFile", "lines", "scheduler"}) {
    EXPECT_TRUE(j.contains(key)) << key;
  }
  EXPECT_EQ(j["scheduler"]["tasks"].size(), 10u);
  EXPECT_EQ(j["scheduler"]["tasks"][0]["days"].size(), 7u);
  EXPECT_EQ(j["lines"][0]["file"], 1);
}

TEST(WorkspaceJson, RandomWorkspacesRoundTrip) {
  std::mt19937 rng(20261208);
  for (int i = 0; i < 300; ++i) {
    const workspace::Workspace ws = testing_support::randomWorkspace(rng);
    workspace::Workspace back;
    const platform::Status status = workspaceFromJson(workspaceToJson(ws, 35), &back);
    ASSERT_TRUE(status.ok()) << status.message();
    ASSERT_EQ(back, ws) << "case " << i;
  }
}

TEST(WorkspaceJson, TransferFileIsThePathAndMustFitTheWorkspaceFile) {
  workspace::Workspace ws;
  ws.transferFilePath = "caf\u00E9\u20AC.LST";
  const json j = workspaceToJson(ws, 35);
  EXPECT_EQ(j["transferFile"], "caf\u00E9\u20AC.LST");
  json bad = j;
  bad["transferFile"] = "\u4E2D.LST";
  EXPECT_NE(importError(bad).find("transferFile"), std::string::npos);
}

TEST(WorkspaceJson, MissingFieldsTakeTheValuesOfANewWorkspace) {
  workspace::Workspace ws;
  const platform::Status status = workspaceFromJson(json::object(), &ws);
  ASSERT_TRUE(status.ok()) << status.message();
  EXPECT_EQ(ws, workspace::Workspace{});
}

TEST(WorkspaceJson, ValuesTheFileCannotHoldAreRefusedWithTheirPath) {
  auto withLine = [](json line) { return json{{"lines", json::array({line})}}; };
  json j = minimalLine();
  j["file"] = 100;
  EXPECT_EQ(importError(withLine(j)), "lines[0].file: must be between 1 and 99");
  j = minimalLine();
  j["elements"][0]["font"] = 7;
  EXPECT_EQ(importError(withLine(j)), "lines[0].elements[0].font: must be between 0 and 6");
  j = minimalLine();
  j["elements"][0]["code"] = 40000;
  EXPECT_NE(importError(withLine(j)).find("lines[0].elements[0].code"), std::string::npos);
  j = minimalLine();
  j["controls"][0]["position"] = 2;  // the line has one element
  EXPECT_EQ(importError(withLine(j)), "lines[0].controls[0].position: must be between 0 and 1");
  j = minimalLine();
  j["controls"][0]["value"] = 26;
  EXPECT_EQ(importError(withLine(j)), "lines[0].controls[0].value: must be between 1 and 25");
  j = minimalLine();
  j["elements"] = json::array();
  for (int i = 0; i < 101; ++i)
    j["elements"].push_back(minimalLine()["elements"][0]);
  EXPECT_EQ(importError(withLine(j)), "lines[0].elements: a line holds at most 100 elements");
  EXPECT_EQ(importError(json{{"width", "80"}}), "workspace.width: must be an integer");
  json tasks = json::array();
  for (int i = 0; i < 11; ++i)
    tasks.push_back(json::object());
  EXPECT_EQ(importError(json{{"scheduler", {{"tasks", tasks}}}}),
            "scheduler.tasks: at most 10 tasks");
  EXPECT_EQ(importError(json{{"scheduler", {{"powerOn", {1, 2}}}}}),
            "scheduler.powerOn: must have 3 entries");
}

TEST(WorkspaceJson, ControlsMustBeInPositionOrder) {
  json line = minimalLine();
  line["controls"] = json::array(
      {{{"position", 1}, {"type", 1}, {"value", 1}}, {{"position", 0}, {"type", 1}, {"value", 1}}});
  EXPECT_EQ(importError(json{{"lines", json::array({line})}}),
            "lines[0].controls[1]: controls must be in position order");
}
