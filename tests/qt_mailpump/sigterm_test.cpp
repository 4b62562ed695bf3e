// mailpump --headless stopped by SIGTERM in the middle of a receive cycle: it ends promptly and
// no sign mail is lost on the way from the mailbox to Save.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "mail/base64.h"
#include "receiver/receiver_paths.h"
#include "receiver/receiver_settings.h"
#include "signlink/sign_data_file.h"
#include "tests/receiver/receiver_fixture.h"
#include "tests/support/pop3_server.h"
#include "tests/support/pty_pair.h"
#include "tests/support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;
using testing_support::readFile;

constexpr char kUser[] = "signs";
constexpr char kPassword[] = "Lantern-42";
constexpr int kMails = 12;

std::string signFile(int n) {
  const std::string text = "mail-" + std::to_string(n);
  return signlink::signDataFileBytes(std::string{'\x01', '\0', static_cast<char>(text.size())} +
                                     text);
}

std::string fileName(int n) {
  return "Z25002026120809" + std::to_string(1000 + n) + ".bin";
}

// Everything in the user's Maildir, as one text.
std::string mailboxText(const testing_support::Pop3Server& server) {
  std::string all;
  for (const char* sub : {"/new", "/cur"}) {
    const std::string dir = server.maildir(kUser) + sub;
    if (!std::filesystem::is_directory(dir)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
      all += readFile(entry.path().string());
  }
  return all;
}

pid_t startHeadless(const std::string& dataDir, const std::string& errFile) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (!freopen(errFile.c_str(), "w", stderr)) _exit(126);
    execl(MAILPUMP_PATH, MAILPUMP_PATH, "--data-dir", dataDir.c_str(), "--headless",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  return pid;
}

TEST(MailpumpSigterm, EndsWithinTwoSecondsMidCycleLosingNoSignMail) {
  if (!testing_support::Pop3Server::available()) GTEST_SKIP() << "dovecot is not installed";
  testing_support::Pop3Server server;
  server.addUser(kUser, kPassword);
  std::string error;
  ASSERT_TRUE(server.start(&error)) << error;
  // Padded so that fetching takes a while too: the signal may come during either half.
  const std::string pad = "X-Pad: " + std::string(200000, 'p') + "\r\n";
  for (int n = 0; n < kMails; ++n)
    server.deliver(kUser, pad + receiver_test::signMail(fileName(n), signFile(n)));

  testing_support::TempDir data;
  const receiver::ReceiverPaths paths(data.path());
  testing_support::PtyPair pty;
  receiver::ReceiverSettings settings;
  settings.selfReceiving = true;
  settings.pollIntervalSeconds = receiver::kMinPollIntervalSeconds;
  settings.mailboxes = {{"signs", "127.0.0.1", kUser, kPassword, server.port()}};
  ASSERT_TRUE(receiver::saveSettingsFile(paths.settingsFile(), settings).ok());
  testing_support::writeFile(paths.profileFile(), "[Ports]\nCOM1=" + pty.slavePath() + "\n");

  pty.startCollecting();
  const pid_t pid = startHeadless(data.path(), data.file("stderr"));
  ASSERT_GT(pid, 0);
  // The cycle is under way once the first file is in Save.
  const auto giveUp = Clock::now() + std::chrono::seconds(30);
  while (!std::filesystem::exists(paths.saveDir() + "/" + fileName(0)) && Clock::now() < giveUp)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_EQ(kill(pid, SIGTERM), 0);
  const auto signalled = Clock::now();
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  const auto taken = Clock::now() - signalled;
  pty.stopCollecting();
  const std::string err = readFile(data.file("stderr"));
  EXPECT_LT(taken, std::chrono::seconds(2)) << err;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << err;
  EXPECT_TRUE(receiver::loadSettingsFile(paths.settingsFile(), &settings).ok());

  // Every sign mail is in Save and logged, or still on the server.
  const std::string onServer = mailboxText(server);
  std::string log;
  for (const auto& entry : std::filesystem::directory_iterator(paths.logDir()))
    log += readFile(entry.path().string());
  int saved = 0;
  for (int n = 0; n < kMails; ++n) {
    const std::string path = paths.saveDir() + "/" + fileName(n);
    const bool inSave = readFile(path) == signFile(n) &&
                        log.find("write " + path + " successfully") != std::string::npos;
    const std::string encoded = mail::base64Encode(signFile(n), mail::Base64Lines::kMailLines);
    EXPECT_TRUE(inSave || onServer.find(encoded) != std::string::npos) << fileName(n);
    saved += inSave ? 1 : 0;
  }
  EXPECT_GE(saved, 1);
}

}  // namespace
