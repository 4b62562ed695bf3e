#include "mail/typed_mail_fields.h"

#include <gtest/gtest.h>

#include <string>

using addressbook::CMailServer;
using mail::AuthenticationText;
using mail::MailServerText;

namespace {

constexpr char kPolishL[] = "\xc5\x82";  // "ł", which Windows-1252 lacks

std::string notCp1252(const char* field) {
  return std::string(field) + " can only hold Western European (Windows-1252) characters!";
}

TEST(TypedMailFields, ServerTextsAreRefusedByFieldAndStoredAsWindows1252) {
  mail::MailServerForm form;
  form.server.account = "kept";
  const mail::TypedServerTexts good{"sign@example.com", "smtp.example.com", "pop.example.com",
                                    "b\xc3\xa4r",
                                    "\xe2\x82\xac"
                                    "5"};
  const struct {
    std::string mail::TypedServerTexts::*field;
    MailServerText expected;
    const char* label;
  } cases[] = {
      {&mail::TypedServerTexts::mailAddress, MailServerText::kMailAddress,
       "The Internet Mail Address"},
      {&mail::TypedServerTexts::smtpServer, MailServerText::kSmtpServer, "The SMTP SERVER"},
      {&mail::TypedServerTexts::pop3Server, MailServerText::kPop3Server, "The POP3 SERVER"},
      {&mail::TypedServerTexts::pop3Account, MailServerText::kPop3Account, "The POP3 Account"},
      {&mail::TypedServerTexts::pop3Password, MailServerText::kPop3Password, "The POP3 Password"}};
  for (const auto& c : cases) {
    mail::TypedServerTexts typed = good;
    typed.*c.field += kPolishL;
    MailServerText refused = MailServerText::kMailAddress;
    const platform::Status verdict = mail::storeTypedServerTexts(typed, &form, &refused);
    EXPECT_EQ(verdict.message(), notCp1252(c.label));
    EXPECT_EQ(refused, c.expected);
    EXPECT_EQ(form.server.smtpServer, "");  // nothing taken
  }
  MailServerText refused = MailServerText::kMailAddress;
  ASSERT_TRUE(mail::storeTypedServerTexts(good, &form, &refused).ok());
  EXPECT_EQ(form.server.pop3Account, "b\xe4r");
  EXPECT_EQ(form.server.pop3Password,
            "\x80"
            "5");
  EXPECT_EQ(form.server.account, "kept");  // the authentication fields are not the dialog's
}

TEST(TypedMailFields, AuthenticationRefusesLossyTextBeforeABlankAccount) {
  CMailServer server;
  server.account = "old";
  AuthenticationText refused = AuthenticationText::kPassword;
  EXPECT_EQ(mail::storeTypedAuthentication(true, kPolishL, "", &server, &refused).message(),
            notCp1252("The account for authentication"));
  EXPECT_EQ(refused, AuthenticationText::kAccount);
  EXPECT_EQ(mail::storeTypedAuthentication(true, "", kPolishL, &server, &refused).message(),
            notCp1252("The password for authentication"));
  EXPECT_EQ(refused, AuthenticationText::kPassword);
  EXPECT_EQ(mail::storeTypedAuthentication(true, "", "pw", &server, &refused).message(),
            "The account for authentication can't be left blank!");
  EXPECT_EQ(refused, AuthenticationText::kAccount);
  EXPECT_EQ(server.account, "old");

  ASSERT_TRUE(mail::storeTypedAuthentication(true, "r\xc3\xa9lay", "pw", &server, &refused).ok());
  EXPECT_EQ(server.account, "r\xe9lay");
  EXPECT_EQ(server.password, "pw");
  EXPECT_EQ(server.usePop3Credentials, 0);
  ASSERT_TRUE(mail::storeTypedAuthentication(false, "", "", &server, &refused).ok());
  EXPECT_EQ(server.usePop3Credentials, 1);
}

}  // namespace
