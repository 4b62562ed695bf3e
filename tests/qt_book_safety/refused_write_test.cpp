// varnel's window on a disk that refuses the write of a workspace file: the window says why with
// the system's reason, the file on disk stays as it was, the workspace stays modified, and a later
// save to a disk with room works.

#include <QMessageBox>
#include <QTest>

#include "app/ui/main_frame.h"
#include "app/ui/varnel_app.h"
#include "app/ui/varnel_view.h"
#include "i18n/menu_texts.h"
#include "modal_script.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_dir.h"

using app::ui::CVarnelView;
using testing_support::readFile;

class RefusedWriteTest : public QObject {
  Q_OBJECT

 private slots:
  void aRefusedSaveSaysWhyAndKeepsTheFile();
};

void RefusedWriteTest::aRefusedSaveSaysWhyAndKeepsTheFile() {
  testing_support::TempDir dir;
  addressbook::CAddressBook().saveAtExit(addressbook::sitePath(dir.path()));
  app::ui::CVarnelApp program(dir.path());
  ModalScript script;
  script.then(ModalScript::accept());  // the setup dialog
  QVERIFY(program.startUp());
  app::ui::CMainFrame* frame = program.openMainWindow();
  QVERIFY(frame != nullptr);
  QString chosen = QString::fromStdString(dir.file("kept.SDV"));
  frame->view()->setFileChooser([&chosen](CVarnelView::FileDialogKind) { return chosen; });
  QTest::keyClicks(frame->view(), "AB");
  frame->runCommand(i18n::ID_FILE_SAVE_AS);
  const std::string kept = readFile(dir.file("kept.SDV"));
  QVERIFY(!kept.empty());

  // A full disk: the new contents do not fit.
  QTest::keyClicks(frame->view(), std::string(200, 'C').c_str());
  QString shown;
  script.then(ModalScript::answer(QMessageBox::Ok, &shown));
  {
    const testing_support::FileSizeLimit full(kept.size());
    frame->runCommand(i18n::ID_FILE_SAVE);
  }
  QVERIFY2(shown.contains("File too large"), qPrintable(shown));
  QCOMPARE(readFile(dir.file("kept.SDV")), kept);
  QVERIFY(frame->document().isModified());

  // A folder that cannot be made: a file has its name.
  testing_support::writeFile(dir.file("plain"), "a file where a folder should be");
  chosen = QString::fromStdString(dir.file("plain/new.SDV"));
  script.then(ModalScript::answer(QMessageBox::Ok, &shown));
  frame->runCommand(i18n::ID_FILE_SAVE_AS);
  QVERIFY2(shown.contains("Not a directory"), qPrintable(shown));
  QCOMPARE(QString::fromStdString(frame->document().path()),
           QString::fromStdString(dir.file("kept.SDV")));

  // With room again the same command saves.
  frame->runCommand(i18n::ID_FILE_SAVE);
  QVERIFY(!frame->document().isModified());
  QVERIFY(readFile(dir.file("kept.SDV")).size() > kept.size());
  QCOMPARE(script.pending(), size_t{0});
}

int runRefusedWriteTests(int argc, char** argv) {
  RefusedWriteTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "refused_write_test.moc"
