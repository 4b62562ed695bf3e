#include "scripted_varnel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QListWidget>
#include <QMessageBox>
#include <QTimer>
#include <iostream>

#include "addressbook/address_book.h"
#include "app/ui/main_frame.h"
#include "app/ui/varnel_app.h"
#include "i18n/dialog_controls.h"
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
      report(kNotAvailable);  // this build has no Site Settings dialog
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
  } else {
    whenMainWindowShown(program, [] { report(kReady); });
  }
  return program.run({});
}
