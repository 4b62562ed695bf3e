// The mail server dialog, its authentication dialog and the mail server and mailbox lists.

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>

#include "addressbook/address_book.h"
#include "dialog_steps.h"
#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/language_module.h"
#include "mail/tls_profile.h"
#include "mail/ui/mail_list_dialog.h"
#include "mail/ui/mail_server_dialog.h"
#include "mail/ui/smtp_auth_dialog.h"
#include "modal_script.h"
#include "tests/support/temp_dir.h"

using addressbook::CMailServer;
using mail::MailListMode;
using mail::ui::CMailListDialog;
using mail::ui::CMailServerDialog;
using namespace dialog_steps;

namespace {

struct Fixture {
  testing_support::TempDir dir;
  i18n::LanguageModule language{dir.path()};
  addressbook::CAddressBook book;
  platform::ProfileFile profile{dir.file("varnel.ini")};
  int changes = 0;

  Fixture() { language.init(); }
  std::function<void()> counter() {
    return [this] { ++changes; };
  }
};

// Presses OK on `dialog`; the refusal's text and the box's caption ("" when it closed).
std::pair<QString, QString> refusalOf(QDialog& dialog) {
  QString text;
  QString caption;
  ModalScript script;
  script.then([&](QWidget* w) {
    caption = w->windowTitle();
    ModalScript::answer(QMessageBox::Ok, &text)(w);
  });
  dialog.accept();
  return {text, caption};
}

void fillServer(QWidget* w) {
  type(w, i18n::kIdMailServerAddress, "sign@example.com");
  type(w, i18n::kIdMailServerSmtpHost, "smtp.example.com");
  type(w, i18n::kIdMailServerPop3Host, "pop.example.com");
  type(w, i18n::kIdMailServerPop3Account, "sign");
  type(w, i18n::kIdMailServerPop3Password, "secret");
}

// Picks entry `index` of the TLS list as the user does (which marks the choice as made).
void pickTls(QWidget* w, int index) {
  QComboBox* list = find<QComboBox>(w, i18n::kIdMailServerTls);
  list->setCurrentIndex(index);
  emit list->activated(index);
}

int shownTls(QWidget* w) {
  return find<QComboBox>(w, i18n::kIdMailServerTls)->currentIndex();
}

}  // namespace

class MailDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void serverDialogRefusesBlankFieldsInOrder();
  void authenticationIsSetUpOnlyWhenNeeded();
  void textWindows1252LacksIsRefusedWhereItIsTyped();
  void serverListCreatesEditsRenamesAndRemoves();
  void mailboxListKeepsNamesAndAddresses();
  void serverDialogProposesTlsByPortUntilChosen();
  void serverListKeepsTlsChoicesInTheProfile();
};

void MailDialogsTest::serverDialogRefusesBlankFieldsInOrder() {
  Fixture f;
  CMailServerDialog dialog(CMailServer{}, "New Mail Server:Relay", f.language);
  QCOMPARE(find<QLineEdit>(&dialog, i18n::kIdMailServerSmtpPort)->text(), QStringLiteral("25"));
  QCOMPARE(find<QLineEdit>(&dialog, i18n::kIdMailServerPop3Port)->text(), QStringLiteral("110"));
  QCOMPARE(find<QLineEdit>(&dialog, i18n::kIdMailServerPop3Password)->echoMode(),
           QLineEdit::Password);
  const std::pair<int, const char*> steps[] = {
      {i18n::kIdMailServerPop3Host, "The POP3 SERVER can't be left blank"},
      {i18n::kIdMailServerPop3Account, "The POP3 Account can't be left blank"},
      {i18n::kIdMailServerSmtpHost, "The SMTP can't be left blank!"},
      {i18n::kIdMailServerAddress, "The Mailbox can't be left blank!"}};
  for (const auto& [id, text] : steps) {
    const auto [refusal, caption] = refusalOf(dialog);
    QCOMPARE(refusal, QString(text));
    QCOMPARE(caption, QStringLiteral("New Mail Server:Relay"));
    type(&dialog, id, "x");
  }
  type(&dialog, i18n::kIdMailServerSmtpPort, "none");
  QCOMPARE(refusalOf(dialog).first, QStringLiteral("Please enter one integer as IP port."));
  click(&dialog, i18n::kIdMailServerSmtpDefault);
  type(&dialog, i18n::kIdMailServerPop3Port, "1");
  click(&dialog, i18n::kIdMailServerPop3Default);
  QCOMPARE(refusalOf(dialog).first, QString());
  QCOMPARE(dialog.server().smtpPort, 25);
  QCOMPARE(dialog.server().pop3Port, 110);
  QCOMPARE(dialog.server().pop3Server, std::string("x"));
}

void MailDialogsTest::authenticationIsSetUpOnlyWhenNeeded() {
  Fixture f;
  CMailServerDialog dialog(CMailServer{}, "Edit Mail Server:Relay", f.language);
  fillServer(&dialog);
  QAbstractButton* setUp = find<QAbstractButton>(&dialog, i18n::kIdMailServerAuthSetup);
  QVERIFY(!setUp->isEnabled());
  click(&dialog, i18n::kIdMailServerNeedsAuth);
  QVERIFY(setUp->isEnabled());

  QString refusal;
  bool fieldsFollowChoice = false;
  ModalScript script;
  script
      .then([&](QWidget* w) {
        QWidget* account = i18n::ui::findControl(w, i18n::kIdSmtpAuthAccount);
        const bool offFirst = !account->isEnabled();
        click(w, i18n::kIdSmtpAuthOwnAccount);
        fieldsFollowChoice = offFirst && account->isEnabled();
        qobject_cast<QDialog*>(w)->accept();  // an empty account is refused
      })
      .then(ModalScript::answer(QMessageBox::Ok, &refusal))
      .then(fillAndAccept([](QWidget* w) {
        type(w, i18n::kIdSmtpAuthAccount, "relay-user");
        type(w, i18n::kIdSmtpAuthPassword, "relay-pass");
      }));
  setUp->click();
  QVERIFY(fieldsFollowChoice);
  QCOMPARE(refusal, QStringLiteral("The account for authentication can't be left blank!"));
  QCOMPARE(refusalOf(dialog).first, QString());
  const CMailServer& server = dialog.server();
  QCOMPARE(server.needsAuth, uint8_t{1});
  QCOMPARE(server.usePop3Credentials, uint8_t{0});
  QCOMPARE(server.account, std::string("relay-user"));
  QCOMPARE(server.password, std::string("relay-pass"));
}

void MailDialogsTest::textWindows1252LacksIsRefusedWhereItIsTyped() {
  const QString notCp1252 = " can only hold Western European (Windows-1252) characters!";
  Fixture f;
  CMailServerDialog dialog(CMailServer{}, "New Mail Server:Relay", f.language);
  dialog.show();
  fillServer(&dialog);
  type(&dialog, i18n::kIdMailServerPop3Account, QString::fromUtf8("paweł"));
  const auto [refusal, caption] = refusalOf(dialog);
  QCOMPARE(refusal, "The POP3 Account" + notCp1252);
  QCOMPARE(caption, QStringLiteral("New Mail Server:Relay"));
  QVERIFY(dialog.isVisible());
  QCOMPARE(dialog.focusWidget(), i18n::ui::findControl(&dialog, i18n::kIdMailServerPop3Account));

  // The authentication dialog refuses its password the same way, and keeps what it can hold.
  type(&dialog, i18n::kIdMailServerPop3Account, QString::fromUtf8("müller"));
  click(&dialog, i18n::kIdMailServerNeedsAuth);
  QString authRefusal;
  ModalScript script;
  script
      .then(fillAndAccept([](QWidget* w) {
        click(w, i18n::kIdSmtpAuthOwnAccount);
        type(w, i18n::kIdSmtpAuthAccount, "relay");
        type(w, i18n::kIdSmtpAuthPassword, QString::fromUtf8("hasło"));
      }))
      .then(ModalScript::answer(QMessageBox::Ok, &authRefusal))
      .then(fillAndAccept(
          [](QWidget* w) { type(w, i18n::kIdSmtpAuthPassword, QString::fromUtf8("€uro")); }));
  click(&dialog, i18n::kIdMailServerAuthSetup);
  QCOMPARE(authRefusal, "The password for authentication" + notCp1252);
  QCOMPARE(refusalOf(dialog).first, QString());
  QCOMPARE(dialog.server().pop3Account, std::string("m\xfcller"));
  QCOMPARE(dialog.server().account, std::string("relay"));
  QCOMPARE(dialog.server().password, std::string("\x80uro"));
}

void MailDialogsTest::serverListCreatesEditsRenamesAndRemoves() {
  Fixture f;
  f.book.devices.resize(1);
  f.book.devices[0].name = "Mailer";
  f.book.devices[0].type = addressbook::DeviceType::kEmail;
  CMailListDialog dialog(MailListMode::kMailServers, f.book, f.counter(), f.profile, f.language);
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Mail Server Settings"));
  dialog.show();
  ModalScript script;

  QString caption;
  script.then(enterName("Relay")).then(fillAndAccept([&](QWidget* w) {
    caption = w->windowTitle();
    fillServer(w);
  }));
  click(&dialog, i18n::kIdMailListNew);
  QCOMPARE(caption, QStringLiteral("New Mail Server:Relay"));
  QCOMPARE(f.book.mailServers.size(), size_t{1});
  QCOMPARE(f.book.mailServers[0].pop3Password, std::string("secret"));
  QCOMPARE(dialog.list()->currentItem()->text(), QStringLiteral("Relay"));

  const std::pair<int, const char*> unselected[] = {
      {i18n::kIdMailListEdit, "Please first select one item to edit!"},
      {i18n::kIdMailListRename, "Please first select one item to edit!"},
      {i18n::kIdMailListRemove, "Please first select one item to remove!"}};
  for (const auto& [id, text] : unselected) {
    dialog.list()->setCurrentRow(-1);
    QString refusal;
    script.then(ModalScript::answer(QMessageBox::Ok, &refusal));
    click(&dialog, id);
    QCOMPARE(refusal, QString(text));
  }

  dialog.list()->setCurrentRow(0);
  script.then(fillAndAccept([&](QWidget* w) {
    caption = w->windowTitle();
    type(w, i18n::kIdMailServerSmtpPort, "587");
  }));
  click(&dialog, i18n::kIdMailListEdit);
  QCOMPARE(caption, QStringLiteral("Edit Mail Server:Relay"));
  QCOMPARE(f.book.mailServers[0].smtpPort, 587);
  QCOMPARE(f.book.mailServers[0].smtpServer, std::string("smtp.example.com"));

  f.book.devices[0].mailServerName = "Relay";
  script.then(enterName("Outbound", &caption));
  click(&dialog, i18n::kIdMailListRename);
  QCOMPARE(caption, QStringLiteral("Rename Mail Server:Relay"));
  QCOMPARE(f.book.mailServers[0].name, std::string("Outbound"));
  QCOMPARE(f.book.devices[0].mailServerName, std::string("Outbound"));
  QCOMPARE(dialog.list()->item(0)->text(), QStringLiteral("Outbound"));

  QString question;
  script.then(ModalScript::answer(QMessageBox::Yes, &question));
  click(&dialog, i18n::kIdMailListRemove);
  QCOMPARE(question, QStringLiteral("Are you sure to remove this item?"));
  QVERIFY(f.book.mailServers.empty());
  QCOMPARE(dialog.list()->count(), 0);
  QCOMPARE(f.changes, 4);
}

void MailDialogsTest::mailboxListKeepsNamesAndAddresses() {
  Fixture f;
  f.book.mailboxes = {{"Depot", "depot@example.com"}};
  CMailListDialog dialog(MailListMode::kMailboxes, f.book, f.counter(), f.profile, f.language);
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Mailbox Settings"));
  QCOMPARE(find<QLabel>(&dialog, i18n::kIdMailListLabel)->text(),
           QStringLiteral("Available Mailboxes"));
  QCOMPARE(find<QAbstractButton>(&dialog, i18n::kIdMailListNew)->text(),
           QStringLiteral("New Mailbox"));
  QCOMPARE(find<QAbstractButton>(&dialog, i18n::kIdMailListRemove)->text(),
           QStringLiteral("Remove Mailbox"));
  QCOMPARE(dialog.list()->currentRow(), 0);  // the first entry is selected
  dialog.show();
  ModalScript script;

  QString nameCaption;
  QString addressCaption;
  QString refusal;
  script.then(enterName("Depot", &nameCaption))
      .then(ModalScript::answer(QMessageBox::Ok, &refusal))
      .then(enterName("Shop"))
      .then(enterName("shop@example.com;office@example.com", &addressCaption));
  click(&dialog, i18n::kIdMailListNew);
  QCOMPARE(nameCaption, QStringLiteral("New Mailbox"));
  QCOMPARE(refusal, QStringLiteral("Sorry, this name already exists, please input another name!"));
  QCOMPARE(addressCaption, QStringLiteral("New Mail Address:Shop"));
  QCOMPARE(f.book.mailboxes.size(), size_t{2});
  QCOMPARE(f.book.mailboxes[1].address, std::string("shop@example.com;office@example.com"));
  QCOMPARE(dialog.list()->currentRow(), 1);

  QString initial;
  script.then([&](QWidget* w) {
    addressCaption = w->windowTitle();
    initial = find<QLineEdit>(w, 1000)->text();
    enterName("depot@example.org")(w);
  });
  dialog.list()->setCurrentRow(0);
  click(&dialog, i18n::kIdMailListEdit);
  QCOMPARE(addressCaption, QStringLiteral("Edit Mail Address:Depot"));
  QCOMPARE(initial, QStringLiteral("depot@example.com"));
  QCOMPARE(f.book.mailboxes[0].address, std::string("depot@example.org"));
  QCOMPARE(f.changes, 2);
}

QTEST_MAIN(MailDialogsTest)
void MailDialogsTest::serverDialogProposesTlsByPortUntilChosen() {
  Fixture f;
  {
    CMailServerDialog dialog(CMailServer{}, "New Mail Server:Relay", f.language);
    QComboBox* list = find<QComboBox>(&dialog, i18n::kIdMailServerTls);
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->itemText(0), QStringLiteral("TLS required"));
    QCOMPARE(list->itemText(2), QStringLiteral("Plain text (not encrypted)"));
    QCOMPARE(shownTls(&dialog), 1);  // port 25: upgrade when offered
    type(&dialog, i18n::kIdMailServerSmtpPort, "465");
    QCOMPARE(shownTls(&dialog), 0);
    click(&dialog, i18n::kIdMailServerSmtpDefault);
    QCOMPARE(shownTls(&dialog), 1);
    fillServer(&dialog);
    QCOMPARE(refusalOf(dialog).first, QString());
    // Never picked: the server keeps following its ports.
    QCOMPARE(dialog.tls(), mail::TlsChoice{});
  }
  CMailServerDialog dialog(CMailServer{}, "New Mail Server:Relay", f.language);
  fillServer(&dialog);
  pickTls(&dialog, 2);
  type(&dialog, i18n::kIdMailServerSmtpPort, "465");
  QCOMPARE(shownTls(&dialog), 2);
  const QString missing = QString::fromStdString(f.dir.file("none.pem"));
  type(&dialog, i18n::kIdMailServerCaFile, missing);
  const auto [refusal, caption] = refusalOf(dialog);
  QCOMPARE(refusal, "The CA file " + missing + " cannot be read.");
  QCOMPARE(caption, QStringLiteral("New Mail Server:Relay"));
  QCOMPARE(dialog.result(), int(QDialog::Rejected));
  testing_support::writeFile(f.dir.file("ca.pem"), "PEM");
  type(&dialog, i18n::kIdMailServerCaFile, QString::fromStdString(f.dir.file("ca.pem")));
  QCOMPARE(refusalOf(dialog).first, QString());
  QCOMPARE(dialog.tls(), (mail::TlsChoice{platform::TlsPolicy::kPlain, f.dir.file("ca.pem")}));
}

void MailDialogsTest::serverListKeepsTlsChoicesInTheProfile() {
  Fixture f;
  CMailListDialog dialog(MailListMode::kMailServers, f.book, f.counter(), f.profile, f.language);
  dialog.show();
  ModalScript script;
  script.then(enterName("Relay")).then(fillAndAccept([](QWidget* w) {
    fillServer(w);
    pickTls(w, 0);
  }));
  click(&dialog, i18n::kIdMailListNew);
  QCOMPARE(mail::readTlsChoice(f.profile, "Relay").policy, platform::TlsPolicy::kRequired);

  int shown = -1;
  script.then(fillAndAccept([&](QWidget* w) {
    shown = shownTls(w);
    pickTls(w, 1);
  }));
  click(&dialog, i18n::kIdMailListEdit);
  QCOMPARE(shown, 0);  // the stored choice, not the port's default
  QCOMPARE(mail::readTlsChoice(f.profile, "Relay").policy, platform::TlsPolicy::kWhenOffered);

  script.then(enterName("Outbound"));
  click(&dialog, i18n::kIdMailListRename);
  QCOMPARE(mail::readTlsChoice(f.profile, "Relay"), mail::TlsChoice{});
  QCOMPARE(mail::readTlsChoice(f.profile, "Outbound").policy, platform::TlsPolicy::kWhenOffered);

  script.then(ModalScript::answer(QMessageBox::Yes));
  click(&dialog, i18n::kIdMailListRemove);
  QCOMPARE(mail::readTlsChoice(f.profile, "Outbound"), mail::TlsChoice{});
}

#include "mail_dialogs_test.moc"
