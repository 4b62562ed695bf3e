#include "mail/tls_profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "tests/support/temp_dir.h"

using mail::TlsChoice;
using platform::TlsPolicy;
using testing_support::readFile;
using testing_support::writeFile;

namespace {

class TlsProfileTest : public ::testing::Test {
 protected:
  testing_support::TempDir dir_;
  std::string path_ = dir_.file("varnel.ini");
  platform::ProfileFile profile_{path_};
};

TEST_F(TlsProfileTest, ChoicesReadBackAndOtherKeysStayAsTheyWere) {
  const std::string before = "[Varnel]\r\nMovingSignOption=120\r\n";
  writeFile(path_, before);
  EXPECT_EQ(mail::readTlsChoice(profile_, "Relay"), TlsChoice{});  // a profile from before TLS

  const TlsChoice relay{TlsPolicy::kPlain, "/etc/ssl/relay ca.pem"};
  ASSERT_TRUE(mail::writeTlsChoice(profile_, "Relay", relay).ok());
  ASSERT_TRUE(mail::writeTlsChoice(profile_, "Other", {TlsPolicy::kRequired, ""}).ok());
  EXPECT_EQ(mail::readTlsChoice(profile_, "Relay"), relay);
  EXPECT_EQ(mail::readTlsChoice(profile_, "relay"), relay);  // keys match in any case
  EXPECT_EQ(mail::readTlsChoice(profile_, "Other"), (TlsChoice{TlsPolicy::kRequired, ""}));
  EXPECT_EQ(readFile(path_), before +
                                 "\r\n[TLS]\r\nRelay.Policy=plain\r\nRelay.CAFile=/etc/ssl/relay "
                                 "ca.pem\r\nOther.Policy=required\r\n");

  // Back to following the port: the keys go.
  ASSERT_TRUE(mail::writeTlsChoice(profile_, "Relay", TlsChoice{}).ok());
  EXPECT_EQ(readFile(path_), before + "\r\n[TLS]\r\nOther.Policy=required\r\n");
}

TEST_F(TlsProfileTest, AnyNameAndPathReadBack) {
  const std::string names[] = {"a=b", "[x]",      " lead",   "trail ",
                               "50%", "quote\"d", "tab\tin", "Caf\xE9"};
  const std::string paths[] = {" /spaced ", "\"/quoted\"", "'/single'", "/plain"};
  for (size_t i = 0; i < std::size(names); ++i) {
    const TlsChoice choice{TlsPolicy::kWhenOffered, paths[i % std::size(paths)]};
    ASSERT_TRUE(mail::writeTlsChoice(profile_, names[i], choice).ok()) << names[i];
  }
  for (size_t i = 0; i < std::size(names); ++i) {
    EXPECT_EQ(mail::readTlsChoice(profile_, names[i]),
              (TlsChoice{TlsPolicy::kWhenOffered, paths[i % std::size(paths)]}))
        << names[i];
  }
  EXPECT_EQ(mail::tlsPolicyKey("a=b"), "a%3Db.Policy");
  EXPECT_EQ(mail::tlsCaFileKey(" lead"), "%20lead.CAFile");
}

TEST_F(TlsProfileTest, AMistypedPolicyReadsAsRequired) {
  writeFile(path_, "[TLS]\nRelay.Policy=startls\nOpen.Policy=PLAIN\n");
  EXPECT_EQ(mail::readTlsChoice(profile_, "Relay").policy, TlsPolicy::kRequired);
  EXPECT_EQ(mail::readTlsChoice(profile_, "Open").policy, TlsPolicy::kPlain);
}

TEST_F(TlsProfileTest, RenameMovesTheKeysAndRemoveDeletesThem) {
  writeFile(path_, "[TLS]\nStale.Policy=plain\n");
  const TlsChoice relay{TlsPolicy::kPlain, "/ca.pem"};
  ASSERT_TRUE(mail::writeTlsChoice(profile_, "Relay", relay).ok());
  // The new name's old keys are replaced by the moved ones.
  ASSERT_TRUE(mail::moveTlsChoice(profile_, "Relay", "Stale").ok());
  EXPECT_EQ(mail::readTlsChoice(profile_, "Relay"), TlsChoice{});
  EXPECT_EQ(mail::readTlsChoice(profile_, "Stale"), relay);
  // Only the case changes: the keys stay.
  ASSERT_TRUE(mail::moveTlsChoice(profile_, "Stale", "STALE").ok());
  EXPECT_EQ(mail::readTlsChoice(profile_, "STALE"), relay);

  ASSERT_TRUE(mail::removeTlsChoice(profile_, "stale").ok());
  EXPECT_EQ(readFile(path_), "[TLS]\n");
}

TEST_F(TlsProfileTest, ForgettingOthersKeepsTheListedNamesAndForeignKeys) {
  writeFile(path_, "[TLS]\nComment=kept\nA.Policy=plain\nB.CAFile=/b.pem\nC=D.Policy=x\n");
  ASSERT_TRUE(mail::writeTlsChoice(profile_, "C=D", {TlsPolicy::kRequired, ""}).ok());
  ASSERT_TRUE(mail::forgetOtherTlsChoices(profile_, {"a", "C=D"}).ok());
  EXPECT_EQ(mail::readTlsChoice(profile_, "A").policy, TlsPolicy::kPlain);
  EXPECT_EQ(mail::readTlsChoice(profile_, "B"), TlsChoice{});
  EXPECT_EQ(mail::readTlsChoice(profile_, "C=D").policy, TlsPolicy::kRequired);
  EXPECT_EQ(profile_.readString(mail::kTlsSection, "Comment"), "kept");
}

TEST_F(TlsProfileTest, AChoiceAlreadyStoredIsNotWrittenAgain) {
  ASSERT_TRUE(mail::writeTlsChoice(profile_, "Relay", {TlsPolicy::kPlain, "/ca.pem"}).ok());
  struct stat before {};
  ASSERT_EQ(::stat(path_.c_str(), &before), 0);
  ASSERT_TRUE(mail::writeTlsChoice(profile_, "Relay", {TlsPolicy::kPlain, "/ca.pem"}).ok());
  ASSERT_TRUE(mail::removeTlsChoice(profile_, "Nobody").ok());
  struct stat after {};
  ASSERT_EQ(::stat(path_.c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);  // every write replaces the file
}

}  // namespace
