#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/virtualsign/virtual_sign_support.h"
#include "virtualsign/playback.h"

using namespace virtualsign;
using vs_test::bytes;
using vs_test::header;
using vs_test::Sign;

namespace {

MessageItem ch(char c, uint8_t colour = 1, uint8_t font = 2) {
  return {ItemKind::kCharacter, static_cast<uint8_t>(c), 0, colour, font};
}
MessageItem control(int type, int value) {
  return {ItemKind::kControl, type, value, 0, 0};
}

// Rows lit in column x, as a mask (bit 0 the top row).
int litRows(const LedStrip& s, int x) {
  int mask = 0;
  for (int y = 0; y < kSignRows; ++y)
    mask |= (s.at(x, y) != 0) << y;
  return mask;
}

TEST(VirtualSignPicture, CharactersInTheirFontsAndColours) {
  SignState state;
  const RenderContext context{&state, vs_test::hostNow()};
  auto lines = renderMessage({ch('A'), ch('B')}, context);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].strip.width(), 12);  // 5 columns and a gap each.
  EXPECT_EQ(litRows(lines[0].strip, 0), 0x7E);
  EXPECT_EQ(litRows(lines[0].strip, 5), 0);
  EXPECT_EQ(lines[0].strip.at(0, 1), colourDot(1, 0, 1, true, false));

  // The short fonts stand on the bottom five rows; the wide ones double the columns.
  EXPECT_EQ(litRows(renderMessage({ch('E', 1, 0)}, context)[0].strip, 0) & 0x03, 0);
  EXPECT_EQ(renderMessage({ch('E', 1, 3)}, context)[0].strip.width(), 11);

  // Green lights red LEDs on a single-colour sign and green ones on a multi-colour sign.
  EXPECT_EQ(colourDot(6, 0, 0, true, false) & 0x00FF00, 0u);
  EXPECT_NE(colourDot(6, 0, 0, true, true) & 0x00FF00, 0u);
  // "Green On Red" lights the cell's dark dots red.
  EXPECT_NE(colourDot(12, 0, 0, false, true), 0u);
}

TEST(VirtualSignPicture, LinesControlsAndImages) {
  SignState state;
  state.images[2] = UserImage{3, std::vector<uint8_t>(21, 2)};
  const RenderContext context{&state, vs_test::hostNow()};
  auto lines = renderMessage({ch('A'),
                              control(4, 2),
                              {ItemKind::kNewline, 0, 0, 1, 2},
                              {ItemKind::kUserBitmap, 2, 0, 1, 2},
                              {ItemKind::kUserBitmap, 5, 0, 1, 2}},
                             context);
  ASSERT_EQ(lines.size(), 2u);
  ASSERT_EQ(lines[0].controls.size(), 1u);
  EXPECT_EQ(lines[0].controls[0].column, 6);
  EXPECT_EQ(lines[1].strip.width(), 3);  // Slot 5 is empty and shows nothing.
  EXPECT_EQ(lines[1].strip.at(1, 6), imageCodeDot(2));
  EXPECT_EQ(clockItemText(false, vs_test::hostNow(), true), "9:05AM");
  EXPECT_EQ(clockItemText(true, vs_test::hostNow(), false), "12/08/26");
}

TEST(VirtualSignPicture, EffectsSpeedsAndPausesPlayTheLines) {
  SignState state;
  state.messages[1] = {ch('A'), control(5, 2), control(4, 8), control(3, 5)};
  state.messages[2] = {ch('B')};
  const RenderContext context{&state, vs_test::hostNow()};
  const std::vector<Scene> scenes = buildScenes(context);
  ASSERT_EQ(scenes.size(), 2u);
  EXPECT_EQ(scenes[0].effect, 2);
  EXPECT_EQ(scenes[0].holdMs, 10000);
  EXPECT_GT(scenes[0].stepMs, scenes[1].stepMs);
  // "Immediate" shows the line centred at once; the default "Cyclic" scrolls it in from the right.
  EXPECT_EQ(sceneSteps(scenes[0], 80), 0);
  EXPECT_EQ(litRows(sceneFrame(scenes[0], 0, 80), 37), 0x7E);
  EXPECT_EQ(sceneSteps(scenes[1], 80), 86);
  EXPECT_EQ(litRows(sceneFrame(scenes[1], 0, 80), 79), 0);
  EXPECT_NE(litRows(sceneFrame(scenes[1], 1, 80), 79), 0);

  Player player;
  player.setScenes(scenes, 80);
  EXPECT_EQ(player.caption(), "Msg 01");
  player.advance(10001);
  EXPECT_EQ(player.caption(), "Msg 02");
  player.advance(86 * scenes[1].stepMs);
  EXPECT_EQ(player.caption(), "Msg 01");
}

// The scenes a SceneBuilder keeps between builds are those a fresh build lays out.
void expectSameScenes(const std::vector<Scene>& kept, const std::vector<Scene>& fresh) {
  ASSERT_EQ(kept.size(), fresh.size());
  for (size_t i = 0; i < kept.size(); ++i) {
    EXPECT_EQ(kept[i].message, fresh[i].message);
    EXPECT_EQ(kept[i].line, fresh[i].line);
    EXPECT_EQ(kept[i].effect, fresh[i].effect);
    EXPECT_EQ(kept[i].stepMs, fresh[i].stepMs);
    EXPECT_EQ(kept[i].holdMs, fresh[i].holdMs);
  }
}

TEST(VirtualSignPicture, SceneBuilderLaysOutAgainWhatChanged) {
  SignState state;
  state.messages[1] = {ch('A'), control(4, 2), {ItemKind::kTime, 0, 0, 1, 2}};
  state.messages[2] = {{ItemKind::kUserBitmap, 0, 0, 1, 2}, {ItemKind::kNewline, 0, 0, 1, 2}};
  RenderContext context{&state, vs_test::hostNow()};
  SceneBuilder builder;
  expectSameScenes(builder.build(context), buildScenes(context));

  state.images[0] = UserImage{2, std::vector<uint8_t>(14, 3)};  // an image it shows
  expectSameScenes(builder.build(context), buildScenes(context));
  state.messages[2].push_back(ch('B'));  // an edited message
  expectSameScenes(builder.build(context), buildScenes(context));
  state.multiColour = true;  // every colour changes
  expectSameScenes(builder.build(context), buildScenes(context));
  context.signNow.minute += 1;  // the time item shows the next minute
  expectSameScenes(builder.build(context), buildScenes(context));
  state.messages.erase(1);
  expectSameScenes(builder.build(context), buildScenes(context));
}

TEST(VirtualSignPicture, StateAsJson) {
  Sign s(7);
  s.receive(header({7}) + bytes({0x01, '0',  '4', 0xEF, 0xB6, 'H', 0xE9, 0xFF, 0xEF, 0x80, 0xFF,
                                 0xFF, 0x06, '0', '7',  '3',  '0', '0',  '0',  0xFF, 0x00}));
  const auto j = nlohmann::json::parse(stateJson(s.state()));
  EXPECT_EQ(j["address"], 7);
  EXPECT_TRUE(j["clock"].is_null());
  EXPECT_EQ(j["powerOn"], "07:30:00");
  ASSERT_EQ(j["messages"].size(), 1u);
  EXPECT_EQ(j["messages"][0]["number"], 4);
  EXPECT_EQ(j["messages"][0]["text"], "H{special 61}\n{time}");
  EXPECT_EQ(j["messages"][0]["items"][0],
            (nlohmann::json{{"kind", "character"}, {"char", "H"}, {"colour", 6}, {"font", 2}}));
}

}  // namespace
