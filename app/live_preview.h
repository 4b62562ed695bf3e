#pragma once

#include <string>
#include <vector>

#include "app/send_content.h"
#include "platform/local_clock.h"
#include "virtualsign/playback.h"
#include "virtualsign/sign_receiver.h"

// What the sign will show for the workspace being edited, found the way a real sign finds it: the
// workspace's stream, built as a send builds it, taken by a virtual sign of the workspace's width
// and colour mode, and played by the virtual sign's player.
namespace app {

struct PreviewSign {
  virtualsign::SignState state;
  // What the sign could not take, or why the stream could not be built; empty for a sound
  // workspace.
  std::vector<std::string> faults;
};

// The sign after it has taken the workspace of `content` with its clock at `clock`'s time.
PreviewSign previewSign(const SendContent& content, const platform::LocalClock& clock);

// The live preview: call update() whenever the workspace changed, advance() as time passes, and
// show frame().
class LivePreview {
 public:
  // `clock` (kept, must outlive this) gives the time the stream's clock record and the time and
  // date items show.
  explicit LivePreview(const platform::LocalClock& clock) : clock_(clock) {}

  // Takes the workspace as it stands now. The sign goes to `editedMessage` (the message the
  // operator is in); while that message plays on, an edit does not restart it.
  void update(const SendContent& content, int editedMessage);
  void advance(int ms) { player_.advance(ms); }

  // The sign's LEDs now, one column per pixel of the sign's width.
  virtualsign::LedStrip frame() const { return player_.frame(); }
  int signWidth() const { return sign_.state.width; }
  // The number of the message playing; 0 while the workspace has none.
  int message() const { return player_.message(); }
  const PreviewSign& sign() const { return sign_; }

 private:
  const platform::LocalClock& clock_;
  PreviewSign sign_;
  virtualsign::SceneBuilder scenes_;
  virtualsign::Player player_;
};

}  // namespace app
