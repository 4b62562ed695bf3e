// Hostile inputs that once took gigabytes: the program's peak memory stays near the input's size
// (at most 8 times it plus 32 MB), or it refuses the input.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "addressbook/address_book.h"
#include "addressbook/site_manage_file.h"
#include "tests/support/temp_dir.h"

using testing_support::TempDir;

namespace {

struct MeasuredRun {
  int exitCode = -1;
  long peakKb = 0;
};

// Runs varnel-cli with its output thrown away and measures its peak resident memory.
MeasuredRun runMeasured(const std::vector<std::string>& args) {
  std::vector<std::string> argv = {VARNEL_CLI_PATH};
  argv.insert(argv.end(), args.begin(), args.end());
  const pid_t child = ::fork();
  if (child == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, STDOUT_FILENO);
    ::dup2(null, STDERR_FILENO);
    std::vector<char*> raw;
    for (std::string& a : argv)
      raw.push_back(a.data());
    raw.push_back(nullptr);
    ::execv(raw[0], raw.data());
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, usage.ru_maxrss};
}

// The bound, in kilobytes, for an input of `bytes`. A sanitizer's own memory is not the
// program's: there only the outcome is checked.
bool withinBound(long peakKb, size_t bytes) {
#if defined(__SANITIZE_ADDRESS__)
  (void)peakKb;
  (void)bytes;
  return true;
#else
  return static_cast<size_t>(peakKb) <= (8 * bytes + (size_t{32} << 20)) / 1024;
#endif
}

std::string i32(int32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i)
    s[i] = static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
  return s;
}

// A site manage file of `sites` sites with empty fields, then `groups` groups each listing
// `members` empty names.
std::string siteFile(int32_t sites, int32_t groups, int32_t members) {
  const std::string empty = addressbook::serializeSiteManageFile(addressbook::CAddressBook());
  // The empty book ends with six zero counts and the empty default device name.
  std::string bytes = empty.substr(0, empty.size() - 7 * 4) + i32(0) + i32(sites);
  for (int32_t i = 0; i < sites; ++i)
    bytes += std::string(5 * 4, '\0');
  bytes += i32(groups);
  for (int32_t g = 0; g < groups; ++g) {
    bytes += i32(0) + i32(members);
    bytes.append(static_cast<size_t>(members) * 4, '\0');
  }
  return bytes + std::string(4 * 4, '\0');
}

}  // namespace

TEST(MemoryBound, HostileSiteManageFilesAreRefusedWithinTheBound) {
  const struct {
    int32_t sites, groups, members;
  } cases[] = {{0, 1, 2'000'000}, {400'000, 0, 0}, {1, 60'000, 1}};
  for (const auto& c : cases) {
    TempDir dir;
    const std::string bytes = siteFile(c.sites, c.groups, c.members);
    testing_support::writeFile(addressbook::sitePath(dir.path()), bytes);
    const MeasuredRun run = runMeasured({"--data-dir", dir.path(), "book", "show", "--json"});
    EXPECT_EQ(run.exitCode, 1) << c.sites << " " << c.groups << " " << c.members;
    EXPECT_TRUE(withinBound(run.peakKb, bytes.size())) << run.peakKb << " kB";
  }
}

TEST(MemoryBound, LargeButSaneBookStillLoads) {
  TempDir dir;
  addressbook::CAddressBook book;
  for (int i = 0; i < 20000; ++i)
    book.sites.push_back({"site" + std::to_string(i)});
  book.groups.push_back({"all", {}});
  for (const auto& s : book.sites)
    book.groups[0].siteNames.push_back(s.name);
  ASSERT_TRUE(book.save(addressbook::sitePath(dir.path())).ok());
  const MeasuredRun run = runMeasured({"--data-dir", dir.path(), "book", "show", "--json"});
  EXPECT_EQ(run.exitCode, 0);
}

// Millions of empty objects: the densest JSON for a parser's tree (an element or a line of
// three bytes each).
TEST(MemoryBound, HostileWorkspaceJsonStaysWithinTheBound) {
  TempDir dir;
  const std::string head = R"({"width":80,"colorMode":1,"lines":[)";
  std::string objects = "{}";
  for (int i = 1; i < 1'500'000; ++i)
    objects += ",{}";
  std::string sane = head + R"({"file": 1, "elements": [], "controls": []})";
  for (int i = 1; i < 20'000; ++i)
    sane += R"(,{"file": 1, "elements": [], "controls": []})";
  const struct {
    std::string text;
    int exitCode;
  } cases[] = {{head + R"({"file":1,"elements":[)" + objects + "]}]}", 1},
               {head + objects + "]}", 1},
               {sane + "]}", 0}};
  for (const auto& c : cases) {
    testing_support::writeFile(dir.file("w.json"), c.text);
    const MeasuredRun run = runMeasured({"import", dir.file("w.json"), "-o", dir.file("w.SDV")});
    EXPECT_EQ(run.exitCode, c.exitCode) << c.text.size();
    EXPECT_TRUE(withinBound(run.peakKb, c.text.size()))
        << run.peakKb << " kB for " << c.text.size();
  }
}
