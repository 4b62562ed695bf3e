// "Scheduler and Special Functions" driven as the user drives it: the pages, the task list's
// buttons and refusals, OK and Cancel, and what a saved workspace then sends to a sign.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "app/ui/main_frame.h"
#include "app/ui/varnel_app.h"
#include "app/ui/varnel_view.h"
#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/menu_texts.h"
#include "i18n/string_table.h"
#include "i18n/ui/qt_language_targets.h"
#include "signlink/ui/scheduler_dialog.h"
#include "signlink/ui/scheduler_task_page.h"
#include "tests/qt_varnel/main_window_session.h"
#include "tests/qt_varnel/modal_script.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

using app::ui::CMainFrame;
using app::ui::CVarnelView;
using signlink::ui::CSchedulerDialog;
using testing_support::TempDir;

namespace {

template <class W>
W* control(QWidget* dialog, int id) {
  return qobject_cast<W*>(i18n::ui::findControl(dialog, id));
}

QStringList entries(const QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i)
    texts << list->item(i)->text();
  return texts;
}

void click(QWidget* dialog, int buttonId) {
  control<QPushButton>(dialog, buttonId)->click();
}

// Selects entry `row` of list `id` and presses button `buttonId`.
void selectAndPress(QWidget* dialog, int listId, int row, int buttonId) {
  control<QListWidget>(dialog, listId)->setCurrentRow(row);
  click(dialog, buttonId);
}

// The built-in English texts, from a fresh data directory.
struct English {
  TempDir dir;
  i18n::LanguageModule module{dir.path()};
  English() { module.init(); }
};

// A main window over a fresh data directory.
struct Session : varnel_testing::MainWindowSession {
  // Types `count` messages "A", "B", ...
  void typeMessages(int count) {
    for (int i = 0; i < count; ++i) {
      if (i > 0) QTest::keyClick(frame->view(), Qt::Key_Return, Qt::ControlModifier);
      QTest::keyClicks(frame->view(), QString(QChar('A' + i)));
    }
  }

  // Saves the workspace as dir/name.SDV and returns the path.
  std::string saveAs(const std::string& name) {
    const QString path = QString::fromStdString(dir.file(name));
    frame->view()->setFileChooser([path](CVarnelView::FileDialogKind) { return path; });
    frame->runCommand(i18n::ID_FILE_SAVE_AS);
    return dir.file(name + ".SDV");
  }

  // The sign data stream varnel-cli exports for the saved workspace, to sign address 1.
  QByteArray exported(const std::string& workspacePath) {
    const std::string out = dir.file("out.bin");
    const auto result =
        testing_support::runCli({"export", "workspace", workspacePath, "--addresses", "1", "--now",
                                 "2026-12-08 09:05:03", "-o", out});
    if (result.exitCode != 0) qWarning("varnel-cli: %s", result.err.c_str());
    return QByteArray::fromStdString(testing_support::readFile(out));
  }
};

QByteArray bytes(const char* data, int size) {
  return QByteArray(data, size);
}

}  // namespace

class SchedulerWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void sixPagesShowTheStoredSettings();
  void refusalsKeepTheSheetOpen();
  void okSendsTheTaskAlarmsAndPowerTimesAndSurvivesSaveAndNew();
  void cancelAndUnchangedOkLeaveTheDocumentAlone();
  void aTaskEmptiedOnThePageGivesTheAllFilesTask();
  void textsComeFromTheLanguageFile();
};

void SchedulerWindowTest::sixPagesShowTheStoredSettings() {
  English english;
  const i18n::LanguageModule& language = english.module;
  workspace::SchedulerSettings s;
  s.alarmCount = 12;
  s.alarmInterval = 5;
  s.hourlyAlarm = 1;
  s.powerOn = {7, 8, 9};
  s.powerOff = {23, 24, 60};  // seconds 60: the list cannot show it
  s.timeFormat = 1;
  s.tasks[0].files = {2, 0};
  s.tasks[0].startHour = 6;
  s.tasks[0].days[3] = 1;
  CSchedulerDialog dialog(s, 3, language);

  QCOMPARE(dialog.windowTitle(), QStringLiteral("Scheduler and Special Functions"));
  QTabWidget* tabs = dialog.pages();
  const QStringList names = {"Scheduler", "Alarm",     "Hourly Alarm",
                             "Power ON",  "Power OFF", "Time Settings"};
  QCOMPARE(tabs->count(), names.size());
  for (int i = 0; i < tabs->count(); ++i)
    QCOMPARE(tabs->tabText(i), names[i]);
  QCOMPARE(tabs->currentIndex(), 0);

  QCOMPARE(control<QComboBox>(&dialog, i18n::kIdSchedulerTask)->currentText(), QStringLiteral("1"));
  QCOMPARE(control<QComboBox>(&dialog, i18n::kIdSchedulerStartHour)->currentText(), "06");
  auto* days = control<QListWidget>(&dialog, i18n::kIdSchedulerRunDate);
  QCOMPARE(days->item(3)->text(), QStringLiteral("Wednesday"));
  QCOMPARE(days->item(3)->checkState(), Qt::Checked);
  QCOMPARE(entries(control<QListWidget>(&dialog, i18n::kIdSchedulerAllFiles)),
           QStringList({"Msg 01", "Msg 02", "Msg 03"}));
  QCOMPARE(entries(control<QListWidget>(&dialog, i18n::kIdSchedulerTaskFiles)),
           QStringList({"Msg 03", "Msg 01"}));
  QCOMPARE(control<QLineEdit>(&dialog, i18n::kIdAlarmCount)->text(), QStringLiteral("12"));
  QVERIFY(control<QCheckBox>(&dialog, i18n::kIdHourlyAlarmOn)->isChecked());
  QCOMPARE(control<QComboBox>(&dialog, i18n::kIdPowerOnSecond)->currentText(), "09");
  QCOMPARE(control<QComboBox>(&dialog, i18n::kIdPowerOffSecond)->currentIndex(), -1);
  QVERIFY(control<QRadioButton>(&dialog, i18n::kIdTimeFormat12Hour)->isChecked());
  // Every page's "Transmit Setting" stays hidden.
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (i18n::ui::controlId(button) == i18n::kIdSchedulerTransmit) QVERIFY(button->isHidden());
  }
}

void SchedulerWindowTest::refusalsKeepTheSheetOpen() {
  English english;
  CSchedulerDialog dialog(workspace::SchedulerSettings{}, 2, english.module);
  dialog.show();
  QString add, remove, up, down, integer;
  ModalScript script;
  script.then(ModalScript::answer(QMessageBox::Ok, &add))
      .then(ModalScript::answer(QMessageBox::Ok, &remove))
      .then(ModalScript::answer(QMessageBox::Ok, &up))
      .then(ModalScript::answer(QMessageBox::Ok, &down))
      .then(ModalScript::answer(QMessageBox::Ok, &integer));
  for (const int button : {i18n::kIdSchedulerAdd, i18n::kIdSchedulerRemove, i18n::kIdSchedulerUp,
                           i18n::kIdSchedulerDown}) {
    click(&dialog, button);
  }
  QCOMPARE(add, QStringLiteral("Please select one file in 'All files' list box at first!"));
  QCOMPARE(remove, QStringLiteral("Please select one file in 'Files in task' list box at first!"));
  QCOMPARE(up, remove);
  QCOMPARE(down, remove);
  // The entry added is selected, so Up moves it at once.
  selectAndPress(&dialog, i18n::kIdSchedulerAllFiles, 0, i18n::kIdSchedulerAdd);
  selectAndPress(&dialog, i18n::kIdSchedulerAllFiles, 1, i18n::kIdSchedulerAdd);
  click(&dialog, i18n::kIdSchedulerUp);
  QCOMPARE(entries(control<QListWidget>(&dialog, i18n::kIdSchedulerTaskFiles)),
           QStringList({"Msg 02", "Msg 01"}));

  control<QLineEdit>(&dialog, i18n::kIdAlarmInterval)->setText("x");
  click(&dialog, i18n::kIdOk);
  QCOMPARE(integer, QStringLiteral("Please enter an integer."));
  QVERIFY(dialog.isVisible());
  QCOMPARE(dialog.pages()->currentIndex(), 1);
  QCOMPARE(dialog.settings(), workspace::SchedulerSettings{});
  QCOMPARE(script.pending(), size_t{0});
}

void SchedulerWindowTest::okSendsTheTaskAlarmsAndPowerTimesAndSurvivesSaveAndNew() {
  Session session;
  session.typeMessages(4);
  CMainFrame* frame = session.frame.get();
  ModalScript script;
  script.then([](QWidget* w) {
    // Task "3" lists message 4, then message 2; Monday and Friday, 08:15 to 17:45.
    control<QComboBox>(w, i18n::kIdSchedulerTask)->setCurrentIndex(2);
    selectAndPress(w, i18n::kIdSchedulerAllFiles, 3, i18n::kIdSchedulerAdd);
    selectAndPress(w, i18n::kIdSchedulerAllFiles, 1, i18n::kIdSchedulerAdd);
    const int times[] = {8, 15, 17, 45};
    const int timeIds[] = {i18n::kIdSchedulerStartHour, i18n::kIdSchedulerStartMinute,
                           i18n::kIdSchedulerEndHour, i18n::kIdSchedulerEndMinute};
    for (int i = 0; i < 4; ++i)
      control<QComboBox>(w, timeIds[i])->setCurrentIndex(times[i]);
    auto* days = control<QListWidget>(w, i18n::kIdSchedulerRunDate);
    days->item(1)->setCheckState(Qt::Checked);
    days->item(5)->setCheckState(Qt::Checked);
    control<QLineEdit>(w, i18n::kIdAlarmCount)->setText("300");
    control<QLineEdit>(w, i18n::kIdAlarmInterval)->setText("5");
    control<QCheckBox>(w, i18n::kIdHourlyAlarmOn)->setChecked(true);
    control<QComboBox>(w, i18n::kIdPowerOnHour)->setCurrentIndex(6);
    control<QComboBox>(w, i18n::kIdPowerOnMinute)->setCurrentIndex(30);
    control<QComboBox>(w, i18n::kIdPowerOffHour)->setCurrentIndex(22);
    control<QRadioButton>(w, i18n::kIdTimeFormat12Hour)->click();
    // Another task shown at OK: task "3" was stored when it was left.
    control<QComboBox>(w, i18n::kIdSchedulerTask)->setCurrentIndex(0);
    click(w, i18n::kIdOk);
  });
  frame->document().setModified(false);
  frame->runCommand(i18n::ID_SCHEDULER);
  QCOMPARE(script.pending(), size_t{0});
  QVERIFY(frame->document().isModified());
  const workspace::SchedulerSettings applied = frame->document().workspace().scheduler;
  QCOMPARE(applied.tasks[2].files, std::vector<int32_t>({3, 1}));

  const std::string path = session.saveAs("sched");
  QVERIFY(!frame->document().isModified());
  const QByteArray stream = session.exported(path);
  // Task digit "2", Monday and Friday, 08:15 to 17:45, files 04 then 02.
  QVERIFY(
      stream.contains(bytes("\x02"
                            "2\x22"
                            "08151745"
                            "0402\xFF",
                            16)));
  // Alarm: 300 goes out as its low byte 44 (0x2C); hourly alarm on; power on 06:30:00, off 22:00.
  QVERIFY(
      stream.contains(bytes("\x04\x2C\x05\xFF\x05\x01\xFF\x06"
                            "063000\xFF\x07"
                            "220000\xFF",
                            23)));
  // No all-files task besides it; the set-time record carries "12-Hour".
  QVERIFY(
      !stream.contains(bytes("\x02"
                             "0\x00"
                             "00002359",
                             11)));
  QVERIFY(
      stream.contains(bytes("\xFF\x08\x02\x01"
                            "26",
                            6)));

  frame->runCommand(i18n::ID_FILE_NEW);
  QCOMPARE(frame->document().workspace().scheduler, workspace::SchedulerSettings{});
  QVERIFY(frame->view()->openDocument(QString::fromStdString(path)));
  QCOMPARE(frame->document().workspace().scheduler, applied);
}

void SchedulerWindowTest::cancelAndUnchangedOkLeaveTheDocumentAlone() {
  Session session;
  session.typeMessages(2);
  CMainFrame* frame = session.frame.get();
  frame->document().setModified(false);
  ModalScript script;
  script
      .then([](QWidget* w) {
        selectAndPress(w, i18n::kIdSchedulerAllFiles, 1, i18n::kIdSchedulerAdd);
        control<QLineEdit>(w, i18n::kIdAlarmCount)->setText("9");
        click(w, i18n::kIdCancel);
      })
      .then([](QWidget* w) { click(w, i18n::kIdOk); });
  frame->runCommand(i18n::ID_SCHEDULER);
  frame->runCommand(i18n::ID_SCHEDULER);
  QCOMPARE(script.pending(), size_t{0});
  QCOMPARE(frame->document().workspace().scheduler, workspace::SchedulerSettings{});
  QVERIFY(!frame->document().isModified());
}

void SchedulerWindowTest::aTaskEmptiedOnThePageGivesTheAllFilesTask() {
  Session session;
  session.typeMessages(3);
  CMainFrame* frame = session.frame.get();
  frame->document().workspace().scheduler.tasks[5].files = {1};
  ModalScript script;
  script.then([](QWidget* w) {
    control<QComboBox>(w, i18n::kIdSchedulerTask)->setCurrentIndex(5);
    selectAndPress(w, i18n::kIdSchedulerTaskFiles, 0, i18n::kIdSchedulerRemove);
    click(w, i18n::kIdOk);
  });
  frame->runCommand(i18n::ID_SCHEDULER);
  QVERIFY(frame->document().workspace().scheduler.tasks[5].files.empty());
  const QByteArray stream = session.exported(session.saveAs("all"));
  QVERIFY(
      stream.contains(bytes("\x02"
                            "0\x00"
                            "00002359"
                            "010203\xFF",
                            18)));
  QVERIFY(
      !stream.contains(bytes("\x02"
                             "5",
                             2)));
}

void SchedulerWindowTest::textsComeFromTheLanguageFile() {
  English english;
  QVERIFY(QDir().mkpath(QString::fromStdString(english.dir.file("Language"))));
  testing_support::writeFile(english.dir.file("Language/deutsch.ini"),
                             "[Setting]\r\nLanguage=Deutsch\r\n"
                             "[Dialog String]\r\nIDD152_Title=Wecker\r\nIDD151_1397=Dazu\r\n"
                             "[String Table]\r\nIDS_STRINGTABLE_32975=Zeitplan\r\n"
                             "IDS_STRINGTABLE_32989=Sonntag\r\nIDS_STRINGTABLE_32980=Abbrechen\r\n"
                             "IDS_STRINGTABLE_32976=Erst eine Datei w\xE4hlen\r\n");
  english.module.selectLanguage("Deutsch");
  CSchedulerDialog dialog(workspace::SchedulerSettings{}, 1, english.module);
  dialog.show();
  QString refusal;
  ModalScript script;
  script.then(ModalScript::answer(QMessageBox::Ok, &refusal));
  click(&dialog, i18n::kIdSchedulerAdd);
  i18n::setLanguageLookup({});

  QCOMPARE(dialog.windowTitle(), QStringLiteral("Zeitplan"));
  QCOMPARE(dialog.pages()->tabText(0), QStringLiteral("Scheduler"));
  QCOMPARE(dialog.pages()->tabText(1), QStringLiteral("Wecker"));
  QCOMPARE(control<QPushButton>(&dialog, i18n::kIdSchedulerAdd)->text(), QStringLiteral("Dazu"));
  QCOMPARE(control<QPushButton>(&dialog, i18n::kIdCancel)->text(), QStringLiteral("Abbrechen"));
  QCOMPARE(control<QListWidget>(&dialog, i18n::kIdSchedulerRunDate)->item(0)->text(),
           QStringLiteral("Sonntag"));
  QCOMPARE(refusal, QString::fromUtf8("Erst eine Datei w\u00E4hlen"));
}

QTEST_MAIN(SchedulerWindowTest)
#include "scheduler_window_test.moc"
