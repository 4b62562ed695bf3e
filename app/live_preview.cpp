#include "app/live_preview.h"

#include "workspace/message_model.h"

namespace app {
namespace {

// Every sign takes records sent to address 0, whatever its own address.
constexpr uint8_t kEverySign = 0;

}  // namespace

PreviewSign previewSign(const SendContent& content, const platform::LocalClock& clock) {
  PreviewSign sign;
  const workspace::Workspace& ws = *content.workspace;
  virtualsign::SignState initial;
  initial.width = ws.signWidth;
  initial.multiColour = ws.colourMode == workspace::kTriColourMode;
  const platform::Result<signlink::SignStream> built =
      buildSendStream(signlink::SendCommand::kWorkspace, &content, {kEverySign}, clock.now());
  if (!built.ok()) {
    sign.state = std::move(initial);
    sign.faults.push_back(built.message());
    return sign;
  }
  virtualsign::SignReceiver receiver(std::move(initial), clock);
  virtualsign::receiveSignData(built->stream, receiver);
  for (const virtualsign::Diagnostic& d : receiver.diagnostics())
    sign.faults.push_back("byte " + std::to_string(d.offset) + ": " + d.text);
  sign.state = std::move(receiver.state());
  return sign;
}

void LivePreview::update(const SendContent& content, int editedMessage) {
  sign_ = previewSign(content, clock_);
  const virtualsign::RenderContext context{&sign_.state, clock_.now()};
  player_.replaceScenes(scenes_.build(context), sign_.state.width, editedMessage);
}

}  // namespace app
