#include "mail/mail_settings.h"

#include <gtest/gtest.h>

#include <string>

using addressbook::CAddressBook;
using addressbook::CMailServer;
using mail::MailListAction;
using mail::MailListMode;

namespace {

CMailServer completeServer() {
  CMailServer s;
  s.smtpServer = "smtp.example.com";
  s.mailAddress = "sender@example.com";
  s.pop3Server = "pop.example.com";
  s.pop3Account = "sender";
  return s;
}

TEST(MailListTexts, CaptionsAndSelectionsFollowTheMode) {
  EXPECT_EQ(mail::newRecordCaption(MailListMode::kMailServers, "Relay"), "New Mail Server:Relay");
  EXPECT_EQ(mail::editRecordCaption(MailListMode::kMailServers, "Relay"), "Edit Mail Server:Relay");
  EXPECT_EQ(mail::renameRecordCaption(MailListMode::kMailServers, "Relay"),
            "Rename Mail Server:Relay");
  EXPECT_EQ(mail::newRecordCaption(MailListMode::kMailboxes, "Shop"), "New Mail Address:Shop");
  EXPECT_EQ(mail::editRecordCaption(MailListMode::kMailboxes, "Shop"), "Edit Mail Address:Shop");
  EXPECT_EQ(mail::renameRecordCaption(MailListMode::kMailboxes, "Shop"), "Rename Mailbox:Shop");
  const mail::MailListTexts boxes = mail::mailboxListTexts();
  EXPECT_EQ(boxes.label, "Available Mailboxes");
  EXPECT_EQ(boxes.newButton, "New Mailbox");
  EXPECT_EQ(boxes.renameButton, "Rename Mailbox");

  EXPECT_EQ(mail::requireSelectedItem(MailListAction::kEdit, "").message(),
            "Please first select one item to edit!");
  EXPECT_EQ(mail::requireSelectedItem(MailListAction::kRename, "").message(),
            "Please first select one item to edit!");
  EXPECT_EQ(mail::requireSelectedItem(MailListAction::kRemove, "").message(),
            "Please first select one item to remove!");
  EXPECT_TRUE(mail::requireSelectedItem(MailListAction::kRemove, "x").ok());
  EXPECT_EQ(mail::removeItemQuestion(), "Are you sure to remove this item?");
}

TEST(MailServerForm, FourFieldsInOrderThenThePorts) {
  CMailServer stored;
  stored.name = "Relay";
  mail::MailServerForm form = mail::mailServerFormOf(CMailServer{});
  EXPECT_EQ(form.smtpPort, "25");
  EXPECT_EQ(form.pop3Port, "110");
  const std::pair<std::string CMailServer::*, const char*> steps[] = {
      {&CMailServer::pop3Server, "The POP3 SERVER can't be left blank"},
      {&CMailServer::pop3Account, "The POP3 Account can't be left blank"},
      {&CMailServer::smtpServer, "The SMTP can't be left blank!"},
      {&CMailServer::mailAddress, "The Mailbox can't be left blank!"}};
  const CMailServer full = completeServer();
  for (const auto& [field, text] : steps) {
    EXPECT_EQ(mail::mailServerFromForm(form, &stored).message(), text);
    form.server.*field = full.*field;
  }
  form.smtpPort = "smtp";
  EXPECT_EQ(mail::mailServerFromForm(form, &stored).message(),
            "Please enter one integer as IP port.");
  form.smtpPort = "587";
  form.pop3Port = "0";
  EXPECT_FALSE(mail::mailServerFromForm(form, &stored).ok());
  EXPECT_EQ(stored.smtpServer, "");  // a refusal changes nothing
  form.pop3Port = "995";
  form.server.name = "Other";
  ASSERT_TRUE(mail::mailServerFromForm(form, &stored).ok());
  EXPECT_EQ(stored.name, "Relay");
  EXPECT_EQ(stored.smtpPort, 587);
  EXPECT_EQ(stored.pop3Port, 995);
  EXPECT_EQ(stored.smtpServer, "smtp.example.com");
}

TEST(MailServerForm, AuthenticationNeedsAnAccountOnlyForItsOwnInformation) {
  EXPECT_TRUE(mail::validateAuthentication(false, "").ok());
  EXPECT_EQ(mail::validateAuthentication(true, "").message(),
            "The account for authentication can't be left blank!");
  EXPECT_TRUE(mail::validateAuthentication(true, "me").ok());
}

TEST(MailLists, NewAndEditOfServersAndMailboxes) {
  CAddressBook book;
  ASSERT_TRUE(mail::addMailServer(&book, "Relay", completeServer()).ok());
  EXPECT_FALSE(mail::addMailServer(&book, "Relay", completeServer()).ok());
  EXPECT_FALSE(mail::addMailServer(&book, "Empty", CMailServer{}).ok());
  CMailServer changed = completeServer();
  changed.smtpPort = 2525;
  ASSERT_TRUE(mail::editMailServer(&book, "Relay", changed).ok());
  EXPECT_EQ(book.mailServers.at(0).name, "Relay");
  EXPECT_EQ(book.mailServers.at(0).smtpPort, 2525);

  ASSERT_TRUE(mail::addMailbox(&book, "Shop", "pc@example.com").ok());
  ASSERT_TRUE(mail::addMailbox(&book, "Depot", "pc@example.com").ok());  // addresses may repeat
  EXPECT_FALSE(mail::addMailbox(&book, "Shop", "x@example.com").ok());
  ASSERT_TRUE(mail::editMailbox(&book, "Shop", "a@example.com;b@example.com").ok());
  EXPECT_EQ(book.mailboxes.at(0).address, "a@example.com;b@example.com");
  EXPECT_FALSE(mail::editMailbox(&book, "Gone", "x@example.com").ok());
  EXPECT_EQ(mail::mailListNames(book, MailListMode::kMailboxes),
            (std::vector<std::string>{"Shop", "Depot"}));
  EXPECT_EQ(mail::mailListNames(book, MailListMode::kMailServers),
            (std::vector<std::string>{"Relay"}));
  EXPECT_EQ(mail::nameModeOf(MailListMode::kMailboxes), addressbook::NameDialogMode::kMailbox);
}

}  // namespace
