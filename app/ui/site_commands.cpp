#include "addressbook/site_dialog_rules.h"
#include "addressbook/ui/site_settings_dialog.h"
#include "addressbook/ui/tcp_group_settings_dialog.h"
#include "app/ui/main_frame.h"

namespace app::ui {

void CMainFrame::runSiteCommand(int commandId) {
  const auto changed = [this] { bookChanged(); };
  if (commandId == i18n::ID_TCP_GROUP_SETTINGS) {
    addressbook::ui::CTcpGroupSettingsDialog dialog(state_.book, language_, changed, this);
    dialog.exec();
    return;
  }
  const auto mode = commandId == i18n::ID_GROUP_SETTINGS ? addressbook::SiteListMode::kGroups
                                                         : addressbook::SiteListMode::kSites;
  addressbook::ui::CSiteSettingsDialog dialog(state_.book, mode, language_, changed, this);
  dialog.exec();
}

}  // namespace app::ui
