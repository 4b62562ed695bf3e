#pragma once

#include <string>
#include <vector>

#include "app/varnel_profile.h"
#include "bitmaps/bitmap_catalog.h"
#include "platform/local_clock.h"
#include "platform/status.h"
#include "signlink/send_pipeline.h"
#include "signlink/sign_stream.h"
#include "workspace/workspace_file.h"

// What a transmission carries, built in one place for the window, `varnel-cli send` and
// `varnel-cli export`: workspace -> sign settings -> Image Transfer File -> catalog -> stream.
namespace app {

// The sign a workspace is shown for and sent to is the one its workspace carries
// (Workspace::signWidth and colourMode). A file that brings its own settings replaces those in
// effect until another file is loaded; one without them (version 3.0 and older) is taken with the
// settings in effect. This applies that rule to a freshly loaded file.
void takeSignSettingsInEffect(workspace::LoadedWorkspace* loaded,
                              const varnel_profile::SignSettings& inEffect);

// The workspace's sign settings.
varnel_profile::SignSettings signSettingsOf(const workspace::Workspace& ws);

// A catalog already in memory and the sign it was loaded for.
struct CatalogForSign {
  const bitmaps::CBitmapCatalog* catalog = nullptr;
  varnel_profile::SignSettings sign;
};

// What a workspace transmission needs besides the messages.
struct SendContent {
  const workspace::Workspace* workspace = nullptr;  // Not owned; must outlive the content.
  // The image numbers of the workspace's Image Transfer File, in slot order.
  std::vector<int> transferImages;
  // The catalog the images are taken from, for the workspace's sign.
  bitmaps::CBitmapCatalog catalog;
  // Failures that do not stop the send (the list file or the picture file could not be read):
  // the text goes out without the images. The user's texts.
  std::vector<std::string> warnings;
};

// Prepares `ws` for sending: reads its Image Transfer File and takes the catalog of its sign:
// `inMemory` when it is for that sign, else the data directory's picture file (read only when
// images are listed, and only with a data directory).
SendContent prepareSendContent(const workspace::Workspace& ws, const std::string& dataDir,
                               const CatalogForSign& inMemory = {});

// The stream of `command` for one destination's expanded sign addresses, with the clock at `now`.
// `content` is needed for SendCommand::kWorkspace only.
platform::Result<signlink::SignStream> buildSendStream(signlink::SendCommand command,
                                                       const SendContent* content,
                                                       const std::vector<uint8_t>& addresses,
                                                       const platform::LocalTime& now);

// buildSendStream() as the send pipeline calls it, at the clock's time of each destination.
// `content` and `clock` must outlive the builder.
signlink::StreamBuilder sendStreamBuilder(signlink::SendCommand command, const SendContent* content,
                                          const platform::LocalClock& clock);

// What a built stream had to leave out, one text for the user each: images that cannot be sent,
// items without a sign code, messages after the 99th.
std::vector<std::string> leftOutNotes(const signlink::SignStream& stream);

// The notes of the workspace stream of `content`, whatever its destination (the addresses do not
// change what is left out); empty when the stream cannot be built at all.
std::vector<std::string> workspaceLeftOutNotes(const SendContent& content);

}  // namespace app
