// `mailpump --once` as a process against scripted hostile POP3 servers on loopback: a server that
// stalls in the middle of a mail, one that goes away in the middle of a mail, and a mail with a
// 10 MB header block and 10,000 attachments. The program ends within its time bound, stays within
// 64 MB, and loses nothing: a sign mail that came whole is in Save and deleted, one that did not is
// never deleted.

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "receiver/receiver_paths.h"
#include "receiver/receiver_settings.h"
#include "receiver/receiver_texts.h"
#include "signlink/sign_data_file.h"
#include "tests/receiver/receiver_fixture.h"
#include "tests/support/fake_pop3_server.h"
#include "tests/support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;
using testing_support::readFile;

// The program's peak memory may not pass this. AddressSanitizer's shadow memory and quarantine
// multiply what a process holds, so under it only the time and loss checks are made.
constexpr long kMemoryBoundKb = 64 * 1024;
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryMeasurable = false;
#else
constexpr bool kMemoryMeasurable = true;
#endif

// The wait guard of every POP3 command (30 s) and some room for a slow machine.
constexpr auto kStallBound = std::chrono::seconds(45);
constexpr auto kQuickBound = std::chrono::seconds(20);

std::string signFile(const std::string& text) {
  return signlink::signDataFileBytes(std::string{'\x01', '\0', static_cast<char>(text.size())} +
                                     text);
}

size_t countCommands(const std::vector<std::string>& commands, const std::string& start) {
  size_t n = 0;
  for (const std::string& c : commands)
    if (c.rfind(start, 0) == 0) ++n;
  return n;
}

// A scripted server stepped by a thread of its own while the program runs as a child process.
class ServerThread {
 public:
  explicit ServerThread(pop3_test::FakePop3Server& server) : server_(server) {
    thread_ = std::thread([this] {
      while (!done_) {
        server_.step();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    });
  }
  ~ServerThread() { join(); }
  // Afterwards the server may be looked at.
  void join() {
    done_ = true;
    if (thread_.joinable()) thread_.join();
  }

 private:
  pop3_test::FakePop3Server& server_;
  std::atomic<bool> done_{false};
  std::thread thread_;
};

struct ProgramRun {
  int status = -1;
  Clock::duration taken{};
  long peakKb = 0;
  std::string err;
};

// One receive cycle of the program on its own data directory, polling `server`.
class HostileProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(paths_.createWorkingDirectories());
    receiver::ReceiverSettings settings;
    settings.comPort = 7;  // Mapped to a missing device: forwarding fails at once.
    settings.mailboxes = {{"signs", "127.0.0.1", "signs", "pw", server_.port()}};
    ASSERT_TRUE(receiver::saveSettingsFile(paths_.settingsFile(), settings).ok());
    // A plain-text server, chosen as such: no CAPA before the log-in.
    testing_support::writeFile(paths_.profileFile(), "[Ports]\nCOM7=" + dir_.file("none") +
                                                         "\n[TLS]\nsigns.Policy=plain\n");
  }

  ProgramRun runOnce() {
    ProgramRun run;
    const std::string errFile = dir_.file("stderr");
    ServerThread stepping(server_);
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
      if (!freopen(errFile.c_str(), "w", stderr)) _exit(126);
      execl(MAILPUMP_PATH, MAILPUMP_PATH, "--data-dir", dir_.path().c_str(), "--once",
            static_cast<char*>(nullptr));
      _exit(127);
    }
    rusage usage{};
    if (pid > 0 && wait4(pid, &run.status, 0, &usage) == pid) {
      run.taken = Clock::now() - start;
      run.peakKb = usage.ru_maxrss;
    }
    stepping.join();
    run.err = readFile(errFile);
    return run;
  }

  void expectWithinBounds(const ProgramRun& run, Clock::duration bound) {
    EXPECT_TRUE(WIFEXITED(run.status)) << run.err;
    EXPECT_LT(run.taken, bound) << run.err;
    if (kMemoryMeasurable) {
      EXPECT_LT(run.peakKb, kMemoryBoundKb);
    }
  }

  const std::vector<std::string>& commands() const { return server_.commands(); }

  testing_support::TempDir dir_;
  const receiver::ReceiverPaths paths_{dir_.path()};
  pop3_test::FakePop3Server server_;
};

// Two sign mails; the first comes whole, the second is cut off after its first bytes.
std::function<std::string(const std::string&)> secondMailCutOff(const std::string& first) {
  return [first](const std::string& line) -> std::string {
    if (line == "STAT") return "+OK 2 6000\r\n";
    if (line == "LIST") return "+OK\r\n1 " + std::to_string(first.size()) + "\r\n2 5000\r\n.\r\n";
    if (line == "RETR 1") return "+OK\r\n" + first + ".\r\n";
    if (line == "RETR 2") return "+OK\r\nFrom: a\r\nSubject: Data for Z2500 series\r\n\r\nha";
    return "+OK\r\n";
  };
}

TEST_F(HostileProgramTest, AServerThatStallsMidMailIsGivenUpAtTheGuard) {
  server_.reply = secondMailCutOff(receiver_test::signMail("Z1.bin", signFile("first")));
  const ProgramRun run = runOnce();
  expectWithinBounds(run, kStallBound);
  EXPECT_EQ(readFile(paths_.saveDir() + "/Z1.bin"), signFile("first"));
  EXPECT_EQ(countCommands(commands(), "DELE"), 1u);
  EXPECT_EQ(countCommands(commands(), "DELE 2"), 0u);
}

TEST_F(HostileProgramTest, AServerThatGoesAwayMidMailEndsTheTurnAtOnce) {
  server_.reply = secondMailCutOff(receiver_test::signMail("Z1.bin", signFile("first")));
  server_.hangUpAfter = "RETR 2";
  const ProgramRun run = runOnce();
  expectWithinBounds(run, kQuickBound);
  EXPECT_EQ(readFile(paths_.saveDir() + "/Z1.bin"), signFile("first"));
  EXPECT_EQ(countCommands(commands(), "DELE"), 1u);
  EXPECT_EQ(countCommands(commands(), "DELE 2"), 0u);
  EXPECT_NE(run.err.find(receiver::texts::kConnectionLost), std::string::npos) << run.err;
}

TEST_F(HostileProgramTest, AHugeHeaderAndTenThousandAttachmentsStayInBounds) {
  // The first attachment is the sign data; the others are passed over.
  std::string mail = "X-Filler: " + std::string(10 << 20, 'h') + "\r\n" +
                     receiver_test::signMail("Z1.bin", signFile("first"));
  for (int i = 0; i < 10000; ++i)
    mail += "Content-Disposition: attachment; filename=\"x" + std::to_string(i) +
            ".bin\"\r\n\r\nQUJD\r\n\r\n";
  server_.reply = [&mail](const std::string& line) -> std::string {
    if (line == "STAT") return "+OK 1 " + std::to_string(mail.size()) + "\r\n";
    if (line == "LIST") return "+OK\r\n1 " + std::to_string(mail.size()) + "\r\n.\r\n";
    if (line == "RETR 1") return "+OK\r\n" + mail + ".\r\n";
    return "+OK\r\n";
  };
  const ProgramRun run = runOnce();
  expectWithinBounds(run, kQuickBound);
  EXPECT_EQ(readFile(paths_.saveDir() + "/Z1.bin"), signFile("first"));
  EXPECT_EQ(countCommands(commands(), "DELE 1"), 1u);
  EXPECT_EQ(commands().back(), "QUIT");
  if (kMemoryMeasurable) {
    std::printf("peak resident memory: %ld KB\n", run.peakKb);
  }
}

}  // namespace
