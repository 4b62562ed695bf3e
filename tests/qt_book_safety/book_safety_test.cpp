// varnel's address book is never lost: the site manage file follows every change at once, a file
// that did not load survives until the user changes the book, another program's change is asked
// about, and a stopped program still runs its exit sequence. Some cases start the program itself.

#include <signal.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <memory>

#include "addressbook/address_book.h"
#include "app/ui/main_frame.h"
#include "app/ui/varnel_app.h"
#include "app/varnel_profile.h"
#include "i18n/dialog_controls.h"
#include "i18n/menu_texts.h"
#include "i18n/ui/qt_language_targets.h"
#include "modal_script.h"
#include "platform/profile_file.h"
#include "scripted_varnel.h"
#include "tests/support/temp_dir.h"

using app::ui::CVarnelApp;
using testing_support::readFile;

int runEndToEndTests(int argc, char** argv);      // end_to_end_test.cpp
int runRefusedWriteTests(int argc, char** argv);  // refused_write_test.cpp
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

constexpr int kProgramTimeoutMs = 60000;
constexpr char kDamaged[] = "Z2500 SITE DATA HEAD, damaged beyond reading";

std::string bookPath(const TempDir& dir) {
  return addressbook::sitePath(dir.path());
}

bool exists(const std::string& path) {
  return QFileInfo::exists(QString::fromStdString(path));
}

// A book with a TCP/IP device and two sites in no group.
addressbook::CAddressBook twoSites(const std::string& first = "Depot") {
  addressbook::CAddressBook book;
  addressbook::CDevice device;
  device.name = "Lan";
  device.type = addressbook::DeviceType::kTcpIp;
  book.devices.push_back(device);
  book.tcpIpGroups.push_back({"Hall", "127.0.0.1"});
  book.sites.push_back({first, "Lan", "1", "", "Hall"});
  book.sites.push_back({"Yard", "Lan", "2", "", "Hall"});
  return book;
}

std::vector<std::string> siteNames(const std::string& path) {
  addressbook::CAddressBook book;
  if (!book.load(path).ok()) return {"(unreadable)"};
  std::vector<std::string> names;
  for (const auto& site : book.sites)
    names.push_back(site.name);
  return names;
}

// Reads the program's stdout until a line arrives; empty when none did in time.
QString nextLine(QProcess& process) {
  QDeadlineTimer deadline(kProgramTimeoutMs);
  while (!process.canReadLine()) {
    if (deadline.hasExpired() || !process.waitForReadyRead(500)) {
      if (deadline.hasExpired() || process.state() != QProcess::Running) return {};
    }
  }
  return QString::fromUtf8(process.readLine()).trimmed();
}

// This test program, started again as varnel with a script (scripted_varnel.h).
void startScripted(QProcess& process, const TempDir& dir, const char* scenario) {
  process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process.start(QApplication::applicationFilePath(),
                {kScriptedVarnelFlag, QString::fromStdString(dir.path()), scenario});
  QVERIFY(process.waitForStarted());
}

// varnel started on a data directory whose book holds two sites, its main window open; the
// start-up box is answered.
struct OnTwoSites {
  TempDir dir;
  CVarnelApp program{dir.path()};
  ModalScript script;
  app::ui::CMainFrame* frame = nullptr;

  bool start() {
    if (!twoSites().save(bookPath(dir)).ok()) return false;
    script.then(ModalScript::accept());
    if (!program.startUp()) return false;
    frame = program.openMainWindow();
    return frame != nullptr;
  }
};

}  // namespace

class BookSafetyTest : public QObject {
  Q_OBJECT

 private slots:
  void aChangeIsInTheFileAtOnceAndADamagedFileIsMovedAsideOnlyThen();
  void aDamagedFileSurvivesAStartAndAnExitByteForByte();
  void anotherProgramsChangeIsAskedAboutBeforeWriting();
  void anotherProgramsChangeIsReadOnlyAfterTheDialogCloses();
  void killedRightAfterADialogsOkTheChangeIsInTheFile();
  void sigtermRunsTheExitSequence();
  void sigtermDuringAStartUpMessageEndsTheProgramThroughItsExitSequence();
};

void BookSafetyTest::aDamagedFileSurvivesAStartAndAnExitByteForByte() {
  TempDir dir;
  writeFile(bookPath(dir), kDamaged);
  for (int start = 0; start < 2; ++start) {
    CVarnelApp program(dir.path());
    QString shown;
    ModalScript script;
    script.then(ModalScript::answer(QMessageBox::Ok, &shown)).then(ModalScript::accept());
    QVERIFY(program.startUp());
    QVERIFY(shown.contains("Z2500SiteManage.dat.unreadable"));
    program.openMainWindow()->runCommand(i18n::ID_FILE_EXIT);
    program.shutDown();
    QCOMPARE(readFile(bookPath(dir)), std::string(kDamaged));
    QVERIFY(!exists(bookPath(dir) + ".unreadable"));
  }
}

void BookSafetyTest::aChangeIsInTheFileAtOnceAndADamagedFileIsMovedAsideOnlyThen() {
  TempDir dir;
  writeFile(bookPath(dir), kDamaged);
  CVarnelApp program(dir.path());
  ModalScript script;
  script.then(ModalScript::accept()).then(ModalScript::accept());
  QVERIFY(program.startUp());
  app::ui::CMainFrame* frame = program.openMainWindow();
  program.state().book = twoSites();
  frame->bookChanged();
  QCOMPARE(readFile(bookPath(dir) + ".unreadable"), std::string(kDamaged));
  QCOMPARE(siteNames(bookPath(dir)), (std::vector<std::string>{"Depot", "Yard"}));
  program.state().book.sites.pop_back();
  frame->bookChanged();
  QCOMPARE(siteNames(bookPath(dir)), std::vector<std::string>{"Depot"});
  QCOMPARE(readFile(bookPath(dir) + ".unreadable"), std::string(kDamaged));
}

void BookSafetyTest::anotherProgramsChangeIsAskedAboutBeforeWriting() {
  OnTwoSites varnel;
  QVERIFY(varnel.start());
  TempDir& dir = varnel.dir;
  CVarnelApp& program = varnel.program;
  ModalScript& script = varnel.script;
  app::ui::CMainFrame* frame = varnel.frame;
  addressbook::CAddressBook& book = program.state().book;

  // Yes: their file is read and the change made here is dropped.
  QVERIFY(twoSites("Theirs").save(bookPath(dir)).ok());
  book.sites.pop_back();
  QString question;
  script.then(ModalScript::answer(QMessageBox::Yes, &question));
  frame->bookChanged();
  QVERIFY(question.contains("changed by another program"));
  QCOMPARE(book.sites.size(), size_t{2});
  QCOMPARE(book.sites.front().name, std::string("Theirs"));

  // No: the book here is written over theirs.
  QVERIFY(twoSites("Third").save(bookPath(dir)).ok());
  book.sites.pop_back();
  script.then(ModalScript::answer(QMessageBox::No));
  frame->bookChanged();
  QCOMPARE(siteNames(bookPath(dir)), std::vector<std::string>{"Theirs"});

  // Nothing new here at exit: their later file stays, and nothing is asked.
  QVERIFY(twoSites("Fourth").save(bookPath(dir)).ok());
  program.shutDown();
  QCOMPARE(script.pending(), size_t{0});
  QCOMPARE(siteNames(bookPath(dir)), (std::vector<std::string>{"Fourth", "Yard"}));
}

void BookSafetyTest::anotherProgramsChangeIsReadOnlyAfterTheDialogCloses() {
  OnTwoSites varnel;
  QVERIFY(varnel.start());
  TempDir& dir = varnel.dir;
  CVarnelApp& program = varnel.program;
  ModalScript& script = varnel.script;
  app::ui::CMainFrame* frame = varnel.frame;

  // Site Settings: another program writes the file, then the user removes a site and chooses
  // that program's file; the dialog still lists the book until it closes.
  bool available = true;
  size_t sitesWhileOpen = 0;
  script.then([&](QWidget* w) {
    if (qobject_cast<QMessageBox*>(w) != nullptr) {
      available = false;
      qobject_cast<QMessageBox*>(w)->accept();
      return;
    }
    QVERIFY(twoSites("Theirs").save(bookPath(dir)).ok());
    auto* list = qobject_cast<QListWidget*>(i18n::ui::findControl(w, i18n::kIdSiteList));
    list->setCurrentRow(1);
    qobject_cast<QAbstractButton*>(i18n::ui::findControl(w, i18n::kIdSiteRemove))->click();
  });
  script.then(ModalScript::answer(QMessageBox::Yes));  // remove "Yard"?
  script.then(ModalScript::answer(QMessageBox::Yes));  // read the other program's file?
  script.then([&](QWidget* w) {
    sitesWhileOpen = program.state().book.sites.size();
    qobject_cast<QDialog*>(w)->reject();
  });
  frame->runCommand(i18n::ID_SITE_SETTINGS);
  QVERIFY2(available, "Site Settings showed a message instead of its window");
  QCOMPARE(sitesWhileOpen, size_t{1});
  QCOMPARE(program.state().book.sites.front().name, std::string("Theirs"));
  QCOMPARE(program.state().book.sites.size(), size_t{2});
  QCOMPARE(siteNames(bookPath(dir)), (std::vector<std::string>{"Theirs", "Yard"}));
}

void BookSafetyTest::killedRightAfterADialogsOkTheChangeIsInTheFile() {
  TempDir dir;
  QVERIFY(twoSites().save(bookPath(dir)).ok());
  QProcess varnel;
  startScripted(varnel, dir, kRemoveFirstSite);
  const QString line = nextLine(varnel);
  ::kill(static_cast<pid_t>(varnel.processId()), SIGKILL);
  varnel.waitForFinished();
  QCOMPARE(line, QString(kChanged));
  QCOMPARE(varnel.exitStatus(), QProcess::CrashExit);
  QCOMPARE(siteNames(bookPath(dir)), std::vector<std::string>{"Yard"});
}

void BookSafetyTest::sigtermRunsTheExitSequence() {
  for (const int stop : {SIGTERM, SIGINT}) {
    TempDir dir;
    const platform::ProfileFile profile = varnel_profile::open(dir.path());
    QVERIFY(profile.writeString("SendInfo", "LastPhone", "5551234").ok());
    QProcess varnel;
    startScripted(varnel, dir, kJustStart);
    QCOMPARE(nextLine(varnel), QString(kReady));
    ::kill(static_cast<pid_t>(varnel.processId()), stop);
    QVERIFY(varnel.waitForFinished(kProgramTimeoutMs));
    QCOMPARE(varnel.exitStatus(), QProcess::NormalExit);
    QCOMPARE(varnel.exitCode(), 0);
    QCOMPARE(profile.readString("SendInfo", "LastPhone"), std::string("5551234"));
    QCOMPARE(profile.readString("SendInfo", "SignAddress", "absent"), std::string());
    QVERIFY(exists(bookPath(dir)));  // the missing site manage file was created at exit
  }
}

void BookSafetyTest::sigtermDuringAStartUpMessageEndsTheProgramThroughItsExitSequence() {
  // The real program: the damaged file's message box waits for an answer that never comes.
  TempDir dir;
  writeFile(bookPath(dir), kDamaged);
  QProcess varnel;
  varnel.setProcessChannelMode(QProcess::ForwardedChannels);
  varnel.start(VARNEL_PATH, {"--data-dir", QString::fromStdString(dir.path())});
  QVERIFY(varnel.waitForStarted());
  // The language file is written at the start of start-up, once the signals are varnel's.
  QElapsedTimer waited;
  waited.start();
  while (!exists(dir.file("Language/Multi_eng.ini")) && waited.elapsed() < kProgramTimeoutMs)
    QTest::qWait(20);
  ::kill(static_cast<pid_t>(varnel.processId()), SIGTERM);
  QVERIFY(varnel.waitForFinished(kProgramTimeoutMs));
  QCOMPARE(varnel.exitStatus(), QProcess::NormalExit);
  QCOMPARE(readFile(bookPath(dir)), std::string(kDamaged));
  const platform::ProfileFile profile = varnel_profile::open(dir.path());
  QCOMPARE(profile.readString("SendInfo", "LastSendType"), std::string("1"));
}

int main(int argc, char** argv) {
  if (argc >= 4 && std::string(argv[1]) == kScriptedVarnelFlag)
    return runScriptedVarnel(argc, argv);
  QApplication app(argc, argv);
  BookSafetyTest test;
  const int failed = QTest::qExec(&test, argc, argv);
  return failed + runEndToEndTests(argc, argv) + runRefusedWriteTests(argc, argv) == 0 ? 0 : 1;
}

#include "book_safety_test.moc"
