#include "mail/tls_choice.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "tests/support/temp_dir.h"

using mail::TlsChoice;
using mail::TlsChoiceForm;
using platform::TlsPolicy;

namespace {

TEST(TlsChoice, WithoutAChoiceEachPortTakesItsDefault) {
  const TlsChoice none;
  EXPECT_EQ(mail::tlsSettingsFor(none, 995).policy, TlsPolicy::kRequired);
  EXPECT_EQ(mail::tlsSettingsFor(none, 465).policy, TlsPolicy::kRequired);
  EXPECT_EQ(mail::tlsSettingsFor(none, 110).policy, TlsPolicy::kWhenOffered);
  EXPECT_EQ(mail::tlsSettingsFor(none, 25).policy, TlsPolicy::kWhenOffered);
  // A port no connection could use has no default of its own.
  EXPECT_EQ(mail::tlsSettingsFor(none, 0).policy, TlsPolicy::kWhenOffered);
  EXPECT_EQ(mail::tlsSettingsFor(none, 66531).policy, TlsPolicy::kWhenOffered);  // 995 + 65536

  // A choice holds on any port and brings its CA file.
  const TlsChoice plain{TlsPolicy::kPlain, "/etc/ca.pem"};
  EXPECT_EQ(mail::tlsSettingsFor(plain, 995),
            (platform::TlsSettings{TlsPolicy::kPlain, "/etc/ca.pem"}));
}

TEST(TlsChoice, TheDialogsOfferRequiredFirst) {
  EXPECT_EQ(mail::tlsPolicyTexts(),
            (std::vector<std::string>{"TLS required", "STARTTLS when offered",
                                      "Plain text (not encrypted)"}));
}

TEST(TlsChoiceForm, FollowsThePortUntilTheUserPicks) {
  TlsChoiceForm form(TlsChoice{}, 110);
  EXPECT_EQ(form.shown(), TlsPolicy::kWhenOffered);
  form.portChanged(995);
  EXPECT_EQ(form.shown(), TlsPolicy::kRequired);
  form.portChanged(0);  // a field being retyped: nothing to propose
  EXPECT_EQ(form.shown(), TlsPolicy::kRequired);
  form.portChanged(110);
  EXPECT_EQ(form.shown(), TlsPolicy::kWhenOffered);
  // Never picked: the record keeps following its port, whatever the list showed.
  EXPECT_EQ(form.result("").policy, std::nullopt);

  form.choose(TlsPolicy::kPlain);
  form.portChanged(995);
  EXPECT_EQ(form.shown(), TlsPolicy::kPlain);
  EXPECT_EQ(form.result("/ca.pem"), (TlsChoice{TlsPolicy::kPlain, "/ca.pem"}));
}

TEST(TlsChoiceForm, AStoredChoiceIsNotOverriddenByThePort) {
  TlsChoiceForm form(TlsChoice{TlsPolicy::kWhenOffered, ""}, 110);
  form.portChanged(465);
  EXPECT_EQ(form.shown(), TlsPolicy::kWhenOffered);
  EXPECT_TRUE(form.chosenExplicitly());
  EXPECT_EQ(form.result("").policy, TlsPolicy::kWhenOffered);
  // Picking the port's own default is a choice too: it no longer follows the port.
  TlsChoiceForm picked(TlsChoice{}, 25);
  picked.choose(TlsPolicy::kWhenOffered);
  EXPECT_EQ(picked.result("").policy, TlsPolicy::kWhenOffered);
}

TEST(TlsChoice, CaFileMustBeReadableWhenGiven) {
  testing_support::TempDir dir;
  EXPECT_TRUE(mail::checkCaFile("").ok());
  testing_support::writeFile(dir.file("ca.pem"), "-----BEGIN CERTIFICATE-----\n");
  EXPECT_TRUE(mail::checkCaFile(dir.file("ca.pem")).ok());

  const platform::Status missing = mail::checkCaFile(dir.file("none.pem"));
  EXPECT_EQ(missing.code(), platform::Status::Code::kRefused);
  EXPECT_EQ(missing.message(), "The CA file " + dir.file("none.pem") + " cannot be read.");
  EXPECT_FALSE(mail::checkCaFile(dir.path()).ok());  // a directory
  ::chmod(dir.file("ca.pem").c_str(), 0);
  if (::geteuid() != 0) {  // root reads any file
    EXPECT_FALSE(mail::checkCaFile(dir.file("ca.pem")).ok());
  }
  // A name a profile line cannot hold is refused before it is looked for.
  EXPECT_FALSE(mail::checkCaFile(dir.file("a\nb")).ok());
}

TEST(TlsChoice, DocumentsNameAPolicyOrAreRefused) {
  EXPECT_EQ(*mail::tlsPolicyFromName("required"), TlsPolicy::kRequired);
  EXPECT_EQ(*mail::tlsPolicyFromName("STARTTLS"), TlsPolicy::kWhenOffered);
  EXPECT_EQ(*mail::tlsPolicyFromName("plain"), TlsPolicy::kPlain);
  for (const char* wrong : {"", "tls", "ssl", "required "}) {
    const auto refused = mail::tlsPolicyFromName(wrong);
    ASSERT_FALSE(refused.ok()) << wrong;
    EXPECT_NE(refused.message().find("\"required\", \"starttls\" or \"plain\""), std::string::npos);
  }
  EXPECT_TRUE(mail::checkStorableCaFile(std::string(mail::kMaxCaFileLength, 'a')).ok());
  EXPECT_FALSE(mail::checkStorableCaFile(std::string(mail::kMaxCaFileLength + 1, 'a')).ok());
  EXPECT_FALSE(mail::checkStorableCaFile("/ca\r.pem").ok());
}

}  // namespace
