// Screenshots of the address book's dialogs over a small book of one depot's signs.

#include <QListWidget>

#include "addressbook/address_book.h"
#include "addressbook/name_dialog_texts.h"
#include "addressbook/site_parameters.h"
#include "addressbook/ui/site_parameters_dialog.h"
#include "addressbook/ui/site_settings_dialog.h"
#include "i18n/language_module.h"
#include "i18n/string_ids.h"
#include "tests/qt_varnel/screenshots/shots.h"
#include "tests/support/temp_dir.h"

namespace {

addressbook::CAddressBook depotBook() {
  addressbook::CAddressBook book;
  addressbook::CDevice network;
  network.name = "Shop network";
  network.type = addressbook::DeviceType::kTcpIp;
  addressbook::CDevice modem;
  modem.name = "Office modem";
  modem.type = addressbook::DeviceType::kModem;
  book.devices = {network, modem};
  book.defaultDevice = network.name;
  book.tcpIpGroups = {{"Front window", "192.168.1.40"}, {"Loading bay", "192.168.1.41"}};
  book.sites = {{"Main entrance", network.name, "1", "", "Front window"},
                {"Loading bay", network.name, "2,3", "", "Loading bay"},
                {"North depot", modem.name, "1-4", "5550100", ""}};
  book.groups = {{"All signs", {"Main entrance", "Loading bay", "North depot"}}};
  return book;
}

}  // namespace

bool addressBookDialogs(const QString& out) {
  testing_support::TempDir dir;
  i18n::LanguageModule language(dir.path());
  language.init();
  addressbook::CAddressBook book = depotBook();
  addressbook::ui::CSiteSettingsDialog sites(book, addressbook::SiteListMode::kSites, language, {});
  sites.list()->setCurrentRow(1);
  if (!save(sites, out, "site_settings")) return false;
  const addressbook::CSite& site = book.sites[1];
  addressbook::ui::CSiteParametersDialog parameters(
      book, addressbook::siteParametersOf(site),
      addressbook::recordCaption(i18n::IDS_CAPTION_EDIT_SITE, site.name), language);
  return save(parameters, out, "site_parameters");
}
