#pragma once

// What the tests of sending from varnel's window share: varnel started on a private data
// directory with a given address book, the "Send option..." step, and the comparison of what a
// sign received with what `varnel-cli export` writes.

#include <QString>

#include <functional>
#include <string>
#include <vector>

#include "addressbook/address_book.h"
#include "app/ui/main_frame.h"
#include "app/ui/varnel_app.h"
#include "signlink/stream_units.h"
#include "tests/support/book_records.h"
#include "tests/support/pty_pair.h"
#include "tests/support/scripted_pump.h"
#include "tests/support/temp_dir.h"

class QWidget;

namespace send_testing {

using testing_support::device;
using testing_support::site;

// "Send option...": the kind and the name, then OK.
std::function<void(QWidget*)> choose(bool group, const QString& name);

// varnel started on a data directory holding `book` and COM3/COM4 mapped to two
// pseudo-terminals, with the main window open and every send on a fake clock.
class Station {
 public:
  explicit Station(const addressbook::CAddressBook& book);

  // Types `text` into the editor and saves the workspace as `name`; returns its path.
  std::string typeAndSave(const char* text, const std::string& name);

  // The units `varnel-cli export` writes for the saved workspace and `addresses`.
  std::vector<signlink::TransmissionUnit> exported(const std::string& workspace,
                                                   const std::string& addresses);

  testing_support::TempDir dir;
  testing_support::PtyPair wire3, wire4;
  testing_support::ScriptedPump pump;
  app::ui::CMainFrame* frame = nullptr;

 private:
  app::ui::CVarnelApp app_;
};

// True when `received` is exactly `units`, the set-time record's clock fields aside.
bool sameExceptTime(const std::string& received,
                    const std::vector<signlink::TransmissionUnit>& units);

// The bytes a sign receives for `stream`: its units, one after the other.
std::string transmitted(const std::string& stream);

}  // namespace send_testing

// `test_qt_send --dialling-varnel DIR` runs varnel itself on the data directory DIR (set up by the
// test): it confirms the setup dialog, runs the test sequence to the group "Calls" and dials until
// it is stopped (send_exit_test.cpp).
inline constexpr char kDiallingVarnelFlag[] = "--dialling-varnel";
int runDiallingVarnel(int argc, char** argv);
