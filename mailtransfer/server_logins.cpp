#include "mailtransfer/server_logins.h"

namespace mailtransfer {

mail::SmtpServerLogin smtpLoginOf(const addressbook::CMailServer& server,
                                  const mail::TlsChoice& tls) {
  mail::SmtpServerLogin login;
  login.host = server.smtpServer;
  login.port = server.smtpPort;
  if (server.needsAuth) {
    login.authMethod = mail::kAuthLogin;
    login.userName = server.usePop3Credentials ? server.pop3Account : server.account;
    login.password = server.usePop3Credentials ? server.pop3Password : server.password;
  } else {
    // Not sent with HELO; kept as the name the session stands for.
    login.userName = server.mailAddress.substr(0, server.mailAddress.find('@'));
  }
  login.tls = mail::tlsSettingsFor(tls, server.smtpPort);
  return login;
}

pop3::Pop3Options popBeforeSmtpOptions(const addressbook::CMailServer& server,
                                       const mail::TlsChoice& tls, int guardMs) {
  pop3::Pop3Options options;
  options.connectTexts = pop3::ConnectTexts::kLanguageTable;
  if (guardMs > 0) options.guardMs = guardMs;
  options.tls = mail::tlsSettingsFor(tls, server.pop3Port);
  return options;
}

}  // namespace mailtransfer
