// varnel-cli handed hostile input: files that are not files, inputs too large for the format,
// places it cannot write.

#include <sys/stat.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

using nlohmann::json;
using testing_support::runCli;
using testing_support::TempDir;
using testing_support::writeFile;

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
