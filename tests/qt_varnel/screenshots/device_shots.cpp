#include "tests/qt_varnel/screenshots/shots.h"

#include <QLineEdit>

#include "addressbook/address_records.h"
#include "i18n/dialog_controls.h"
#include "i18n/language_module.h"
#include "i18n/ui/qt_language_targets.h"
#include "mail/ui/mail_server_dialog.h"
#include "signlink/ui/device_parameters_dialog.h"
#include "tests/support/temp_dir.h"

bool deviceDialogs(const QString& out) {
  testing_support::TempDir dir;
  i18n::LanguageModule language(dir.path());
  language.init();

  addressbook::CDevice device;
  device.type = addressbook::DeviceType::kTcpIp;
  device.ipPort = 5005;
  device.tcpTimeout = 15;
  signlink::ui::CDeviceParametersDialog parameters(device, {{"COM1", "COM2"}, {}, {"Office relay"}},
                                                   "New Device:Shop window", language);
  if (!save(parameters, out, "device_parameters_tcpip")) return false;

  addressbook::CMailServer server;
  server.mailAddress = "signs@example.com";
  server.smtpServer = "smtp.example.com";
  server.pop3Server = "pop.example.com";
  server.pop3Account = "signs";
  server.pop3Password = "secret";
  server.needsAuth = 1;
  mail::ui::CMailServerDialog mailServer(server, "Edit Mail Server:Office relay", language);
  return save(mailServer, out, "mail_server");
}
