#include "virtualsign/playback.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <set>

#include "workspace/message_model.h"

namespace virtualsign {
namespace {

enum Effect {
  kCyclic = 1,
  kImmediate,
  kOpenFromRight,
  kOpenFromLeft,
  kOpenFromCenter,
  kOpenToCenter,
  kCoverFromCenter,
  kCoverFromRight,
  kCoverFromLeft,
  kCoverToCenter,
  kScrollUp,
  kScrollDown,
  kInterlaceToCenter,
  kInterlaceCover,
  kCoverUp,
  kCoverDown,
};

constexpr int kDefaultEffect = kCyclic;
constexpr int kDefaultSpeed = 3;
constexpr std::array<int, 8> kPauseSeconds = {2, 3, 4, 6, 10, 20, 30, 60};

int stepMsOfSpeed(int speed) {
  return 10 + 12 * speed;
}  // 1 fastest ... 8 slowest

// The message numbers to play: those the schedule lists, else every stored one.
std::vector<int> playList(const SignState& state) {
  std::set<int> scheduled;
  for (const auto& task : state.tasks) {
    if (task) scheduled.insert(task->files.begin(), task->files.end());
  }
  std::vector<int> list;
  for (const auto& [number, message] : state.messages) {
    if (scheduled.empty() || scheduled.count(number)) list.push_back(number);
  }
  return list;
}

// Is column x (of `width`) uncovered `step` steps into a sideways effect?
bool uncovered(int effect, int x, int step, int width) {
  const int fromCenter = std::abs(2 * x + 1 - width) / 2;  // 0 in the middle
  switch (effect) {
    case kOpenFromRight:
    case kCoverFromRight:
      return x >= width - step;
    case kOpenFromCenter:
    case kCoverFromCenter:
      return fromCenter < step;
    case kOpenToCenter:
    case kCoverToCenter:
    case kInterlaceToCenter:
      return fromCenter >= width / 2 - step;
    default:
      return x < step;
  }
}

bool vertical(int effect) {
  return effect == kScrollUp || effect == kScrollDown || effect == kInterlaceCover ||
         effect == kCoverUp || effect == kCoverDown;
}

// The scenes of one message: its lines, each with the effect, speed and pause in force there.
std::vector<Scene> messageScenes(int number, const Message& message, const RenderContext& context) {
  std::vector<Scene> scenes;
  int effect = kDefaultEffect, speed = kDefaultSpeed;
  for (MessageLineStrip& line : renderMessage(message, context)) {
    Scene scene{number, std::move(line.strip), effect, stepMsOfSpeed(speed), 2000};
    for (const StripControl& c : line.controls) {
      if (c.type == workspace::kControlTransition) scene.effect = effect = c.value;
      if (c.type == workspace::kControlSpeed) scene.stepMs = stepMsOfSpeed(speed = c.value);
      if (c.type == workspace::kControlPause && c.value >= 1 && c.value <= 8) {
        scene.holdMs = kPauseSeconds[static_cast<size_t>(c.value - 1)] * 1000;
      }
    }
    scenes.push_back(std::move(scene));
  }
  return scenes;
}

}  // namespace

std::vector<Scene> buildScenes(const RenderContext& context) {
  std::vector<Scene> scenes;
  for (int number : playList(*context.state)) {
    for (Scene& scene : messageScenes(number, context.state->messages.at(number), context))
      scenes.push_back(std::move(scene));
  }
  return scenes;
}

SceneBuilder::LayoutKey SceneBuilder::keyOf(const RenderContext& context) {
  const SignState& state = *context.state;
  const platform::LocalTime& t = context.signNow;
  return {state.images,
          state.multiColour,
          state.clock && state.clock->twelveHour,
          {t.year, t.month, t.day, t.hour, t.minute}};
}

std::vector<Scene> SceneBuilder::build(const RenderContext& context) {
  LayoutKey key = keyOf(context);
  if (!(key == key_)) {
    kept_.clear();
    key_ = std::move(key);
  }
  std::map<int, Kept> kept;
  std::vector<Scene> scenes;
  for (int number : playList(*context.state)) {
    const Message& message = context.state->messages.at(number);
    auto it = kept_.find(number);
    if (it == kept_.end() || it->second.items != message) {
      it = kept_.insert_or_assign(number, Kept{message, messageScenes(number, message, context)})
               .first;
    }
    scenes.insert(scenes.end(), it->second.scenes.begin(), it->second.scenes.end());
    kept.insert(kept_.extract(it));
  }
  kept_ = std::move(kept);  // Messages no longer played are forgotten.
  return scenes;
}

int sceneSteps(const Scene& scene, int signWidth) {
  if (scene.effect == kCyclic || scene.line.width() > signWidth) {
    return scene.line.width() + signWidth;
  }
  if (scene.effect == kImmediate) return 0;
  if (vertical(scene.effect)) return kSignRows;
  return signWidth;
}

LedStrip sceneFrame(const Scene& scene, int step, int signWidth) {
  const bool scrolls = scene.effect == kCyclic || scene.line.width() > signWidth;
  const int steps = sceneSteps(scene, signWidth);
  const int left =
      scrolls ? signWidth - std::min(step, steps) : (signWidth - scene.line.width()) / 2;
  LedStrip frame;
  for (int x = 0; x < signWidth; ++x) {
    Dot column[kSignRows];
    for (int y = 0; y < kSignRows; ++y) {
      int sourceY = y;
      bool shown = true;
      if (!scrolls && step < steps) {
        if (scene.effect == kScrollUp) sourceY = y + (kSignRows - step);
        if (scene.effect == kScrollDown) sourceY = y - (kSignRows - step);
        if (scene.effect == kCoverDown || scene.effect == kInterlaceCover) shown = y < step;
        if (scene.effect == kCoverUp) shown = y >= kSignRows - step;
        if (!vertical(scene.effect)) shown = uncovered(scene.effect, x, step, signWidth);
      }
      column[y] = shown ? scene.line.at(x - left, sourceY) : 0;
    }
    frame.appendColumn(column);
  }
  return frame;
}

void Player::setScenes(std::vector<Scene> scenes, int signWidth) {
  scenes_ = std::move(scenes);
  signWidth_ = signWidth;
  scene_ = 0;
  elapsedMs_ = 0;
}

void Player::replaceScenes(std::vector<Scene> scenes, int signWidth, int message) {
  // The line of the message playing now, counted from the message's first line.
  size_t line = 0;
  const bool stays = !scenes_.empty() && scenes_[scene_].message == message;
  while (stays && line < scene_ && scenes_[scene_ - line - 1].message == message)
    ++line;
  const long long elapsed = elapsedMs_;
  setScenes(std::move(scenes), signWidth);
  const auto first = std::find_if(scenes_.begin(), scenes_.end(),
                                  [message](const Scene& s) { return s.message == message; });
  if (first == scenes_.end()) return;
  scene_ = static_cast<size_t>(first - scenes_.begin());
  if (!stays) return;
  while (line > 0 && scene_ + 1 < scenes_.size() && scenes_[scene_ + 1].message == message) {
    ++scene_;
    --line;
  }
  if (line > 0) return;  // That line is gone: its message starts over.
  elapsedMs_ = elapsed;
  advance(0);  // A shorter line may have ended already.
}

void Player::advance(int ms) {
  if (scenes_.empty()) return;
  elapsedMs_ += ms;
  for (int guard = 0; guard < 1000; ++guard) {
    const Scene& s = scenes_[scene_];
    const bool scrolls = s.effect == kCyclic || s.line.width() > signWidth_;
    // A scrolling line has left the sign at its end; the others stay for their pause.
    const long long length =
        static_cast<long long>(sceneSteps(s, signWidth_)) * s.stepMs + (scrolls ? 0 : s.holdMs);
    if (elapsedMs_ < std::max(length, 1LL)) return;
    elapsedMs_ -= std::max(length, 1LL);
    scene_ = (scene_ + 1) % scenes_.size();
  }
}

LedStrip Player::frame() const {
  if (scenes_.empty()) return sceneFrame(Scene{}, 0, signWidth_);
  const Scene& s = scenes_[scene_];
  return sceneFrame(s, static_cast<int>(elapsedMs_ / std::max(1, s.stepMs)), signWidth_);
}

std::string Player::caption() const {
  if (scenes_.empty()) return {};
  char text[16];
  std::snprintf(text, sizeof text, "Msg %02d", scenes_[scene_].message % 100);
  return text;
}

}  // namespace virtualsign
