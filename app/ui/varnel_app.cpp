#include "app/ui/varnel_app.h"

#include <QApplication>
#include <QScreen>

#include "app/ui/main_frame.h"
#include "app/ui/message_box.h"
#include "app/ui/sign_setup_dialog.h"
#include "app/ui/varnel_view.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"

namespace app::ui {
namespace {

// Screens of this many bits per pixel or fewer cannot show every colour of the preview.
constexpr int kLowColourDepth = 8;

}  // namespace

CVarnelApp::CVarnelApp(std::string dataDir) : language_(dataDir) {
  state_.dataDir = std::move(dataDir);
}

CVarnelApp::~CVarnelApp() {
  shutDown();
}

bool CVarnelApp::startUp() {
  return app::startUp(&state_, &language_, *this);
}

CMainFrame* CVarnelApp::openMainWindow(const QString& file) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen != nullptr && screen->depth() <= kLowColourDepth) {
    app::ui::showWarning(nullptr, i18n::text(i18n::IDS_LOW_COLOUR_SCREEN));
  }
  frame_ = std::make_unique<CMainFrame>(language_, state_);
  if (!file.isEmpty()) frame_->view()->openDocument(file);
  // Sized to the screen first: without a window manager (or with one that ignores the request)
  // "maximized" alone leaves the window at its smallest.
  if (screen != nullptr) frame_->setGeometry(screen->availableGeometry());
  frame_->showMaximized();
  return frame_.get();
}

void CVarnelApp::shutDown() {
  if (shutDown_) return;
  shutDown_ = true;
  frame_.reset();
  app::shutDown(&state_);
}

int CVarnelApp::run(const QString& file) {
  if (!startUp()) {
    shutDown();
    return 0;
  }
  openMainWindow(file);
  const int status = QApplication::exec();
  shutDown();
  return status;
}

void CVarnelApp::showMessage(const std::string& text) {
  app::ui::showWarning(nullptr, text);
}

bool CVarnelApp::runSetupDialog(varnel_profile::SignSettings* settings) {
  CSignSetupDialog dialog(*settings, language_);
  if (dialog.exec() != QDialog::Accepted) return false;
  *settings = dialog.settings();
  return true;
}

}  // namespace app::ui
