// The Send menu: "Send current message workspace contents" (and the tool-bar button), "Send Saved
// Data File...", "Run Test Sequence" and "Clear Sign's Memory".

#include "app/send_content.h"
#include "app/ui/main_frame.h"
#include "app/ui/message_box.h"
#include "app/ui/send_station.h"
#include "app/ui/varnel_view.h"
#include "i18n/menu_texts.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"

namespace app::ui {

bool CMainFrame::sending() const {
  return send_ && send_->busy();
}

SendStation& CMainFrame::sendStation() {
  if (!send_) send_ = std::make_unique<SendStation>(state_, language_, this, sendPump_);
  return *send_;
}

void CMainFrame::stopSend() {
  if (sending()) send_->requestStop();
}

void CMainFrame::runSendCommand(int commandId) {
  if (sending()) {
    app::ui::showWarning(this, i18n::text(i18n::IDS_SEND_RUNNING));
    return;
  }
  startSend(commandId);
  if (closeAfterSend_) {
    closeAfterSend_ = false;
    close();
  }
}

void CMainFrame::startSend(int commandId) {
  switch (commandId) {
    case i18n::ID_SEND_TEST:
      sendStation().run(signlink::SendCommand::kTest, nullptr, {});
      return;
    case i18n::ID_SEND_CLEAR_MEMORY:
      sendStation().run(signlink::SendCommand::kClearMemory, nullptr, {});
      return;
    case i18n::ID_SEND_WORKSPACE:
      // A blank workspace: only Yes goes on, by opening a workspace file.
      if (const auto prompt = view_->model().blankSendPrompt()) {
        if (app::ui::showEditorMessage(this, *prompt) != workspace::PromptAnswer::kYes) return;
        if (!view_->loadDocument()) return;
      }
      break;
    case i18n::ID_SEND_SAVED_FILE:
      if (!view_->promptSave(workspace::SavePromptCommand::kSendSavedFile)) return;
      doc_.setPath({});
      if (!view_->loadDocument()) return;
      break;
    default:
      return;
  }
  // What goes out is the workspace as it stands now, whatever is edited while the send runs.
  const workspace::Workspace snapshot = doc_.workspace();
  const app::SendContent content =
      app::prepareSendContent(snapshot, state_.dataDir, {&state_.catalog, state_.sign});
  for (const std::string& warning : content.warnings)
    app::ui::showWarning(this, warning);
  sendStation().run(signlink::SendCommand::kWorkspace, &content,
                    app::workspaceLeftOutNotes(content));
}

}  // namespace app::ui
