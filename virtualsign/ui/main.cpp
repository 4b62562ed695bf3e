// virtual-sign: a Z2500 sign in software. It listens like a network sign (TCP), or like a wired
// sign on a pseudo-terminal, or reads sign data files; keeps what it is sent; writes its state as
// JSON and its messages as PNG pictures; and, with a display, plays them on a window of LEDs.

#include <CLI/CLI.hpp>
#include <QApplication>
#include <csignal>
#include <ctime>
#include <iostream>
#include <memory>

#include "platform/atomic_file.h"
#include "virtualsign/playback.h"
#include "virtualsign/sign_line.h"
#include "virtualsign/state_json.h"
#include "virtualsign/ui/led_painting.h"
#include "virtualsign/ui/led_window.h"

namespace {

using namespace virtualsign;

volatile std::sig_atomic_t stopRequested = 0;
void requestStop(int) {
  stopRequested = 1;
}

struct Options {
  int address = 0;
  int width = 80;
  std::string colourMode = "monochrome";
  std::string listen = "127.0.0.1:5005";
  bool pty = false;
  bool headless = false;
  std::string stateFile;
  std::string pngDir;
  std::vector<std::string> files;
};

// What the sign's clock shows now: the host's time moved by the offset the sign was set with.
platform::LocalTime signNow(const SignState& state) {
  std::time_t t = std::time(nullptr) + (state.clock ? state.clock->offsetSeconds : 0);
  std::tm tm{};
  localtime_r(&t, &tm);
  return platform::LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
                             tm.tm_min,         tm.tm_sec,     tm.tm_wday, 0};
}

class VirtualSign {
 public:
  explicit VirtualSign(const Options& o) : options_(o), receiver_(initialState(o), clock_) {}

  SignReceiver& receiver() { return receiver_; }
  void setWindow(ui::LedWindow* window) { window_ = window; }
  int faults() const { return faults_; }

  // Tells what the bytes so far did: faults on stderr, the state file, the pictures, the window.
  void report(bool receptionEnded) {
    const auto& diagnostics = receiver_.diagnostics();
    for (size_t i = told_; i < diagnostics.size(); ++i) {
      std::cerr << "virtual-sign: byte " << diagnostics[i].offset << ": " << diagnostics[i].text
                << "\n";
    }
    faults_ += static_cast<int>(diagnostics.size() - told_);
    told_ = receptionEnded ? 0 : diagnostics.size();
    const SignState& state = receiver_.state();
    if (!options_.stateFile.empty()) {
      const platform::Status s =
          platform::writeFileAtomic(options_.stateFile, stateJson(state), 0644);
      if (!s.ok()) std::cerr << "virtual-sign: cannot write " << options_.stateFile << "\n";
    }
    const RenderContext context{&state, signNow(state)};
    QString error;
    if (!options_.pngDir.empty() &&
        !ui::writeMessagePngs(state, context, QString::fromStdString(options_.pngDir), &error)) {
      std::cerr << "virtual-sign: " << error.toStdString() << "\n";
    }
    if (window_) window_->play(buildScenes(context), state.width);
    if (receptionEnded) {
      std::cout << "reception: " << receiver_.recordsTaken() << " records taken, "
                << receiver_.recordsIgnored() << " for other signs, " << diagnostics.size()
                << " faults" << std::endl;
    }
  }

  bool receiveFile(const std::string& path) {
    const auto bytes = platform::readWholeFile(path);
    if (!bytes.ok()) {
      std::cerr << "virtual-sign: cannot read " << path << "\n";
      ++faults_;
      return false;
    }
    std::cout << path << ": ";
    receiveSignData(bytes.value(), receiver_);
    report(true);
    return true;
  }

 private:
  static SignState initialState(const Options& o) {
    SignState s;
    s.address = o.address;
    s.width = o.width;
    s.multiColour = o.colourMode == "bi-color";
    return s;
  }

  Options options_;
  platform::SystemClock clock_;
  SignReceiver receiver_;
  ui::LedWindow* window_ = nullptr;
  size_t told_ = 0;  // Diagnostics of this reception already printed.
  int faults_ = 0;
};

void defineOptions(CLI::App& app, Options& o) {
  app.add_option("--address", o.address, "This sign's address; 0 takes every record")
      ->check(CLI::Range(0, 255));
  app.add_option("--width", o.width, "Pixel width of the sign")->check(CLI::Range(1, 255));
  app.add_option("--colour-mode", o.colourMode, "monochrome or bi-color")
      ->check(CLI::IsMember({"monochrome", "bi-color"}));
  app.add_option("--listen", o.listen, "Listen on IPv4-ADDRESS:PORT like a network sign");
  app.add_flag("--pty", o.pty, "Listen on a new pseudo-terminal (its path is printed)");
  app.add_option("--state", o.stateFile, "Write the sign's state as JSON after every reception");
  app.add_option("--png", o.pngDir, "Write a PNG picture of every message into this folder");
  app.add_flag("--headless", o.headless, "No window, even when a display is there");
  app.add_option("files", o.files, "Sign data files (.bin) or streams to take, then exit");
}

bool displayThere() {
  return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || std::getenv("QT_QPA_PLATFORM");
}

// Opens the line the options name and prints where it is.
bool openLine(const Options& o, bool listenGiven, SignLine& line) {
  std::string error, path;
  if (o.pty) {
    if (!line.openPseudoTerminal(&path, &error))
      return std::cerr << "virtual-sign: " << error << "\n", false;
    std::cout << "pseudo-terminal: " << path << std::endl;
  }
  if (!o.pty || listenGiven) {
    const size_t colon = o.listen.rfind(':');
    const int port = colon == std::string::npos ? 0 : std::atoi(o.listen.c_str() + colon + 1);
    if (port < 0 || port > 65535 || colon == std::string::npos ||
        !line.listenTcp(o.listen.substr(0, colon), static_cast<uint16_t>(port), &error)) {
      std::cerr << "virtual-sign: " << (error.empty() ? "--listen wants ADDRESS:PORT" : error)
                << "\n";
      return false;
    }
    std::cout << "listening on " << o.listen.substr(0, colon) << ":" << line.tcpPort() << std::endl;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"A Z2500 moving-message sign in software"};
  Options o;
  defineOptions(app, o);
  CLI11_PARSE(app, argc, argv);
  const bool listenGiven = app.count("--listen") > 0;
  const bool windowed = !o.headless && displayThere();
  std::unique_ptr<QCoreApplication> qt;
  if (windowed) {
    qt = std::make_unique<QApplication>(argc, argv);
  } else {
    qt = std::make_unique<QCoreApplication>(argc, argv);
  }
  VirtualSign sign(o);
  std::unique_ptr<ui::LedWindow> window;
  if (windowed) {
    window = std::make_unique<ui::LedWindow>();
    sign.setWindow(window.get());
    window->show();
  }
  for (const std::string& file : o.files)
    sign.receiveFile(file);
  if (!o.files.empty() && !o.pty && !listenGiven) {
    return windowed ? qt->exec() : (sign.faults() == 0 ? 0 : 1);
  }
  SignLine line(sign.receiver(), [&sign](bool ended) { sign.report(ended); });
  if (!openLine(o, listenGiven, line)) return 1;
  if (windowed) {
    QTimer poller;
    QObject::connect(&poller, &QTimer::timeout, [&line] { line.poll(0); });
    poller.start(20);
    return qt->exec();
  }
  std::signal(SIGINT, requestStop);
  std::signal(SIGTERM, requestStop);
  while (!stopRequested)
    line.poll(500);
  return 0;
}
