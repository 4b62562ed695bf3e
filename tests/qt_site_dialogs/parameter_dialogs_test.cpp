// The Site parameters dialog (the second row by device type, the OK checks in their order) and
// the Group parameters dialog (include and remove).

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "addressbook/sign_addresses.h"
#include "addressbook/site_dialog_rules.h"
#include "addressbook/ui/group_parameters_dialog.h"
#include "addressbook/ui/site_parameters_dialog.h"
#include "dialog_steps.h"
#include "i18n/language_module.h"
#include "tests/support/temp_dir.h"

using addressbook::SiteParameters;
using addressbook::ui::CGroupParametersDialog;
using addressbook::ui::CSiteParametersDialog;
using namespace site_dialogs_test;

namespace {

constexpr int kNet = 0;
constexpr int kDial = 1;
constexpr int kMail = 2;
constexpr int kPort = 3;

QStringList entries(const QComboBox* box) {
  QStringList texts;
  for (int i = 0; i < box->count(); ++i)
    texts << box->itemText(i);
  return texts;
}

}  // namespace

class ParameterDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { language_.init(); }
  void init() { book_ = sampleBook(); }

  void secondRowFollowsTheDevice() {
    CSiteParametersDialog d(book_, SiteParameters{"Net", "1", "", "South", ""}, "Edit Site:Depot",
                            language_);
    d.show();
    QCOMPARE(d.windowTitle(), QString("Edit Site:Depot"));
    QCOMPARE(entries(d.device()), (QStringList{"Net", "Dial", "Mail", "Port"}));
    QCOMPARE(d.targetLabel()->text(), QString("TCP/IP Group"));
    QCOMPARE(entries(d.targetList()), (QStringList{"North", "South"}));
    QCOMPARE(d.targetList()->currentText(), QString("South"));
    QVERIFY(d.targetList()->isVisible() && !d.phone()->isVisible());

    d.device()->setCurrentIndex(kDial);
    QCOMPARE(d.targetLabel()->text(), QString("Phone Number"));
    QVERIFY(d.phone()->isVisible() && !d.targetList()->isVisible());
    d.device()->setCurrentIndex(kMail);
    QCOMPARE(d.targetLabel()->text(), QString("Mailbox"));
    QCOMPARE(entries(d.targetList()), QStringList{"Office"});
    QCOMPARE(d.targetList()->currentIndex(), -1);
    d.device()->setCurrentIndex(kPort);
    QVERIFY(!d.targetLabel()->isVisible() && !d.phone()->isVisible() &&
            !d.targetList()->isVisible());
    // Back on the TCP/IP device the group chosen before is chosen again.
    d.device()->setCurrentIndex(kNet);
    QCOMPARE(d.targetList()->currentText(), QString("South"));
  }

  void okChecksRunInTheirOrder() {
    // No device selected: the site's device has gone.
    CSiteParametersDialog d(book_, SiteParameters{}, "New Site:Barn", language_);
    d.show();
    QCOMPARE(d.device()->currentIndex(), -1);
    const QString addressText =
        QString::fromStdString(addressbook::validateSignAddresses("1,,2").message());
    QStringList seen;
    BoxSeen box;
    const auto pressAndRecord = [&] {
      box = {};
      ModalScript script;
      script.then(answerBox(&box));
      pressOk(&d);
      seen << box.text;
      QCOMPARE(box.icon, QMessageBox::Critical);
      QVERIFY(d.isVisible());
    };
    d.addresses()->setText("1,,2");
    pressAndRecord();
    d.device()->setCurrentIndex(kDial);
    pressAndRecord();
    d.addresses()->setText("1");
    pressAndRecord();
    d.device()->setCurrentIndex(kNet);
    pressAndRecord();
    d.device()->setCurrentIndex(kMail);
    pressAndRecord();
    QCOMPARE(seen, (QStringList{"You must first select a connect device.", addressText,
                                "Phone number cannot be left blank.\nPlease enter a phone number!",
                                "You must select a TCP/IP group at first, please select menu "
                                "'Communication Settings>TCP/IP Group Settings...' to add one or "
                                "more new TCP/IP groups!",
                                "You must select a mail address which will recieve mail, please "
                                "select menu 'Communication Settings>Mailbox Settings...' to add "
                                "one or more new mail address!"}));
    d.targetList()->setCurrentIndex(0);
    pressOk(&d);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(d.parameters().deviceName, std::string("Mail"));
    QCOMPARE(d.parameters().mailbox, std::string("Office"));
    QCOMPARE(d.parameters().signAddresses, std::string("1"));
  }

  void eachSignAddressRefusalReachesTheUser() {
    CSiteParametersDialog d(book_, SiteParameters{}, "New Site:Barn", language_);
    d.show();
    d.device()->setCurrentIndex(kPort);
    const std::pair<const char*, const char*> refusals[] = {
        {"", "Please input address of Signs which will receive message"},
        {",1", "The first char must be a number,please re-enter!"},
        {"1-", "The last char must be a number,please re-enter!"},
        {"1,,2", "The address is invalidation,please re-enter!"},
        {"1,256", "The address must be a number from 0 to 255,please re-enter!"},
        // A letter would have read as 0, the address every sign answers to.
        {"1,a",
         "The address may hold only numbers, blanks, commas and hyphens, as in 1,3,5-7,"
         "please re-enter!"}};
    for (const auto& [typed, refusal] : refusals) {
      BoxSeen box;
      ModalScript script;
      script.then(answerBox(&box));
      d.addresses()->setText(typed);
      pressOk(&d);
      QCOMPARE(box.text, QString(refusal));
      QCOMPARE(box.icon, QMessageBox::Critical);
      QVERIFY(d.isVisible());
    }
  }

  void includeAddsEachSiteOnce() {
    CGroupParametersDialog d(book_, {"Farm"}, "Edit Group:All", language_);
    QCOMPARE(d.windowTitle(), QString("Edit Group:All"));
    QCOMPARE(entries(d.allSites()), (QStringList{"Depot", "Farm", "Shed"}));
    QCOMPARE(entries(d.memberList()), QStringList{"Farm"});
    // Several selected sites come in the order of the list of all sites.
    d.allSites()->item(2)->setSelected(true);
    d.allSites()->item(1)->setSelected(true);
    d.allSites()->item(0)->setSelected(true);
    d.includeSelected();
    d.includeSelected();
    QCOMPARE(entries(d.memberList()), (QStringList{"Farm", "Depot", "Shed"}));
    QVERIFY(d.members() == (std::vector<std::string>{"Farm", "Depot", "Shed"}));

    d.memberList()->setCurrentRow(1);
    d.removeSelected();
    QCOMPARE(entries(d.memberList()), (QStringList{"Farm", "Shed"}));
    QVERIFY(d.members() == (std::vector<std::string>{"Farm", "Shed"}));
  }

  void includeAndRemoveNeedASelection() {
    CGroupParametersDialog d(book_, {"Farm"}, "Edit Group:All", language_);
    BoxSeen include;
    BoxSeen remove;
    ModalScript script;
    script.then(answerBox(&include)).then(answerBox(&remove));
    d.includeSelected();
    d.removeSelected();
    const QString text("You must first select one or more sites from the list of all sites!");
    QCOMPARE(include.text, text);
    QCOMPARE(remove.text, text);
    QCOMPARE(remove.icon, QMessageBox::Critical);
    QCOMPARE(remove.title, QString("Warning!"));
    QCOMPARE(entries(d.memberList()), QStringList{"Farm"});
  }

  void cancelDiscardsTheMembers() {
    ModalScript script;
    script.then(on<CGroupParametersDialog>([](CGroupParametersDialog* g) {
      g->allSites()->item(0)->setSelected(true);
      g->includeSelected();
      g->reject();
    }));
    QVERIFY(!addressbook::ui::askGroupMembers(book_, {}, "New Group:G", language_, nullptr));
  }

 private:
  testing_support::TempDir dir_;
  i18n::LanguageModule language_{dir_.path()};
  addressbook::CAddressBook book_;
};

int runParameterDialogTests(int argc, char** argv) {
  ParameterDialogsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "parameter_dialogs_test.moc"
