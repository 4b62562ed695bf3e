// Sending from varnel's window to a sign reached by e-mail, with real servers on loopback: the
// mail goes through aiosmtpd (after a POP3 log-in at Dovecot) into the sign's Dovecot mailbox, and
// is fetched back from there over POP3.

#include <QMessageBox>
#include <QTest>

#include <memory>
#include <string>

#include "i18n/menu_texts.h"
#include "mail/mail_address.h"
#include "platform/message_pump.h"
#include "pop3/mail_item.h"
#include "pop3/pop3_connection.h"
#include "receiver/attachment_decoder.h"
#include "signlink/sign_data_file.h"
#include "tests/qt_send/send_station_fixture.h"
#include "tests/qt_varnel/modal_script.h"
#include "tests/support/mail_site_book.h"
#include "tests/support/pop3_server.h"
#include "tests/support/smtp_server.h"

namespace {

constexpr char kLoopback[] = "127.0.0.1";
constexpr char kSignUser[] = "signbox";  // Dovecot folds log-in names to lower case.
constexpr char kSignPassword[] = "Relay-77";
constexpr char kSignAddress[] = "signbox@example.com";
constexpr char kSiteName[] = "MailSite";
constexpr char kSiteAddresses[] = "1-3";  // emailSiteBook's sign addresses

// The sign's mailbox at Dovecot and an SMTP server delivering into it.
struct MailServers {
  testing_support::Pop3Server pop3;
  std::unique_ptr<testing_support::SmtpTestServer> smtp;
  std::string error;

  bool start() {
    pop3.addUser(kSignUser, kSignPassword);
    if (!pop3.start(&error)) return false;
    testing_support::SmtpTestServer::Options options;
    options.maildir = pop3.maildir(kSignUser);
    smtp = std::make_unique<testing_support::SmtpTestServer>(options);
    return smtp->start(&error);
  }
};

// The transmitted bytes of a sign data file (empty when it is not one).
std::string streamBytes(const std::string& file) {
  std::string_view stream;
  return signlink::signDataFileStream(file, &stream)
             ? send_testing::transmitted(std::string(stream))
             : std::string();
}

}  // namespace

class MailSendTest : public QObject {
  Q_OBJECT

 private slots:
  void workspaceMailedToAnEmailSiteIsWhatExportWrites();
};

void MailSendTest::workspaceMailedToAnEmailSiteIsWhatExportWrites() {
  if (!testing_support::Pop3Server::available()) QSKIP("dovecot is not installed");
  MailServers servers;
  QVERIFY2(servers.start(), servers.error.c_str());
  send_testing::Station s(testing_support::emailSiteBook(
      testing_support::popBeforeSmtpServer(servers.smtp->port(), servers.pop3.port(), kSignUser,
                                           kSignPassword),
      kSiteName, "SignBox", kSignAddress));
  QVERIFY(s.frame != nullptr);
  // A mail has no frame pauses; its waits are on the servers' sockets, so the window's own pump
  // (Qt's event loop, real time) serves them.
  s.frame->setSendPump(nullptr);
  const std::string path = s.typeAndSave("OPEN 9-5", "open.SDV");
  QVERIFY(!path.empty());

  QString results;
  ModalScript script;
  script.then(send_testing::choose(false, kSiteName))
      .then(ModalScript::answer(QMessageBox::Ok, &results));
  s.frame->runCommand(i18n::ID_SEND_WORKSPACE);
  QCOMPARE(script.pending(), size_t{0});
  QVERIFY2(results.startsWith(QStringLiteral("Sent to 1 of 1 destinations:")), qPrintable(results));
  QVERIFY2(results.endsWith(QStringLiteral("send successfully,")), qPrintable(results));

  // Exactly one mail waits in the sign's mailbox, addressed to it, with the stream attached.
  platform::SleepingPump pump;
  pop3::POP3Connection mailbox(pump, kLoopback, servers.pop3.port(), kSignUser, kSignPassword,
                               nullptr, nullptr);
  QVERIFY2(mailbox.Connect(), mailbox.ErrorText().c_str());
  QCOMPARE(mailbox.Stat(), 1);
  pop3::MailItem mail;
  QVERIFY2(mailbox.Retrieve(1, &mail), mailbox.ErrorText().c_str());
  QCOMPARE(mail.to.size(), size_t{1});
  QCOMPARE(mail.to.front().emailAddress, std::string(kSignAddress));
  std::string fileName, file;
  QVERIFY(receiver::decodeAttachment(mail.body, &fileName, &file) > 0);
  QVERIFY2(fileName.size() > 4 && fileName.compare(fileName.size() - 4, 4, ".bin") == 0,
           fileName.c_str());
  QVERIFY(send_testing::sameExceptTime(streamBytes(file), s.exported(path, kSiteAddresses)));
}

int runMailSendTests(int argc, char** argv) {
  MailSendTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "mail_send_test.moc"
