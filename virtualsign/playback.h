#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "virtualsign/led_picture.h"

// Plays a sign's messages as its LEDs would show them: every line of every message in turn, each
// brought in by its transition effect at its speed and held for its pause. The effects are
// approximated: "Cyclic" scrolls the line through from the right, "Immediate" shows it at once,
// the "Open" and "Cover" effects uncover columns from their side, the vertical ones ("Scroll
// Up/Down", "Cover Up/Down", interlaces) move rows, and the rest ("Explode", "Pac Man", ...)
// uncover from the left. A line wider than the sign always scrolls.
namespace virtualsign {

struct Scene {
  int message = 0;  // Message number.
  LedStrip line;
  int effect = 1;     // Transition effect 1-25.
  int stepMs = 40;    // Time per step, from the speed.
  int holdMs = 2000;  // Time the finished line stays, from the pause.
};

// The scenes of every stored message in number order (or only those a schedule task lists, when
// one does).
std::vector<Scene> buildScenes(const RenderContext& context);

// buildScenes() for a sign whose messages change a few at a time (a workspace being edited): a
// message is laid out again only when its items changed, or what every message's layout depends
// on (the images, the colour mode, the clock's format and minute).
class SceneBuilder {
 public:
  std::vector<Scene> build(const RenderContext& context);

 private:
  struct LayoutKey {
    std::array<std::optional<UserImage>, kImageSlots> images{};
    bool multiColour = false;
    bool twelveHour = false;
    std::array<int, 5> minute{};  // Year, month, day, hour, minute of the sign's clock.
    friend bool operator==(const LayoutKey&, const LayoutKey&) = default;
  };
  struct Kept {
    Message items;
    std::vector<Scene> scenes;
  };
  static LayoutKey keyOf(const RenderContext& context);

  LayoutKey key_;
  std::map<int, Kept> kept_;  // By message number.
};

// Steps an effect takes on a sign `signWidth` wide.
int sceneSteps(const Scene& scene, int signWidth);

// What a sign `signWidth` wide shows `step` steps into the scene (step >= sceneSteps: the line
// itself, at rest).
LedStrip sceneFrame(const Scene& scene, int step, int signWidth);

// A clock over the scenes: advance it by elapsed milliseconds and ask for the frame to show.
class Player {
 public:
  void setScenes(std::vector<Scene> scenes, int signWidth);
  // Takes new scenes while playing, as a sign being edited would show them: playback goes to
  // message `message` (from the first scene when it has none). When that message was playing
  // already it stays on the same line and keeps its time into it, so an edit does not restart
  // the line that shows it.
  void replaceScenes(std::vector<Scene> scenes, int signWidth, int message);
  void advance(int ms);
  LedStrip frame() const;
  // "Msg 01" for the message playing; empty when there is nothing to play.
  std::string caption() const;
  // The number of the message playing; 0 when there is nothing to play.
  int message() const { return scenes_.empty() ? 0 : scenes_[scene_].message; }

 private:
  std::vector<Scene> scenes_;
  int signWidth_ = 80;
  size_t scene_ = 0;
  long long elapsedMs_ = 0;  // Within the current scene.
};

}  // namespace virtualsign
