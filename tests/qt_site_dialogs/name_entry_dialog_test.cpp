// The shared name-entry dialog: each mode's caption and prompt, OK only with text, names unique
// within the mode's list, and the bitmap index's three characters.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "addressbook/ui/name_entry_dialog.h"
#include "dialog_steps.h"
#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/language_module.h"
#include "i18n/ui/qt_language_targets.h"
#include "tests/support/temp_dir.h"

using addressbook::NameDialogMode;
using addressbook::ui::CNameEntryDialog;
using namespace site_dialogs_test;

namespace {

QString promptOf(CNameEntryDialog& d) {
  return qobject_cast<QLabel*>(i18n::ui::findControl(&d, i18n::kIdNameEntryPrompt))->text();
}

}  // namespace

class NameEntryDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { language_.init(); }

  void modesHaveTheirCaptionsAndPrompts() {
    const addressbook::CAddressBook book;
    const struct {
      NameDialogMode mode;
      const char* caption;
      const char* prompt;
    } modes[] = {
        {NameDialogMode::kBitmapIndex, "Edit existing bitmap image",
         "Enter the index number of the bitmap image that you would like to edit"},
        {NameDialogMode::kMailbox, "New Mailbox", "Enter the new name for this mailbox:"},
        {NameDialogMode::kMailAddress, "New Email Address",
         "Enter the email address for this mailbox"},
        {NameDialogMode::kDevice, "New Device", "Enter the new name for this device:"},
        {NameDialogMode::kSite, "New Site", "Enter the new name for this site:"},
        {NameDialogMode::kGroup, "New Group", "Enter the new name for this group:"},
        {NameDialogMode::kTcpIpGroup, "New TCP/IP Group",
         "Enter the new name for this TCP/IP group:"},
        {NameDialogMode::kMailServer, "New Mail Server",
         "Enter the new name for this mail server:"},
    };
    for (const auto& m : modes) {
      CNameEntryDialog d(book, m.mode, language_);
      QCOMPARE(d.windowTitle(), QString(m.caption));
      QCOMPARE(promptOf(d), QString(m.prompt));
    }
    // A caller's caption replaces the mode's; the initial text is offered selected.
    CNameEntryDialog rename(book, NameDialogMode::kSite, language_, nullptr, "Rename Site:Depot",
                            "Depot");
    QCOMPARE(rename.windowTitle(), QString("Rename Site:Depot"));
    QCOMPARE(rename.field()->text(), QString("Depot"));
    QCOMPARE(rename.field()->selectedText(), QString("Depot"));
  }

  void okOnlyWhileTheFieldHoldsText() {
    const addressbook::CAddressBook book;
    CNameEntryDialog d(book, NameDialogMode::kDevice, language_);
    QPushButton* ok = button(&d, i18n::kIdOk);
    QVERIFY(!ok->isEnabled());
    QTest::keyClicks(d.field(), "C");
    QVERIFY(ok->isEnabled());
    QTest::keyClick(d.field(), Qt::Key_Backspace);
    QVERIFY(!ok->isEnabled());
    // Enter on an empty field confirms nothing.
    d.show();
    QTest::keyClick(d.field(), Qt::Key_Return);
    QVERIFY(d.isVisible());
  }

  void takenNamesAreRefusedWithinTheModesListOnly() {
    const addressbook::CAddressBook book = sampleBook();
    BoxSeen seen;
    ModalScript script;
    script.then(answerBox(&seen));
    CNameEntryDialog site(book, NameDialogMode::kSite, language_);
    site.show();
    site.field()->setText("Depot");
    pressOk(&site);
    QCOMPARE(script.pending(), size_t{0});
    QCOMPARE(seen.text, QString("Sorry, this name already exists, please input another name!"));
    QCOMPARE(seen.title, QString("Error"));
    QVERIFY(site.isVisible());
    QCOMPARE(site.result(), int(QDialog::Rejected));
    // Names are compared byte for byte; a group may be called like a site.
    site.field()->setText("depot");
    pressOk(&site);
    QCOMPARE(site.result(), int(QDialog::Accepted));
    QCOMPARE(site.name(), std::string("depot"));
    CNameEntryDialog group(book, NameDialogMode::kGroup, language_);
    group.field()->setText("Depot");
    pressOk(&group);
    QCOMPARE(group.result(), int(QDialog::Accepted));
    QCOMPARE(seen.count, 1);
  }

  void renameToTheSameNameIsRefused() {
    const addressbook::CAddressBook book = sampleBook();
    BoxSeen seen;
    ModalScript script;
    script.then(answerBox(&seen));
    CNameEntryDialog d(book, NameDialogMode::kTcpIpGroup, language_, nullptr,
                       "Rename TCP/IP Group:North", "North");
    d.show();
    pressOk(&d);
    QCOMPARE(seen.count, 1);
    QVERIFY(d.isVisible());
  }

  void textWindows1252LacksIsRefusedNotTurnedIntoQuestionMarks() {
    const addressbook::CAddressBook book;
    BoxSeen seen;
    ModalScript script;
    script.then(answerBox(&seen));
    CNameEntryDialog d(book, NameDialogMode::kMailbox, language_);
    d.show();
    d.field()->setText(QString::fromUtf8("Łódź"));
    pressOk(&d);
    QCOMPARE(seen.text,
             QString("This field can only hold Western European (Windows-1252) characters!"));
    QCOMPARE(seen.title, QString("Error"));
    QVERIFY(d.isVisible());
    QCOMPARE(d.field()->selectedText(), QString::fromUtf8("Łódź"));
    d.field()->setText(QString::fromUtf8("Café €"));
    pressOk(&d);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(d.name(), std::string("Caf\xe9 \x80"));
  }

  void bitmapIndexTakesThreeCharacters() {
    const addressbook::CAddressBook book;
    CNameEntryDialog d(book, NameDialogMode::kBitmapIndex, language_);
    QTest::keyClicks(d.field(), "1234");
    QCOMPARE(d.field()->text(), QString("123"));
    // Other modes take long names.
    CNameEntryDialog site(book, NameDialogMode::kSite, language_);
    QTest::keyClicks(site.field(), "A site with a long name");
    QCOMPARE(site.field()->text(), QString("A site with a long name"));
  }

 private:
  testing_support::TempDir dir_;
  i18n::LanguageModule language_{dir_.path()};
};

int runNameEntryTests(int argc, char** argv) {
  NameEntryDialogTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "name_entry_dialog_test.moc"
