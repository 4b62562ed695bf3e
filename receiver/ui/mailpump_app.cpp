#include "receiver/ui/mailpump_app.h"

#include <iostream>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QSystemTrayIcon>

#include "platform/cp1252.h"
#include "platform/data_dir.h"
#include "platform/ui/qt_text.h"
#include "platform/ui/stop_signals.h"
#include "receiver/mailbox_tls.h"
#include "receiver/receiver_paths.h"
#include "receiver/receiver_settings.h"
#include "receiver/ui/mailpump_window.h"
#include "receiver/ui/single_instance.h"
#include "receiver/ui/window_texts.h"

namespace receiver::ui {

namespace {

constexpr char kProgramName[] = "mailpump";
// How long a second start keeps trying to reach the first one, which may still be starting.
constexpr int kActivateTimeoutMs = 5000;

void warn(const std::string& text) {
  QMessageBox::warning(nullptr, QString::fromLatin1(texts::kWarningTitle),
                       platform::ui::fromCp1252(text));
}

}  // namespace

int runWindowedProgram(QApplication& app, const std::string& dataDirArgument) {
  const platform::Result<std::string> resolved =
      platform::resolveDataDir(dataDirArgument, kProgramName);
  if (!resolved.ok()) {
    std::cerr << resolved.message() << '\n';
    warn(resolved.message());
    return 1;
  }
  const std::string& dataDir = *resolved;

  SingleInstance instance(QFile::decodeName(dataDir.c_str()));
  QString lockError;
  if (!instance.acquire(&lockError)) {
    if (instance.isOtherInstanceRunning()) {
      if (instance.activateRunningInstance(kActivateTimeoutMs)) return 0;
      std::cerr << texts::kSecondStartFailed << '\n';
      return 0;
    }
    // Without a lock file the program still works; it just cannot keep a second start away.
    std::cerr << lockError.toLocal8Bit().constData() << '\n';
  }

  // Answer later starts from now on: while a start-up message box waits, it is what they raise.
  QString listenError;
  if (instance.acquired() && !instance.listen(&listenError))
    std::cerr << listenError.toLocal8Bit().constData() << '\n';
  QObject::connect(&instance, &SingleInstance::activationRequested, &app, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      modal->raise();
      modal->activateWindow();
    }
  });

  const ReceiverPaths paths(dataDir);
  ReceiverSettings settings;
  const platform::Status load = loadReceiverSettings(paths, &settings);
  if (!load.ok()) warn(load.message());
  // The window keeps working without them: a mail that cannot be saved stays on its server.
  bool saveReady = false;
  for (const std::string& problem : paths.makeWorkingDirectories(&saveReady)) {
    std::cerr << problem << '\n';
    warn(platform::utf8ToCp1252Lossy(problem));
  }

  WindowOptions options;
  options.trayAvailable = QSystemTrayIcon::isSystemTrayAvailable();
  options.programPath = QFile::encodeName(QApplication::applicationFilePath()).toStdString();
  if (!dataDirArgument.empty())
    options.dataDirArgument =
        QFile::encodeName(QDir(QFile::decodeName(dataDirArgument.c_str())).absolutePath())
            .toStdString();
  options.settingsLoad = load;

  app.setQuitOnLastWindowClosed(false);
  CMailpumpWindow window(settings, paths, options);
  QObject::connect(&window, &CMailpumpWindow::exited, &app, &QApplication::quit);
  QObject::connect(&instance, &SingleInstance::activationRequested, &window,
                   &CMailpumpWindow::showMe);
  // SIGINT and SIGTERM (a session ending, a service stopping) run the exit sequence, so the
  // settings are saved as when "Exit" is chosen.
  platform::ui::StopSignals stopSignals;
  QObject::connect(&stopSignals, &platform::ui::StopSignals::stopRequested, &window,
                   [&window] { window.exitProgram(); });

  window.start();
  app.exec();
  // Ended some other way than the exit sequence (the session closed the display): save anyway.
  window.exitProgram();
  return 0;
}

}  // namespace receiver::ui
