#include "app/ui/varnel_app.h"

#include <QApplication>
#include <QScreen>
#include <QSessionManager>

#include "app/ui/book_questions.h"
#include "app/ui/desktop_window.h"
#include "app/ui/main_frame.h"
#include "app/ui/message_box.h"
#include "app/ui/sign_setup_dialog.h"
#include "app/ui/varnel_view.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "platform/ui/stop_signals.h"

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
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen != nullptr && screen->depth() <= kLowColourDepth) {
    app::ui::showWarning(nullptr, i18n::text(i18n::IDS_LOW_COLOUR_SCREEN));
  }
  frame_ = std::make_unique<CMainFrame>(language_, state_);
  if (!file.isEmpty()) frame_->view()->openDocument(file);
  app::ui::showMaximizedOnScreen(frame_.get(), screen);
  return frame_.get();
}

void CVarnelApp::shutDown() {
  if (shutDown_) return;
  shutDown_ = true;
  frame_.reset();
  app::ForeignChangeQuestion ask;
  if (!stopping_) {
    ask = [this] { return askAboutForeignChange(nullptr, state_.bookKeeper.path()); };
  }
  app::shutDown(&state_, ask);
}

void CVarnelApp::requestStop() {
  stopping_ = true;
  // A send under way (a dial, a transfer) ends first; its wait loop is not an event loop.
  if (frame_) frame_->stopSend();
  // Ends the main loop and every dialog's loop; a loop started after this returns at once.
  QCoreApplication::exit(0);
}

int CVarnelApp::run(const QString& file) {
  platform::ui::StopSignals stopSignals;
  QObject::connect(&stopSignals, &platform::ui::StopSignals::stopRequested, qApp,
                   [this] { requestStop(); });
  const QMetaObject::Connection sessionEnd = QObject::connect(
      qApp, &QGuiApplication::commitDataRequest, qApp, [this](QSessionManager&) { requestStop(); });
  int status = 0;
  if (startUp() && !stopping_) {
    openMainWindow(file);
    // A stop that came before the main loop started is not lost: exec() would forget it.
    if (!stopping_) status = QApplication::exec();
  }
  QObject::disconnect(sessionEnd);
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
