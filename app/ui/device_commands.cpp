#include "app/ui/main_frame.h"
#include "app/varnel_profile.h"
#include "i18n/menu_texts.h"
#include "mail/ui/mail_list_dialog.h"
#include "platform/data_dir.h"
#include "signlink/modem_list.h"
#include "signlink/ui/device_settings_dialog.h"
#include "signlink/ui/modem_info_dialog.h"

namespace app::ui {

void CMainFrame::runDeviceCommand(int commandId) {
  const auto changed = [this] { bookChanged(); };
  const platform::ProfileFile profile = varnel_profile::open(state_.dataDir);
  const auto modems = [this] {
    return signlink::ModemList::load(
        platform::joinPath(state_.dataDir, signlink::kModemListFileName));
  };
  switch (commandId) {
    case i18n::ID_DEVICE_SETTINGS: {
      signlink::ui::CDeviceSettingsDialog dialog(
          {state_.book, changed, profile, state_.device, modems(), language_}, this);
      dialog.exec();
      return;
    }
    case i18n::ID_MAIL_SERVER_SETTINGS:
    case i18n::ID_MAILBOX_SETTINGS: {
      const mail::MailListMode mode = commandId == i18n::ID_MAIL_SERVER_SETTINGS
                                          ? mail::MailListMode::kMailServers
                                          : mail::MailListMode::kMailboxes;
      mail::ui::CMailListDialog dialog(mode, state_.book, changed, profile, language_, this);
      dialog.exec();
      return;
    }
    case i18n::ID_MODEM_INFO:
      signlink::ui::runModemInfo(modems(), profile, language_, this);
      return;
    default:
      showNotAvailable();
      return;
  }
}

}  // namespace app::ui
