// varnel-cli handed hostile input: files that are not files, inputs too large for the format,
// places it cannot write.

#include <sys/stat.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "tests/support/file_size_limit.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

using nlohmann::json;
using testing_support::runCli;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

// A book of `sites` serial sites with a mail server holding a password, as JSON; returns its path.
std::string writeBook(const TempDir& dir, int sites) {
  json book = {{"devices", json::array({{{"name", "Wire"}, {"type", 1}}})},
               {"mailServers", json::array({{{"name", "Office"}, {"password", "secret"}}})},
               {"sites", json::array()}};
  for (int i = 0; i < sites; ++i) {
    book["sites"].push_back(
        {{"name", "S" + std::to_string(i)}, {"device", "Wire"}, {"addresses", "1"}});
  }
  const std::string path = dir.file("book" + std::to_string(sites) + ".json");
  writeFile(path, book.dump());
  return path;
}

}  // namespace

// A workspace whose Image Transfer File names a FIFO: encode and export read it as no file
// instead of waiting for a writer that never comes.
TEST(CliHostileInput, TransferFileNamingAFifoDoesNotHang) {
  TempDir dir;
  ASSERT_EQ(::mkfifo(dir.file("images.lst").c_str(), 0600), 0);
  json ws = json::parse(R"({"width": 80, "colorMode": 1, "lines": [{"file": 1, "elements": [
      {"kind": 0, "code": 65, "colour": 1, "font": 2}], "controls": []}]})");
  ws["transferFile"] = dir.file("images.lst");
  writeFile(dir.file("w.json"), ws.dump());
  ASSERT_EQ(runCli({"import", dir.file("w.json"), "-o", dir.file("w.SDV")}).exitCode, 0);
  EXPECT_EQ(runCli({"encode", dir.file("w.SDV")}).exitCode, 0);
  const auto exported = runCli({"export", "workspace", dir.file("w.SDV"), "--addresses", "1",
                                "--now", "2026-12-08 09:05:03", "-o", dir.file("w.bin")});
  EXPECT_EQ(exported.exitCode, 0) << exported.err;
  // Handed a FIFO as the workspace itself, the reader refuses it.
  const auto shown = runCli({"show", dir.file("images.lst")});
  EXPECT_EQ(shown.exitCode, 1);
  EXPECT_NE(shown.err.find("not a regular file"), std::string::npos) << shown.err;
}

// A refused import names the rule it breaks, and a failed write the system's reason.
TEST(CliHostileInput, RefusedImportSaysWhy) {
  TempDir dir;
  const std::string empty = R"({"file": 1, "elements": [], "controls": []})";
  std::string many = R"({"width": 80, "colorMode": 1, "transferFile": "", "lines": [)" + empty;
  for (int i = 1; i < 65537; ++i)
    many += "," + empty;
  writeFile(dir.file("many.json"), many + "]}");
  const auto refused = runCli({"import", dir.file("many.json"), "-o", dir.file("many.SDV")});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("more than 65536 lines"), std::string::npos) << refused.err;
  EXPECT_EQ(refused.err.find("Error when create file"), std::string::npos) << refused.err;

  writeFile(dir.file("one.json"),
            R"({"width": 80, "colorMode": 1, "transferFile": "", "lines": [)" + empty + "]}");
  writeFile(dir.file("plain"), "a file where a directory should be");
  const auto blocked = runCli({"import", dir.file("one.json"), "-o", dir.file("plain/w.SDV")});
  EXPECT_EQ(blocked.exitCode, 1);
  EXPECT_NE(blocked.err.find("Not a directory"), std::string::npos) << blocked.err;
}

// A disk that refuses the write (a file size limit stands in for a full disk; as root a read-only
// mode would not stop the write) and a data directory the program cannot have: the program says
// why, and the files it had are kept as they were.
TEST(CliHostileInput, RefusedWritesKeepTheOldFilesAndSayWhy) {
  TempDir dir;
  const std::string site = dir.file("Z2500SiteManage.dat");
  ASSERT_EQ(runCli({"--data-dir", dir.path(), "book", "import", writeBook(dir, 1)}).exitCode, 0);
  const std::string oldBook = testing_support::readFile(site);
  writeFile(dir.file("w.json"), R"({"width": 80, "colorMode": 1, "lines": []})");
  ASSERT_EQ(runCli({"import", dir.file("w.json"), "-o", dir.file("w.SDV")}).exitCode, 0);
  const std::string oldWorkspace = testing_support::readFile(dir.file("w.SDV"));

  const std::string bigBook = writeBook(dir, 500);
  std::string many = R"({"width": 80, "colorMode": 1, "lines": [)";
  for (int i = 0; i < 200; ++i)
    many += std::string(i ? "," : "") + R"({"file": 1})";
  writeFile(dir.file("big.json"), many + "]}");

  testing_support::CommandResult book;
  testing_support::CommandResult workspace;
  {
    const testing_support::FileSizeLimit full(oldBook.size() + 16);  // the children inherit it
    book = runCli({"--data-dir", dir.path(), "book", "import", bigBook});
    workspace = runCli({"import", dir.file("big.json"), "-o", dir.file("w.SDV")});
  }

  EXPECT_EQ(book.exitCode, 1);
  EXPECT_NE(book.err.find("File too large"), std::string::npos) << book.err;
  EXPECT_EQ(testing_support::readFile(site), oldBook);
  EXPECT_EQ(workspace.exitCode, 1);
  EXPECT_NE(workspace.err.find("File too large"), std::string::npos) << workspace.err;
  EXPECT_EQ(testing_support::readFile(dir.file("w.SDV")), oldWorkspace);

  const auto noDir = runCli({"--data-dir", dir.file("w.SDV/data"), "book", "show", "--json"});
  EXPECT_EQ(noDir.exitCode, 1);
  EXPECT_NE(noDir.err.find("w.SDV/data"), std::string::npos) << noDir.err;
}
