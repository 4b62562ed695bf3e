// Measures real transfers of a workspace stream and compares the time taken with the time the
// protocol demands: the pauses it prescribes plus, on a serial line, bytes x 10 / baud. A ratio
// close to 1 means the transfer adds no delay of its own (target: at most 1.02).
//
//   cmake --build build --target benchmarks && ./build/bin/bench_transfer_ratio
//
// The serial run uses a pseudo-terminal, which does not throttle to the baud rate, so its ratio
// can fall below 1; the TCP run goes to a listener on 127.0.0.1.

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/data_dir.h"
#include "platform/profile_file.h"
#include "signlink/serial_link.h"
#include "signlink/sign_stream.h"
#include "signlink/stream_units.h"
#include "signlink/tcp_link.h"
#include "signlink/transfer.h"

namespace {

constexpr int kBaud = 9600;
constexpr int kBitsPerByte = 10;  // start bit, 8 data bits, stop bit

class NullObserver final : public signlink::TransferObserver {
 public:
  void setProgressRange(int) override {}
  void setProgress(int) override {}
  void setStatus(const std::string&) override {}
};

class LinkFrames final : public signlink::FrameLink {
 public:
  LinkFrames(signlink::SignLink& link, signlink::LinkKind kind) : link_(link), kind_(kind) {}
  signlink::LinkKind kind() const override { return kind_; }
  bool writeFrame(std::string_view frame) override { return link_.write(frame).ok(); }
  void close() override { link_.close(); }

 private:
  signlink::SignLink& link_;
  signlink::LinkKind kind_;
};

std::vector<signlink::TransmissionUnit> sampleUnits() {
  static workspace::Workspace ws;
  for (int m = 1; m <= 3; ++m) {
    workspace::MessageLine line;
    line.fileNumber = static_cast<int8_t>(m);
    for (int i = 0; i < 60; ++i)
      line.elements.push_back({static_cast<int16_t>('A' + i % 26), 1, 2, 0});
    ws.lines.push_back(line);
  }
  signlink::WorkspaceStreamInput in;
  in.workspace = &ws;
  return signlink::readStream(signlink::buildWorkspaceStream(in, {1})->stream).units;
}

double demandedMs(const std::vector<signlink::TransmissionUnit>& units, bool serial) {
  double ms = 0;
  for (const auto& u : units) {
    const size_t frames = (u.bytes.size() + signlink::kFrameSize - 1) / signlink::kFrameSize;
    if (serial) {
      ms += 1000.0 * static_cast<double>(u.bytes.size() * kBitsPerByte) / kBaud;
    } else {
      ms += static_cast<double>(frames * signlink::kFramePauseMs);
    }
    ms += signlink::unitPauseMs(u.label);
  }
  return ms;
}

template <typename Run>
double timedMs(Run run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

void report(const char* name, double taken, double demanded) {
  std::printf("%-8s taken %8.1f ms  demanded %8.1f ms  ratio %.4f\n", name, taken, demanded,
              taken / demanded);
}

void benchSerial(const std::vector<signlink::TransmissionUnit>& units) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
    std::printf("serial   no pseudo-terminal available\n");
    return;
  }
  std::thread reader([master] {
    char buf[4096];
    while (::read(master, buf, sizeof(buf)) > 0) {
    }
  });
  char dirTemplate[] = "/tmp/varnel-bench-XXXXXX";
  const std::string dir = ::mkdtemp(dirTemplate);
  const std::string profile = platform::joinPath(dir, "varnel.ini");
  platform::ProfileFile(profile).writeString("Ports", "COM1", ::ptsname(master));
  platform::SleepingPump pump;
  NullObserver observer;
  signlink::SignLink link(profile);
  if (link.open(nullptr, 1, kBaud) != 1) {
    std::printf("serial   cannot open the pseudo-terminal\n");
  } else {
    LinkFrames frames(link, signlink::LinkKind::kSerial);
    const double taken = timedMs([&] { signlink::transfer(units, frames, observer, pump); });
    report("serial", taken, demandedMs(units, true));
    link.close();
  }
  ::close(master);
  reader.join();
  ::unlink(profile.c_str());
  ::rmdir(dir.c_str());
}

void benchTcp(const std::vector<signlink::TransmissionUnit>& units) {
  const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof(addr);
  if (::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 ||
      ::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len) != 0 ||
      ::listen(listener, 1) != 0) {
    std::printf("tcp      cannot listen on loopback\n");
    return;
  }
  std::thread sign([listener] {
    const int conn = ::accept(listener, nullptr, nullptr);
    char buf[4096];
    while (conn >= 0 && ::read(conn, buf, sizeof(buf)) > 0) {
    }
    if (conn >= 0) ::close(conn);
  });
  platform::SleepingPump pump;
  NullObserver observer;
  signlink::SignLink link("");
  signlink::TcpLinkSocket tcp(pump);
  std::string error;
  if (tcp.connect("127.0.0.1", ntohs(addr.sin_port), 5, &error) == 1) {
    link.setSocket(&tcp);
    link.state().mode = signlink::kLinkTcp;
    LinkFrames frames(link, signlink::LinkKind::kTcp);
    const double taken = timedMs([&] { signlink::transfer(units, frames, observer, pump); });
    report("tcp", taken, demandedMs(units, false));
    link.close();
  } else {
    std::printf("tcp      %s\n", error.c_str());
  }
  sign.join();
  ::close(listener);
}

}  // namespace

int main() {
  const auto units = sampleUnits();
  std::printf("%zu units, %zu bytes, %d baud\n", units.size(), signlink::totalBytes(units), kBaud);
  benchSerial(units);
  benchTcp(units);
  return 0;
}
