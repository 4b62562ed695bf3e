#include "tests/qt_send/send_station_fixture.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QRadioButton>
#include <QTest>

#include "app/ui/varnel_view.h"
#include "i18n/dialog_controls.h"
#include "i18n/ui/qt_language_targets.h"
#include "platform/profile_file.h"
#include "signlink/sign_data_file.h"
#include "tests/qt_varnel/modal_script.h"
#include "tests/support/run_command.h"

namespace send_testing {

namespace {

// The set-time record's last 16 bytes: weekday, format, twelve digits, end mark, terminator.
constexpr size_t kTimeFieldBytes = 16;

}  // namespace

std::function<void(QWidget*)> choose(bool group, const QString& name) {
  return [group, name](QWidget* w) {
    qobject_cast<QRadioButton*>(
        i18n::ui::findControl(w, group ? i18n::kIdSendGroup : i18n::kIdSendSite))
        ->click();
    auto* list = qobject_cast<QComboBox*>(i18n::ui::findControl(w, i18n::kIdSendTargetList));
    list->setCurrentIndex(list->findText(name));
    qobject_cast<QDialog*>(w)->accept();
  };
}

Station::Station(const addressbook::CAddressBook& book) : app_(dir.path()) {
  platform::ProfileFile ini(dir.file("varnel.ini"));
  ini.writeString("Ports", "COM3", wire3.slavePath());
  ini.writeString("Ports", "COM4", wire4.slavePath());
  if (!book.save(addressbook::sitePath(dir.path())).ok()) return;  // frame stays null
  ModalScript script;
  script.then(ModalScript::accept());  // the setup dialog
  if (app_.startUp()) frame = app_.openMainWindow();
  pump.onDispatch = [](int) { QCoreApplication::processEvents(); };
  if (frame != nullptr) frame->setSendPump(&pump);
}

std::string Station::typeAndSave(const char* text, const std::string& name) {
  QTest::keyClicks(frame->view(), text);
  const std::string path = dir.file(name);
  return frame->document().save(path).ok() ? path : std::string();
}

std::vector<signlink::TransmissionUnit> Station::exported(const std::string& workspace,
                                                          const std::string& addresses) {
  const std::string out = dir.file("export.bin");
  const auto r = testing_support::runCli({"--data-dir", dir.path(), "export", "workspace",
                                          workspace, "--addresses", addresses, "-o", out});
  const std::string file = testing_support::readFile(out);
  std::string_view stream;
  if (r.exitCode != 0 || !signlink::signDataFileStream(file, &stream)) {
    qWarning("varnel-cli export failed: %s", r.err.c_str());
    return {};
  }
  return signlink::readStream(stream).units;
}

bool sameExceptTime(const std::string& received,
                    const std::vector<signlink::TransmissionUnit>& units) {
  std::string expected;
  size_t timeEnd = 0;
  for (const auto& unit : units) {
    expected += unit.bytes;
    if (unit.label == "8") timeEnd = expected.size();
  }
  if (received.size() != expected.size() || timeEnd < kTimeFieldBytes) return false;
  const size_t timeStart = timeEnd - kTimeFieldBytes;
  return received.compare(0, timeStart, expected, 0, timeStart) == 0 &&
         received.compare(timeEnd, std::string::npos, expected, timeEnd) == 0;
}

std::string transmitted(const std::string& stream) {
  std::string bytes;
  for (const auto& u : signlink::readStream(stream).units)
    bytes += u.bytes;
  return bytes;
}

}  // namespace send_testing
