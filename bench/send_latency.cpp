// Measures how responsive varnel's window stays while a send waits out the protocol's pauses: a
// workspace goes to a network sign on 127.0.0.1 through the send pipeline with the Qt pump and the
// real progress window, while a 5 ms window timer notes the largest gap between its ticks
// (target: below 50 ms). Real time: about fifteen seconds.
//
//   cmake --build build --target benchmarks && ./build/bin/bench_send_latency

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "addressbook/address_book.h"
#include "platform/ui/qt_message_pump.h"
#include "signlink/send_pipeline.h"
#include "signlink/ui/send_progress_window.h"
#include "tests/support/tcp_sign.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr int kTickMs = 5;
constexpr int kTargetMs = 50;

workspace::Workspace sampleWorkspace() {
  workspace::Workspace ws;
  for (int m = 1; m <= 3; ++m) {
    workspace::MessageLine line;
    line.fileNumber = static_cast<int8_t>(m);
    for (int i = 0; i < 200; ++i)
      line.elements.push_back({static_cast<int16_t>('A' + i % 26), 1, 2, 0});
    ws.lines.push_back(line);
  }
  return ws;
}

addressbook::CAddressBook networkBook(uint16_t port) {
  addressbook::CAddressBook book;
  addressbook::CDevice net;
  net.name = "Net";
  net.type = addressbook::DeviceType::kTcpIp;
  net.ipPort = port;
  book.devices = {net};
  addressbook::CSite site;
  site.name = "Tower";
  site.deviceName = "Net";
  site.signAddresses = "1";
  site.networkTarget = "signs";
  book.sites = {site};
  book.tcpIpGroups = {{"signs", "127.0.0.1"}};
  return book;
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  testing_support::TcpSign sign;
  testing_support::TempDir dir;
  const addressbook::CAddressBook book = networkBook(sign.port());
  const workspace::Workspace ws = sampleWorkspace();

  platform::ui::QtMessagePump pump;
  platform::SystemClock clock;
  signlink::SignLink link(dir.file("varnel.ini"));
  signlink::TcpLinkSocket tcp(pump);
  i18n::LanguageModule language(dir.path());
  signlink::ui::CSendProgressWindow progress(language);
  signlink::SendEnvironment env(book, link, pump, progress,
                                [&ws, &clock](const std::vector<uint8_t>& addresses) {
                                  signlink::WorkspaceStreamInput in;
                                  in.workspace = &ws;
                                  in.now = clock.now();
                                  return signlink::buildWorkspaceStream(in, addresses);
                                });
  env.tcp = &tcp;

  QElapsedTimer sinceTick;
  qint64 largestGap = 0;
  long ticks = 0;
  QTimer ticker;
  ticker.setTimerType(Qt::PreciseTimer);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    if (ticks++ > 0) largestGap = std::max(largestGap, sinceTick.elapsed());
    sinceTick.restart();
  });
  ticker.start(kTickMs);
  progress.show();

  QElapsedTimer total;
  total.start();
  const signlink::SendSummary summary =
      signlink::runSendCommand(env, signlink::SendCommand::kWorkspace, {false, "Tower"});
  std::printf("send: %s, %.1f s, %zu bytes received, %ld timer ticks\n",
              summary.allSucceeded() ? "succeeded" : "FAILED", total.elapsed() / 1000.0,
              sign.received().size(), ticks);
  std::printf("largest gap between %d ms timer ticks: %lld ms (target below %d ms)\n", kTickMs,
              static_cast<long long>(largestGap), kTargetMs);
  return summary.allSucceeded() && largestGap < kTargetMs ? 0 : 1;
}
