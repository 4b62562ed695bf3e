// The TCP/IP Group Settings dialog and its address dialog.

#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "addressbook/ui/name_entry_dialog.h"
#include "addressbook/ui/tcp_group_address_dialog.h"
#include "addressbook/ui/tcp_group_settings_dialog.h"
#include "dialog_steps.h"
#include "i18n/language_module.h"
#include "tests/support/temp_dir.h"

using addressbook::CTcpIpGroup;
using addressbook::ui::CNameEntryDialog;
using addressbook::ui::CTcpGroupAddressDialog;
using addressbook::ui::CTcpGroupSettingsDialog;
using namespace site_dialogs_test;

namespace {

// Types `keys` into the address field from its start and presses OK.
Step typeAddress(const QString& keys) {
  return on<CTcpGroupAddressDialog>([keys](CTcpGroupAddressDialog* a) {
    a->field()->setCursorPosition(0);
    QTest::keyClicks(a->field(), keys);
    pressOk(a);
  });
}

}  // namespace

class TcpGroupTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { language_.init(); }
  void init() { book_ = sampleBook(); }

  void listShowsNameAndAddressWithTheFirstSelected() {
    CTcpGroupSettingsDialog d(book_, language_, {});
    QCOMPARE(d.windowTitle(), QString("TCP/IP Group Settings..."));
    QCOMPARE(entries(d.list()), (QStringList{"North<=>10.0.0.1", "South<=>192.168.1.20"}));
    QCOMPARE(d.list()->currentRow(), 0);
    QVERIFY(d.list()->item(0)->isSelected());
  }

  void addressFieldRefusesEmptyAndTakesOctets() {
    CTcpGroupAddressDialog d("", "New TCP/IP Group:East", language_);
    d.show();
    QCOMPARE(d.windowTitle(), QString("New TCP/IP Group:East"));
    BoxSeen seen;
    {
      ModalScript script;
      script.then(answerBox(&seen));
      pressOk(&d);
    }
    QCOMPARE(seen.text, QString("TCP/IP address can't be empty!"));
    QCOMPARE(seen.title, QString("Error"));
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QVERIFY(d.isVisible());
    QCOMPARE(d.focusWidget(), static_cast<QWidget*>(d.field()));
    // A "." moves on to the next octet, as in an address field.
    QTest::keyClicks(d.field(), "127.0.0.1");
    pressOk(&d);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(d.address(), std::string("127.0.0.1"));

    // A stored address is shown by its octets; leading zeros and untyped octets are dropped.
    CTcpGroupAddressDialog edit("10.020.3", "Edit TCP/IP Group:North", language_);
    pressOk(&edit);
    QCOMPARE(edit.address(), std::string("10.20.3.0"));
  }

  void newEditAndRename() {
    ChangeCounter changes;
    CTcpGroupSettingsDialog d(book_, language_, changes.callback());
    QString caption;
    BoxSeen empty;
    ModalScript script;
    script.then(enterName("East"))
        .then(on<CTcpGroupAddressDialog>([&](CTcpGroupAddressDialog* a) {
          caption = a->windowTitle();
          pressOk(a);
        }))
        .then(answerBox(&empty))
        .then(typeAddress("10.9.8.7"));
    d.newGroup();
    QCOMPARE(caption, QString("New TCP/IP Group:East"));
    QCOMPARE(empty.count, 1);
    QVERIFY(book_.tcpIpGroups.back() == (CTcpIpGroup{"East", "10.9.8.7"}));
    QCOMPARE(d.list()->currentRow(), 2);
    QCOMPARE(changes.calls, 1);

    script.then(on<CTcpGroupAddressDialog>([&](CTcpGroupAddressDialog* a) {
      caption = a->windowTitle();
      a->field()->setText("10.0.0.99");
      pressOk(a);
    }));
    d.list()->setCurrentRow(0);
    d.editGroup();
    QCOMPARE(caption, QString("Edit TCP/IP Group:North"));
    QCOMPARE(d.list()->item(0)->text(), QString("North<=>10.0.0.99"));
    QCOMPARE(changes.calls, 2);

    // Renaming keeps the sites that send to the group working.
    script.then(on<CNameEntryDialog>([&](CNameEntryDialog* n) {
      caption = n->windowTitle();
      n->field()->setText("Harbour");
      pressOk(n);
    }));
    d.renameGroup();
    QCOMPARE(caption, QString("Rename TCP/IP Group:North"));
    QCOMPARE(d.list()->item(0)->text(), QString("Harbour<=>10.0.0.99"));
    QCOMPARE(book_.sites[0].networkTarget, std::string("Harbour"));
    QCOMPARE(changes.calls, 3);
  }

  void removalAsksAndLeavesTheSites() {
    ChangeCounter changes;
    CTcpGroupSettingsDialog d(book_, language_, changes.callback());
    BoxSeen question;
    ModalScript script;
    script.then(answerBox(&question, QMessageBox::No)).then(answerBox(&question, QMessageBox::Yes));
    d.removeGroup();
    QCOMPARE(question.text, QString("Are you sure to remove group 'North'?"));
    QCOMPARE(question.icon, QMessageBox::Information);
    QCOMPARE(book_.tcpIpGroups.size(), size_t{2});
    d.removeGroup();
    // Depot still names the group it sent to.
    QCOMPARE(entries(d.list()), QStringList{"South<=>192.168.1.20"});
    QCOMPARE(book_.sites[0].networkTarget, std::string("North"));
    QCOMPARE(d.list()->currentRow(), 0);  // the same position

    // The last entry gone: the previous one; the list empty: nothing, and a refusal next time.
    book_.tcpIpGroups.push_back({"West", "10.1.1.1"});
    CTcpGroupSettingsDialog again(book_, language_, changes.callback());
    again.list()->setCurrentRow(1);
    BoxSeen refusal;
    script.then(answerBox(&question, QMessageBox::Yes))
        .then(answerBox(&question, QMessageBox::Yes))
        .then(answerBox(&refusal));
    again.removeGroup();
    QCOMPARE(again.list()->currentRow(), 0);
    again.removeGroup();
    QVERIFY(again.list()->selectedItems().isEmpty());
    again.removeGroup();
    QCOMPARE(refusal.text, QString("Please select a group to be deleted at first!"));
    QCOMPARE(refusal.title, QString("Error"));
    QCOMPARE(refusal.icon, QMessageBox::Critical);
    QCOMPARE(changes.calls, 3);
  }

 private:
  testing_support::TempDir dir_;
  i18n::LanguageModule language_{dir_.path()};
  addressbook::CAddressBook book_;
};

int runTcpGroupTests(int argc, char** argv) {
  TcpGroupTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "tcp_group_test.moc"
