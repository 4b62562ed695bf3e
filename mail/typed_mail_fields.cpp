#include "mail/typed_mail_fields.h"

#include <iterator>
#include <utility>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "platform/typed_text.h"

namespace mail {

platform::Status storeTypedServerTexts(const TypedServerTexts& typed, MailServerForm* form,
                                       MailServerText* refused) {
  addressbook::CMailServer server = form->server;
  const size_t first = platform::storeTypedTexts({{typed.mailAddress, &server.mailAddress},
                                                  {typed.smtpServer, &server.smtpServer},
                                                  {typed.pop3Server, &server.pop3Server},
                                                  {typed.pop3Account, &server.pop3Account},
                                                  {typed.pop3Password, &server.pop3Password}});
  constexpr int kRefusals[] = {i18n::IDS_MAIL_ADDRESS_NOT_CP1252, i18n::IDS_SMTP_SERVER_NOT_CP1252,
                               i18n::IDS_POP3_SERVER_NOT_CP1252, i18n::IDS_POP3_ACCOUNT_NOT_CP1252,
                               i18n::IDS_POP3_PASSWORD_NOT_CP1252};
  if (first < std::size(kRefusals)) {
    *refused = static_cast<MailServerText>(first);
    return platform::Status::refused(i18n::text(kRefusals[first]));
  }
  form->server = std::move(server);
  return platform::Status::success();
}

platform::Status storeTypedAuthentication(bool ownAccount, std::string_view account,
                                          std::string_view password,
                                          addressbook::CMailServer* server,
                                          AuthenticationText* refused) {
  std::string storedAccount;
  std::string storedPassword;
  const size_t first =
      platform::storeTypedTexts({{account, &storedAccount}, {password, &storedPassword}});
  if (first == 0 || first == 1) {
    *refused = first == 0 ? AuthenticationText::kAccount : AuthenticationText::kPassword;
    return platform::Status::refused(i18n::text(first == 0 ? i18n::IDS_AUTH_ACCOUNT_NOT_CP1252
                                                           : i18n::IDS_AUTH_PASSWORD_NOT_CP1252));
  }
  const platform::Status valid = validateAuthentication(ownAccount, storedAccount);
  if (!valid.ok()) {
    *refused = AuthenticationText::kAccount;
    return valid;
  }
  server->usePop3Credentials = ownAccount ? 0 : 1;
  server->account = std::move(storedAccount);
  server->password = std::move(storedPassword);
  return platform::Status::success();
}

}  // namespace mail
