// Finding and loading mailpump's window module: where it is looked for, and what a missing or
// foreign module gives.

#include "receiver/window_module.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/temp_dir.h"

namespace {

TEST(WindowModule, IsLookedForFromTheProgramsOwnFolder) {
  using receiver::windowModulePath;
  EXPECT_EQ(windowModulePath("/usr/bin/mailpump", "../lib/varnel/w.so"),
            "/usr/bin/../lib/varnel/w.so");
  EXPECT_EQ(windowModulePath("/mailpump", "w.so"), "/w.so");
  EXPECT_EQ(windowModulePath("mailpump", "w.so"), "./w.so");
  EXPECT_EQ(windowModulePath("/usr/bin/mailpump", "/opt/w.so"), "/opt/w.so");

  const std::string self = receiver::runningProgramPath();
  ASSERT_FALSE(self.empty());
  EXPECT_EQ(self.front(), '/');
  EXPECT_NE(self.find("test_receiver"), std::string::npos) << self;
}

TEST(WindowModule, AMissingOrForeignModuleFailsWithItsReason) {
  testing_support::TempDir dir;
  testing_support::writeFile(dir.file("text.so"), "not a shared object\n");
  int argc = 1;
  char name[] = "mailpump";
  char* argv[] = {name, nullptr};
  for (const std::string& path : {dir.file("missing.so"), dir.file("text.so")}) {
    std::ostringstream err;
    EXPECT_EQ(receiver::runWindowModule(path, &argc, argv, "", err), 1);
    EXPECT_EQ(err.str().rfind("mailpump: cannot load its window: ", 0), 0u) << err.str();
    EXPECT_NE(err.str().find(path), std::string::npos) << err.str();
  }
  // A library that loads but is not the window: its entry is missing.
  std::ostringstream err;
  EXPECT_EQ(receiver::runWindowModule("libm.so.6", &argc, argv, "", err), 1);
  EXPECT_NE(err.str().find("no mailpump_window_main"), std::string::npos) << err.str();
}

}  // namespace
