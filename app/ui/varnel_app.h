#pragma once

#include <QString>
#include <memory>
#include <string>

#include "app/startup_sequence.h"
#include "i18n/language_module.h"

namespace app::ui {

class CMainFrame;

// varnel's application object: owns the language module, the application-wide state and the main
// window, runs the start-up sequence (language first, profile, site manage file, the setup dialog,
// the picture file), opens the main window maximized and runs the exit sequence at the end, also
// when start-up was cancelled.
class CVarnelApp final : public app::StartupUi {
 public:
  explicit CVarnelApp(std::string dataDir);
  ~CVarnelApp() override;
  CVarnelApp(const CVarnelApp&) = delete;
  CVarnelApp& operator=(const CVarnelApp&) = delete;

  i18n::LanguageModule& language() { return language_; }
  app::AppState& state() { return state_; }
  CMainFrame* mainWindow() const { return frame_.get(); }

  // The start-up sequence; false when the program must end (the setup dialog was cancelled).
  bool startUp();
  // Creates the main window, opens `file` when one is given and shows the window maximized.
  CMainFrame* openMainWindow(const QString& file = {});
  // The exit sequence; runs once (later calls do nothing). Closes the main window first. When
  // another program changed the site manage file and the book holds changes of its own, asks
  // which to keep, unless the program is being stopped (then the other program's file is kept).
  void shutDown();
  // Ends every running event loop, open dialogs' included, so that run() goes on to the exit
  // sequence without asking anything: what SIGINT, SIGTERM and the end of the desktop session do.
  void requestStop();
  bool stopRequested() const { return stopping_; }
  // The whole program: start-up, the main window, the event loop, the exit sequence. SIGINT,
  // SIGTERM and the end of the desktop session end it through requestStop().
  int run(const QString& file);

  // app::StartupUi
  void showMessage(const std::string& text) override;
  bool runSetupDialog(varnel_profile::SignSettings* settings) override;

 private:
  app::AppState state_;
  i18n::LanguageModule language_;
  std::unique_ptr<CMainFrame> frame_;
  bool shutDown_ = false;  // The exit sequence has run.
  bool stopping_ = false;  // requestStop() was called.
};

}  // namespace app::ui
