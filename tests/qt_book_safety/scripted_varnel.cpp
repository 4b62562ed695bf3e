#include "scripted_varnel.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTimer>
#include <iostream>
#include <vector>

#include "addressbook/address_book.h"
#include "app/ui/main_frame.h"
#include "app/ui/varnel_app.h"
#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/menu_texts.h"
#include "i18n/ui/qt_language_targets.h"
#include "modal_script.h"

namespace {

// Tells the test process how far the user has come; it reads the lines as they come.
void report(const char* line) {
  std::cout << line << std::endl;
}

// Runs `action` once the main window is shown (the setup dialog has been confirmed by then).
void whenMainWindowShown(app::ui::CVarnelApp& program, std::function<void()> action) {
  auto* timer = new QTimer(qApp);
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, qApp, [timer, &program, action] {
    if (program.mainWindow() == nullptr || !program.mainWindow()->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    action();
  });
  timer->start();
}

// Site Settings: the first site is selected and removed, the removal confirmed. Once the dialog
// is back (the OK has been answered and the book changed) "changed" is reported and the dialog
// left open, as it would be when the program is killed.
void removeFirstSite(app::ui::CVarnelApp& program, ModalScript& script) {
  script.then([](QWidget* w) {
    if (qobject_cast<QMessageBox*>(w) != nullptr) {
      report(kNotAvailable);  // a message instead of Site Settings: the test fails
      return;
    }
    auto* list = qobject_cast<QListWidget*>(i18n::ui::findControl(w, i18n::kIdSiteList));
    list->setCurrentRow(0);
    qobject_cast<QAbstractButton*>(i18n::ui::findControl(w, i18n::kIdSiteRemove))->click();
  });
  script.then(ModalScript::answer(QMessageBox::Yes));
  script.then([](QWidget*) { report(kChanged); });
  whenMainWindowShown(program,
                      [&program] { program.mainWindow()->runCommand(i18n::ID_SITE_SETTINGS); });
}

// The text a control shows: a combo box's choice, a line edit's or a label's text.
QString shownText(QWidget* dialog, int id) {
  QWidget* control = i18n::ui::findControl(dialog, id);
  if (auto* combo = qobject_cast<QComboBox*>(control)) return combo->currentText();
  if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  return {};
}

void press(QWidget* dialog, int id) {
  qobject_cast<QAbstractButton*>(i18n::ui::findControl(dialog, id))->click();
}

// A list window: reports its caption and entries ("Site Settings: Depot,Farm"), with the default
// device's name after Device Settings' list; then edits the row `row`, whose dialog reports its
// caption and the texts of `recordIds` and is cancelled; then closes. Without an `editId` it
// closes at once.
void showList(ModalScript& script, int listId, int row = 0, int editId = 0,
              std::vector<int> recordIds = {}) {
  script.then([=](QWidget* w) {
    auto* list = qobject_cast<QListWidget*>(i18n::ui::findControl(w, listId));
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
      entries << list->item(i)->text();
    QString shown = w->windowTitle() + ": " + entries.join(',');
    if (listId == i18n::kIdDeviceList)
      shown += " (default " + shownText(w, i18n::kIdDeviceDefaultName) + ")";
    report(shown.toStdString().c_str());
    if (editId == 0) {
      press(w, i18n::kIdOk);
      return;
    }
    list->setCurrentRow(row);
    press(w, editId);
  });
  if (editId == 0) return;
  script.then([recordIds](QWidget* w) {
    QStringList texts;
    for (int id : recordIds)
      texts << shownText(w, id);
    report((w->windowTitle() + ": " + texts.join(' ')).toStdString().c_str());
    qobject_cast<QDialog*>(w)->reject();
  });
  script.then([](QWidget* w) { press(w, i18n::kIdOk); });
}

// Every address-book window once, then File > Exit.
void showBook(app::ui::CVarnelApp& program, ModalScript& script) {
  showList(script, i18n::kIdDeviceList, 1, i18n::kIdDeviceEdit,
           {i18n::kIdDeviceComPort, i18n::kIdDeviceBaudRate});
  showList(script, i18n::kIdTcpGroupList);
  showList(script, i18n::kIdSiteList, 0, i18n::kIdSiteEdit,
           {i18n::kIdSiteDevice, i18n::kIdSiteTargetList, i18n::kIdSiteAddresses});
  showList(script, i18n::kIdMailList, 0, i18n::kIdMailListEdit,
           {i18n::kIdMailServerSmtpHost, i18n::kIdMailServerSmtpPort});
  showList(script, i18n::kIdMailList);
  whenMainWindowShown(program, [&program] {
    app::ui::CMainFrame* frame = program.mainWindow();
    for (int command :
         {i18n::ID_DEVICE_SETTINGS, i18n::ID_TCP_GROUP_SETTINGS, i18n::ID_SITE_SETTINGS,
          i18n::ID_MAIL_SERVER_SETTINGS, i18n::ID_MAILBOX_SETTINGS})
      frame->commandAction(command)->trigger();  // as the menu item is chosen
    frame->commandAction(i18n::ID_FILE_EXIT)->trigger();
  });
}

}  // namespace

int runScriptedVarnel(int argc, char** argv) {
  QApplication qapp(argc, argv);
  const std::string dataDir = argv[2];
  const std::string scenario = argv[3];
  app::ui::CVarnelApp program(dataDir);
  ModalScript script;
  // Without a site manage file start-up says it could not be opened first.
  if (!QFileInfo::exists(QString::fromStdString(addressbook::sitePath(dataDir))))
    script.then(ModalScript::accept());
  script.then(ModalScript::accept());  // the setup dialog
  if (scenario == kRemoveFirstSite) {
    removeFirstSite(program, script);
  } else if (scenario == kShowBook) {
    showBook(program, script);
  } else {
    whenMainWindowShown(program, [] { report(kReady); });
  }
  return program.run({});
}
