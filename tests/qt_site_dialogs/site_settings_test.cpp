// The Site Settings dialog in site mode and in group mode, and the menu commands that open the
// address-book dialogs.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "addressbook/ui/group_parameters_dialog.h"
#include "addressbook/ui/name_entry_dialog.h"
#include "addressbook/ui/site_parameters_dialog.h"
#include "addressbook/ui/site_settings_dialog.h"
#include "addressbook/ui/tcp_group_settings_dialog.h"
#include "app/ui/main_frame.h"
#include "app/ui/varnel_app.h"
#include "dialog_steps.h"
#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/language_module.h"
#include "i18n/menu_texts.h"
#include "i18n/ui/qt_language_targets.h"
#include "tests/support/temp_dir.h"

using addressbook::CSite;
using addressbook::SiteListMode;
using addressbook::ui::CGroupParametersDialog;
using addressbook::ui::CNameEntryDialog;
using addressbook::ui::CSiteParametersDialog;
using addressbook::ui::CSiteSettingsDialog;
using namespace site_dialogs_test;

namespace {

QString controlText(QWidget* dialog, int id) {
  QWidget* w = i18n::ui::findControl(dialog, id);
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
  if (auto* b = qobject_cast<QPushButton*>(w)) return b->text();
  return {};
}

// Selects the entry at `row` and presses the dialog's button `id`, as the user would.
void pressOnRow(CSiteSettingsDialog& d, int row, int id) {
  d.list()->setCurrentRow(row);
  button(&d, id)->click();
}

}  // namespace

class SiteSettingsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { language_.init(); }
  void init() { book_ = sampleBook(); }

  void siteAndGroupModesShowTheirTexts() {
    CSiteSettingsDialog sites(book_, SiteListMode::kSites, language_, {});
    QCOMPARE(sites.windowTitle(), QString("Site Settings"));
    QCOMPARE(entries(sites.list()), (QStringList{"Depot", "Farm", "Shed"}));
    QVERIFY(sites.list()->selectedItems().isEmpty());
    QCOMPARE(controlText(&sites, i18n::kIdSiteRemove), QString("Re&move Site"));

    CSiteSettingsDialog groups(book_, SiteListMode::kGroups, language_, {});
    QCOMPARE(groups.windowTitle(), QString("Group Settings"));
    QCOMPARE(entries(groups.list()), QStringList{"All"});
    const std::pair<int, const char*> texts[] = {{i18n::kIdSiteListLabel, "Available Groups"},
                                                 {i18n::kIdSiteNew, "New Group"},
                                                 {i18n::kIdSiteEdit, "Edit Group"},
                                                 {i18n::kIdSiteRename, "Rename Group"},
                                                 {i18n::kIdSiteRemove, "Remove Group"},
                                                 {i18n::kIdOk, "&Close"}};
    for (const auto& [id, text] : texts)
      QCOMPARE(controlText(&groups, id), QString(text));
  }

  // Enter on the list presses Close, in both modes; the other buttons never take it.
  void enterClosesTheDialog() {
    for (const auto mode : {SiteListMode::kSites, SiteListMode::kGroups}) {
      CSiteSettingsDialog d(book_, mode, language_, {});
      d.show();
      d.list()->setCurrentRow(0);
      QTest::keyClick(d.list(), Qt::Key_Return);
      QCOMPARE(d.result(), int(QDialog::Accepted));
      QVERIFY(!d.isVisible());
    }
  }

  void commandsNeedASelection() {
    for (const auto mode : {SiteListMode::kSites, SiteListMode::kGroups}) {
      ChangeCounter changes;
      CSiteSettingsDialog d(book_, mode, language_, changes.callback());
      BoxSeen seen;
      ModalScript script;
      script.then(answerBox(&seen)).then(answerBox(&seen)).then(answerBox(&seen));
      d.editEntry();
      d.renameEntry();
      d.removeEntry();
      QCOMPARE(seen.count, 3);
      QCOMPARE(seen.text,
               QString(mode == SiteListMode::kSites ? "You must first select an available site."
                                                    : "You must first select an available group."));
      QCOMPARE(seen.title, QString("Warning!"));
      QCOMPARE(seen.icon, QMessageBox::Critical);
      QCOMPARE(changes.calls, 0);
    }
  }

  void newSiteIsAddedListedAndSelected() {
    ChangeCounter changes;
    CSiteSettingsDialog d(book_, SiteListMode::kSites, language_, changes.callback());
    QString caption;
    ModalScript script;
    script.then(enterName("Barn")).then(on<CSiteParametersDialog>([&](CSiteParametersDialog* p) {
      caption = p->windowTitle();
      QCOMPARE(p->device()->currentText(), QString("Port"));  // the default device
      p->device()->setCurrentIndex(0);                        // Net
      p->targetList()->setCurrentIndex(1);                    // South
      p->addresses()->setText("3");
      pressOk(p);
    }));
    d.newEntry();
    QCOMPARE(caption, QString("New Site:Barn"));
    QVERIFY(book_.sites.back() == (CSite{"Barn", "Net", "3", "", "South"}));
    QCOMPARE(d.list()->currentRow(), 3);
    QCOMPARE(d.list()->selectedItems().size(), 1);
    QCOMPARE(changes.calls, 1);

    // Cancel in either dialog adds nothing.
    script.then(enterName("Mill")).then(ModalScript::reject()).then(ModalScript::reject());
    d.newEntry();
    d.newEntry();
    QCOMPARE(book_.sites.size(), size_t{4});
    QCOMPARE(changes.calls, 1);
  }

  void editSiteReplacesTheFieldsOfItsDevice() {
    ChangeCounter changes;
    CSiteSettingsDialog d(book_, SiteListMode::kSites, language_, changes.callback());
    QString caption;
    ModalScript script;
    script.then(on<CSiteParametersDialog>([&](CSiteParametersDialog* p) {
      caption = p->windowTitle();
      QCOMPARE(p->device()->currentText(), QString("Net"));
      QCOMPARE(p->targetList()->currentText(), QString("North"));
      p->addresses()->setText("1,5");
      pressOk(p);
    }));
    pressOnRow(d, 0, i18n::kIdSiteEdit);
    QCOMPARE(caption, QString("Edit Site:Depot"));
    QVERIFY(book_.sites[0] == (CSite{"Depot", "Net", "1,5", "", "North"}));
    QCOMPARE(changes.calls, 1);

    // OK without a change changes nothing; a serial device keeps the fields it does not use.
    script.then(on<CSiteParametersDialog>(pressOk));
    d.editEntry();
    QCOMPARE(changes.calls, 1);
    script.then(on<CSiteParametersDialog>([](CSiteParametersDialog* p) {
      p->device()->setCurrentIndex(3);  // Port
      pressOk(p);
    }));
    pressOnRow(d, 1, i18n::kIdSiteEdit);
    QVERIFY(book_.sites[1] == (CSite{"Farm", "Port", "2-4", "5550100", ""}));
    QCOMPARE(changes.calls, 2);
  }

  void renamedSiteIsRenamedInItsGroups() {
    ChangeCounter changes;
    CSiteSettingsDialog d(book_, SiteListMode::kSites, language_, changes.callback());
    QString caption;
    QString initial;
    ModalScript script;
    script.then(on<CNameEntryDialog>([&](CNameEntryDialog* n) {
      caption = n->windowTitle();
      initial = n->field()->text();
      n->field()->setText("Barn");
      pressOk(n);
    }));
    pressOnRow(d, 1, i18n::kIdSiteRename);
    QCOMPARE(caption, QString("Rename Site:Farm"));
    QCOMPARE(initial, QString("Farm"));
    QCOMPARE(entries(d.list()), (QStringList{"Depot", "Barn", "Shed"}));
    QCOMPARE(d.list()->currentRow(), 1);
    QVERIFY(book_.groups[0].siteNames == (std::vector<std::string>{"Depot", "Barn"}));
    QCOMPARE(changes.calls, 1);

    // The same name again is refused and Cancel then leaves the book alone.
    BoxSeen seen;
    script.then(enterName("Barn")).then(answerBox(&seen)).then(ModalScript::reject());
    d.renameEntry();
    QCOMPARE(seen.count, 1);
    QCOMPARE(changes.calls, 1);
  }

  void siteInAGroupIsNotRemoved() {
    ChangeCounter changes;
    CSiteSettingsDialog d(book_, SiteListMode::kSites, language_, changes.callback());
    BoxSeen question;
    BoxSeen refusal;
    ModalScript script;
    script.then(answerBox(&question, QMessageBox::Yes)).then(answerBox(&refusal));
    pressOnRow(d, 0, i18n::kIdSiteRemove);
    QCOMPARE(question.text, QString("Are you sure you wish to remove Depot"));
    QCOMPARE(question.icon, QMessageBox::Question);
    QCOMPARE(refusal.text, QString("Site(Depot) has been included by group(All),you cannot "
                                   "delete it!"));
    QCOMPARE(refusal.icon, QMessageBox::Critical);
    QCOMPARE(book_.sites.size(), size_t{3});

    // No keeps a site; Yes removes one that no group includes.
    script.then(answerBox(&question, QMessageBox::No)).then(answerBox(&question, QMessageBox::Yes));
    pressOnRow(d, 2, i18n::kIdSiteRemove);
    QCOMPARE(book_.sites.size(), size_t{3});
    d.removeEntry();
    QCOMPARE(entries(d.list()), (QStringList{"Depot", "Farm"}));
    QVERIFY(d.list()->selectedItems().isEmpty());
    QCOMPARE(changes.calls, 1);
  }

  void groupsAreMadeEditedRenamedAndRemoved() {
    ChangeCounter changes;
    CSiteSettingsDialog d(book_, SiteListMode::kGroups, language_, changes.callback());
    QString caption;
    ModalScript script;
    // A group may be called like a site.
    script.then(enterName("Depot")).then(on<CGroupParametersDialog>([&](CGroupParametersDialog* g) {
      caption = g->windowTitle();
      g->allSites()->item(0)->setSelected(true);
      g->allSites()->item(2)->setSelected(true);
      g->includeSelected();
      pressOk(g);
    }));
    d.newEntry();
    QCOMPARE(caption, QString("New Group:Depot"));
    QVERIFY(book_.groups.back().siteNames == (std::vector<std::string>{"Depot", "Shed"}));
    QCOMPARE(d.list()->currentRow(), 1);

    script.then(on<CGroupParametersDialog>([&](CGroupParametersDialog* g) {
      caption = g->windowTitle();
      g->memberList()->setCurrentRow(1);
      g->removeSelected();
      pressOk(g);
    }));
    pressOnRow(d, 0, i18n::kIdSiteEdit);
    QCOMPARE(caption, QString("Edit Group:All"));
    QVERIFY(book_.groups[0].siteNames == std::vector<std::string>{"Depot"});

    script.then(on<CNameEntryDialog>([&](CNameEntryDialog* n) {
      caption = n->windowTitle();
      n->field()->setText("Everyone");
      pressOk(n);
    }));
    d.renameEntry();
    QCOMPARE(caption, QString("Rename Group:All"));
    QCOMPARE(entries(d.list()), (QStringList{"Everyone", "Depot"}));

    BoxSeen question;
    script.then(answerBox(&question, QMessageBox::Yes));
    d.removeEntry();
    QCOMPARE(question.text, QString("Are you sure you wish to remove Everyone"));
    QCOMPARE(entries(d.list()), QStringList{"Depot"});
    QCOMPARE(book_.sites.size(), size_t{3});
    QCOMPARE(changes.calls, 4);
  }

  void menuCommandsOpenTheDialogs() {
    testing_support::TempDir dir;
    app::ui::CVarnelApp app(dir.path());
    app.language().init();
    app.state().book = sampleBook();
    app::ui::CMainFrame frame(app.language(), app.state());
    QStringList captions;
    const auto close = [&](QWidget* w) {
      captions << w->windowTitle();
      qobject_cast<QDialog*>(w)->accept();
    };
    ModalScript script;
    script.then(close).then(close).then(close);
    frame.runCommand(i18n::ID_SITE_SETTINGS);
    frame.runCommand(i18n::ID_GROUP_SETTINGS);
    frame.runCommand(i18n::ID_TCP_GROUP_SETTINGS);
    QCOMPARE(captions,
             (QStringList{"Site Settings", "Group Settings", "TCP/IP Group Settings..."}));

    // A dialog works on the program's book.
    script.then(on<CSiteSettingsDialog>([](CSiteSettingsDialog* s) {
      s->newEntry();
      s->accept();
    }));
    script.then(enterName("Barn")).then(on<CSiteParametersDialog>([](CSiteParametersDialog* p) {
      p->addresses()->setText("9");
      pressOk(p);
    }));
    frame.runCommand(i18n::ID_SITE_SETTINGS);
    QCOMPARE(app.state().book.sites.back().name, std::string("Barn"));
    frame.document().setModified(false);
  }

 private:
  testing_support::TempDir dir_;
  i18n::LanguageModule language_{dir_.path()};
  addressbook::CAddressBook book_;
};

int runSiteSettingsTests(int argc, char** argv) {
  SiteSettingsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "site_settings_test.moc"
