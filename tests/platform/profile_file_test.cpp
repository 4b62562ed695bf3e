#include "platform/profile_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/support/temp_dir.h"

using platform::ProfileFile;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

TEST(ProfileFileRead, MissingFileSectionOrKeyGivesDefault) {
  TempDir dir;
  ProfileFile ini(dir.file("varnel.ini"));
  EXPECT_EQ(ini.readString("Ports", "COM5", "none"), "none");
  EXPECT_EQ(ini.readInt("Device", "Baud", 9600), 9600);
  writeFile(ini.path(), "[Ports]\nCOM1=/dev/ttyS0\n");
  EXPECT_EQ(ini.readString("Other", "COM1", "d"), "d");
  EXPECT_EQ(ini.readString("Ports", "COM2", "d"), "d");
}

TEST(ProfileFileRead, NamesMatchCaseInsensitivelyAndValuesAreTrimmedAndUnquoted) {
  TempDir dir;
  ProfileFile ini(dir.file("a.ini"));
  writeFile(ini.path(), "; comment\r\n[ ports ]\r\n  com5 =  /dev/ttyUSB0  \r\nQ=\"  x \"\r\n");
  EXPECT_EQ(ini.readString("Ports", "COM5"), "/dev/ttyUSB0");
  EXPECT_EQ(ini.readString("PORTS", "q"), "  x ");
}

TEST(ProfileFileRead, FirstOccurrenceWinsAndValuesAreTakenAsTheyStand) {
  TempDir dir;
  ProfileFile ini(dir.file("a.ini"));
  writeFile(ini.path(), "[S]\nk=first\\n%s%d\nk=second\n");
  EXPECT_EQ(ini.readString("S", "k"), "first\\n%s%d");
}

TEST(ProfileFileRead, ValuesAreCutAt999Characters) {
  TempDir dir;
  ProfileFile ini(dir.file("a.ini"));
  writeFile(ini.path(), "[S]\nk=" + std::string(1500, 'v') + "\n");
  EXPECT_EQ(ini.readString("S", "k").size(), ProfileFile::kMaxValueLength);
}

TEST(ProfileFileRead, IntegersTakeLeadingDigits) {
  TempDir dir;
  ProfileFile ini(dir.file("a.ini"));
  writeFile(ini.path(), "[S]\na=42abc\nb=-7\nc=abc\n");
  EXPECT_EQ(ini.readInt("S", "a", 1), 42);
  EXPECT_EQ(ini.readInt("S", "b", 1), -7);
  EXPECT_EQ(ini.readInt("S", "c", 1), 0);
}

TEST(ProfileFileWrite, CreatesFileAndSection) {
  TempDir dir;
  ProfileFile ini(dir.file("new.ini"));
  ASSERT_TRUE(ini.writeString("Ports", "COM5", "/dev/ttyUSB0").ok());
  EXPECT_EQ(readFile(ini.path()), "[Ports]\nCOM5=/dev/ttyUSB0\n");
  ASSERT_TRUE(ini.writeInt("Varnel", "Width", 120).ok());
  EXPECT_EQ(readFile(ini.path()), "[Ports]\nCOM5=/dev/ttyUSB0\n\n[Varnel]\nWidth=120\n");
}

TEST(ProfileFileWrite, ReplacesOneLineInPlaceKeepingEverythingElse) {
  TempDir dir;
  ProfileFile ini(dir.file("a.ini"));
  const std::string before = "; keep me\r\n[A]\r\nx = 1\r\nY=2\r\n\r\n[B]\r\nx=3\r\n";
  writeFile(ini.path(), before);
  ASSERT_TRUE(ini.writeString("a", "X", "10").ok());
  EXPECT_EQ(readFile(ini.path()), "; keep me\r\n[A]\r\nx=10\r\nY=2\r\n\r\n[B]\r\nx=3\r\n");
}

TEST(ProfileFileWrite, NewKeyGoesAfterTheSectionsLastEntryWithTheFilesLineEnding) {
  TempDir dir;
  ProfileFile ini(dir.file("a.ini"));
  writeFile(ini.path(), "[A]\r\nx=1\r\n\r\n[B]\r\nz=3");
  ASSERT_TRUE(ini.writeString("A", "y", "2").ok());
  ASSERT_TRUE(ini.writeString("B", "w", "4").ok());
  EXPECT_EQ(readFile(ini.path()), "[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\nw=4\r\n");
  EXPECT_EQ(ini.readKeys("A"), (std::vector<std::string>{"x", "y"}));
}

TEST(ProfileFileWrite, RemoveKeyAndPrivateMode) {
  TempDir dir;
  ProfileFile ini(dir.file("secret.ini"), platform::kPrivateFileMode);
  ASSERT_TRUE(ini.writeString("S", "Password", "pw").ok());
  ASSERT_TRUE(ini.writeString("S", "Other", "o").ok());
  struct stat st {};
  ASSERT_EQ(::stat(ini.path().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  ASSERT_TRUE(ini.removeKey("S", "password").ok());
  EXPECT_EQ(readFile(ini.path()), "[S]\nOther=o\n");
}
