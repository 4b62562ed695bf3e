// The documentation's screenshots: varnel's main window, the setup dialog, the Insert menu's
// dialogs, the address book's dialogs, the send windows and the scheduler, written as PNG files
// to the folder given as the argument. Not a test: the `screenshots` build target runs it on the
// offscreen platform to refresh docs/:
//   cmake --build build --target screenshots

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTest>
#include <cstdio>
#include <tuple>
#include <utility>

#include "addressbook/address_book.h"
#include "app/ui/live_preview_pane.h"
#include "app/ui/main_frame.h"
#include "app/ui/sign_setup_dialog.h"
#include "app/ui/varnel_app.h"
#include "app/ui/varnel_view.h"
#include "i18n/language_module.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "signlink/send_pipeline.h"
#include "signlink/ui/dial_up_window.h"
#include "signlink/ui/scheduler_dialog.h"
#include "signlink/ui/send_option_dialog.h"
#include "signlink/ui/send_progress_window.h"
#include "tests/qt_varnel/screenshots/shots.h"
#include "tests/support/temp_dir.h"
#include "workspace/sign_tables.h"
#include "workspace/ui/control_list_dialog.h"
#include "workspace/ui/picture_area.h"
#include "workspace/ui/picture_dialog.h"

using app::ui::CMainFrame;
using app::ui::CSignSetupDialog;
using app::ui::CVarnelApp;
using app::ui::CVarnelView;

namespace {

constexpr int kScreenshotWidth = 1000;
constexpr int kScreenshotHeight = 560;

void type(workspace::EditorModel& model, const char* text) {
  for (const char* c = text; *c != '\0'; ++c)
    model.typeCharacter(static_cast<unsigned char>(*c));
}

// A few messages as an operator writes them: effects, colours, fonts, time and date, pictures.
void writeMessages(workspace::EditorModel& m) {
  m.insertControl(workspace::kControlTransition, 3);
  m.setColour(1);
  type(m, "OPEN ");
  m.setColour(7);
  type(m, "7 DAYS ");
  m.setColour(5);
  m.insertItem(workspace::kKindTime, 0);
  m.newMessage();
  m.insertControl(workspace::kControlSpeed, 3);
  m.insertItem(workspace::kKindSymbol, 4 + workspace::kInsertItemCodeOffset);
  m.setFont(3);
  m.setColour(5);
  type(m, "SALE ");
  m.setColour(9);
  type(m, "50%");
  m.insertControl(workspace::kControlPause, 2);
  m.newMessage();
  m.setFont(2);
  m.setColour(3);
  m.insertItem(workspace::kKindDate, 0);
  m.setColour(12);
  type(m, " Today");
  m.insertControl(workspace::kControlBeep, 1);
  m.newMessage();
  m.setColour(1);
  m.insertItem(workspace::kKindPredefinedBitmap, 1 + workspace::kInsertItemCodeOffset);
  m.setColour(6);
  type(m, " Welcome!");
}

bool mainWindowAndSetupDialog(const QString& out) {
  testing_support::TempDir dir;
  CVarnelApp app(dir.path());
  app.language().init();
  CSignSetupDialog setup(varnel_profile::SignSettings{}, app.language());
  if (!save(setup, out, "varnel_setup")) return false;

  app.state().sign.colourMode = 2;
  CMainFrame frame(app.language(), app.state());
  frame.resize(kScreenshotWidth, kScreenshotHeight);
  writeMessages(frame.view()->model());
  frame.view()->setFocus();
  frame.view()->chooseColour(frame.view()->model().currentColour());
  // The live preview a moment into the message the caret is in.
  auto* preview = frame.findChild<app::ui::LivePreviewPane*>();
  preview->refresh();
  preview->advance(1500);
  const bool saved = save(frame, out, "varnel_main");
  frame.document().setModified(false);
  return saved;
}

bool insertDialogs(const QString& out) {
  using workspace::ui::ControlListDialog;
  using workspace::ui::PictureDialog;
  testing_support::TempDir dir;
  i18n::LanguageModule language(dir.path());
  language.init();
  const std::pair<int, const char*> lists[] = {{workspace::kControlTransition, "insert_effect"},
                                               {workspace::kControlCartoon, "insert_cartoon"},
                                               {workspace::kControlBeep, "insert_beep"},
                                               {workspace::kControlSpeed, "insert_speed"},
                                               {workspace::kControlPause, "insert_pause"}};
  for (const auto& [type, name] : lists) {
    ControlListDialog dialog(nullptr, type, language);
    if (!save(dialog, out, name)) return false;
  }
  const std::tuple<workspace::ElementKind, int, const char*> pictures[] = {
      {workspace::kKindSymbol, 8, "insert_symbols"},
      {workspace::kKindPredefinedBitmap, 0, "insert_bitmaps"},
      {workspace::kKindSpecialCharacter, 20, "insert_special_characters"}};
  for (const auto& [kind, selection, name] : pictures) {
    PictureDialog dialog(nullptr, kind, language);
    dialog.area()->setSelection(selection);
    if (!save(dialog, out, name)) return false;
  }
  return true;
}

// The send windows: "Send option...", the progress window in the middle of a send and the dial-up
// window while a modem dials.
bool sendWindows(const QString& out) {
  testing_support::TempDir dir;
  i18n::LanguageModule language(dir.path());
  language.init();
  addressbook::CAddressBook book;
  book.sites.resize(2);
  book.sites[0].name = "Main Street";
  book.sites[1].name = "Station Square";
  book.groups = {{"Downtown", {"Main Street", "Station Square"}}};
  signlink::SendOptionMemory memory{false, "Station Square", ""};
  signlink::ui::CSendOptionDialog option(book, &memory, language);
  if (!save(option, out, "send_option")) return false;

  signlink::ui::CSendProgressWindow progress(language);
  signlink::SendItem item;
  item.kind = signlink::kItemTcpIp;
  item.targetName = "Downtown signs";
  progress.setCommandLine(i18n::formatText(i18n::text(i18n::IDS_SENDING_FILE), {1LL, 2LL}));
  progress.setDestinationLine(signlink::destinationLine(item));
  progress.setAddressLine(
      i18n::formatText(i18n::text(i18n::IDS_DESTINATION_ADDRESSES), {std::string("1,3,5-7")}));
  progress.setStatus(i18n::formatText(i18n::text(i18n::IDS_SENDING_FRAME),
                                      {i18n::text(i18n::IDS_PROGRESS_TEXT_DATA) + " ", 3LL, 5LL}));
  progress.setProgressRange(1450);
  progress.setProgress(1050);
  if (!save(progress, out, "send_progress")) return false;

  signlink::ui::CDialUpWindow dialUp(language);
  dialUp.showDialledNumber("5551234");
  dialUp.setStatusLine(i18n::text(i18n::IDS_DIALING_WAIT));
  return save(dialUp, out, "dial_up");
}

// "Scheduler and Special Functions" on its first page: a task of three messages on weekdays.
bool schedulerSheet(const QString& out) {
  testing_support::TempDir dir;
  i18n::LanguageModule language(dir.path());
  language.init();
  workspace::SchedulerSettings settings;
  workspace::SchedulerTask& task = settings.tasks[0];
  task.days = {0, 1, 1, 1, 1, 1, 0};
  task.startHour = 8;
  task.endHour = 18;
  task.endMinute = 30;
  task.files = {3, 0, 1};
  signlink::ui::CSchedulerDialog dialog(settings, 4, language);
  return save(dialog, out, "varnel_scheduler");
}

}  // namespace

bool save(QWidget& widget, const QString& out, const char* name) {
  widget.show();
  if (!QTest::qWaitForWindowExposed(&widget)) return false;
  QTest::qWait(50);
  return widget.grab().save(QString("%1/%2.png").arg(out, name));
}

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const QString out = QFile::decodeName(argv[1]);
  QDir().mkpath(out);
  if (!mainWindowAndSetupDialog(out) || !insertDialogs(out) || !addressBookDialogs(out) ||
      !deviceDialogs(out) || !sendWindows(out) || !schedulerSheet(out) || !bitmapDialogs(out) ||
      !bitmapEditorShot(out) || !varnelBesideTheVirtualSign(out)) {
    std::fprintf(stderr, "%s: a screenshot could not be written to %s\n", argv[0], argv[1]);
    return 1;
  }
  return 0;
}
