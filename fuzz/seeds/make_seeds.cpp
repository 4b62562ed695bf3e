// Writes the seed corpora of the fuzz targets into FOLDER/<target>/: files made by the programs'
// own writers (workspace, address book, pictures, lists, settings, sign data, mails), the tests'
// builders of the older workspace layouts, and the texts servers and modems answer with.
//
// Usage: fuzz_make_seeds FOLDER      (normally fuzz/corpus)

#include <sys/stat.h>

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "addressbook/site_manage_file.h"
#include "app/startup_sequence.h"
#include "app/varnel_profile.h"
#include "bitmaps/picture_file.h"
#include "bitmaps/transfer_file.h"
#include "cli/cli_context.h"
#include "cli/workspace_json.h"
#include "fuzz/support/fuzz_support.h"
#include "i18n/language_file.h"
#include "mail/base64.h"
#include "platform/profile_file.h"
#include "receiver/receiver_settings.h"
#include "receiver/settings_json.h"
#include "signlink/sign_data_file.h"
#include "signlink/sign_stream.h"
#include "tests/support/mail_site_book.h"
#include "tests/support/random_workspace.h"
#include "tests/support/sign_mail_text.h"
#include "tests/workspace/sdv_test_bytes.h"
#include "workspace/workspace_file.h"

namespace {

std::string g_root;  // The corpus folder.
int g_failures = 0;

void seed(const std::string& target, const std::string& name, const std::string& bytes) {
  const std::string dir = g_root + "/" + target;
  ::mkdir(dir.c_str(), 0755);
  const std::string path = dir + "/" + name;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
    std::perror(path.c_str());
    ++g_failures;
  }
  if (f != nullptr) std::fclose(f);
}

// Records joined with the separator the protocol targets cut their input at.
std::string records(const std::vector<std::string>& parts, char first = '\0', bool lead = false) {
  std::string out = lead ? std::string(1, first) : std::string();
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out += fuzzing::kRecordSeparator;
    out += parts[i];
  }
  return out;
}

void workspaceSeeds() {
  std::mt19937 rng(2026);
  for (int i = 0; i < 3; ++i) {
    workspace::Workspace ws = testing_support::randomWorkspace(rng, 3);
    seed("workspace_file", "v35_random_" + std::to_string(i), workspace::serializeWorkspace(ws));
    seed("workspace_json", "random_" + std::to_string(i) + ".json",
         cli::workspaceToJson(ws, 35).dump());
  }
  using sdv_test::Bytes;
  const workspace::MessageLine line = sdv_test::textLine(2, "Ab");
  Bytes v21;
  v21.text("KVXSDV2.1").field("C:\\img.LST", 100).i32(1);
  sdv_test::record416(v21, line).i32(1).u8(0).u8(1).u8(5).u8(25);
  seed("workspace_file", "v21_416_records", v21.str());
  Bytes v31;
  v31.text("KVXSDV3.1").i32(96).i32(2).zeros(10).i32(3).text("L.x").i32(1);
  sdv_test::record416(v31, line).i32(1).u16(0).u16(1).u8(5).u8(25);
  sdv_test::emptyScheduler(v31);
  seed("workspace_file", "v31_settings_scheduler", v31.str());
  Bytes v33;
  v33.text("KVXSDV3.3").i32(80).i32(1).zeros(10).i32(0).i32(1);
  sdv_test::packedLine(v33, line).i32(0);
  sdv_test::emptyScheduler(v33.i32(0));
  seed("workspace_file", "v33_packed_send_list", v33.str());
  Bytes raw;
  raw.field("OLD.LST", 100);
  sdv_test::record1220(raw, sdv_test::textLine(1, "Hi"));
  seed("workspace_file", "raw_headerless", raw.str());

  seed("workspace_control_file", "transition_speed", std::string("\0\0\5\31\0\0\4\1", 8));
  seed("workspace_control_file", "lines_1_2", std::string("\1\3\2\10\2\0\6\3\0\5\7\2", 12));
  seed("workspace_control_file", "past_end", std::string("\7\0\5\1\0\xff\4\1\0\0\2", 11));
}

addressbook::CAddressBook sampleBook() {
  addressbook::CMailServer server;
  server.name = "Office mail";
  server.smtpServer = "127.0.0.1";
  server.mailAddress = "sender@example.com";
  server.needsAuth = 1;
  server.account = "sender";
  server.password = "pw";
  addressbook::CAddressBook book =
      testing_support::emailSiteBook(server, "Lobby", "Receiver", "sign@example.com");
  addressbook::CDevice serial;
  serial.name = "COM sign";
  addressbook::CDevice tcp;
  tcp.name = "Net sign";
  tcp.type = addressbook::DeviceType::kTcpIp;
  book.devices.push_back(serial);
  book.devices.push_back(tcp);
  book.tcpIpGroups.push_back({"Hall", "192.168.1.20"});
  book.sites.push_back({"Hall sign", "Net sign", "1,3,5-7", "", "Hall"});
  book.sites.push_back({"Door", "COM sign", "0", "", ""});
  book.groups.push_back({"All", {"Lobby", "Hall sign", "Door"}});
  book.defaultDevice = "COM sign";
  return book;
}

// "book show --json" of the book, as a user would start a "book import" from.
std::string bookJson(const addressbook::CAddressBook& book) {
  fuzzing::clearScratchFolder("seed-data");
  const std::string dir = fuzzing::scratchDir() + "/seed-data";
  if (!book.save(addressbook::sitePath(dir)).ok()) ++g_failures;
  CLI::App app;
  cli::CliContext ctx;
  app.add_option("--data-dir", ctx.dataDirOption);
  cli::addAddressCommands(app, ctx);
  std::ostringstream out;
  std::streambuf* const old = std::cout.rdbuf(out.rdbuf());
  std::vector<std::string> args = {"--json", "show", "book", dir, "--data-dir"};  // reversed
  app.parse(args);
  std::cout.rdbuf(old);
  return out.str();
}

void addressBookSeeds() {
  const addressbook::CAddressBook book = sampleBook();
  seed("site_manage_file", "sample_book", addressbook::serializeSiteManageFile(book));
  seed("site_manage_file", "empty_book", addressbook::serializeSiteManageFile({}));
  seed("book_json", "sample_book.json", bookJson(book));
  seed("book_json", "empty_book.json", bookJson({}));
  seed("book_json", "bad_range.json", R"({"devices":[{"name":"d","tcpTimeout":-1,"type":2}]})");
}

void bitmapSeeds() {
  bitmaps::CBitmapImage first("0001", 80);
  bitmaps::CBitmapImage second("0012", 80);
  for (int x = 0; x < 80; x += 3) {
    first.setPixel(x, x % 7, 1);
    second.setPixel(x, 6 - x % 7, 2);
  }
  const bitmaps::CBitmapCatalog catalog(80, {first, second});
  seed("picture_file", "two_images_80_S", bitmaps::encodePictureFile(80, 1, catalog));
  seed("picture_file", "two_images_80_D", bitmaps::encodePictureFile(80, 2, catalog));
  seed("picture_file", "empty_96_S",
       bitmaps::encodePictureFile(96, 1, bitmaps::CBitmapCatalog(96)));

  bitmaps::ImageTransferFile list;
  seed("list_file", "empty", bitmaps::encodeTransferFile(list));
  list.append(1);
  list.append(12);
  seed("list_file", "two_images", bitmaps::encodeTransferFile(list));
  for (int i = 0; i < 6; ++i)
    list.append(100 + i);
  seed("list_file", "full", bitmaps::encodeTransferFile(list));
}

void receiverSeeds() {
  receiver::ReceiverSettings settings;
  seed("settings_file", "defaults", receiver::encodeSettings(settings));
  seed("settings_json", "defaults.json", receiver::settingsToJson(settings));
  settings.selfReceiving = true;
  settings.pollIntervalSeconds = 60;
  settings.comPort = 3;
  settings.autostart = true;
  settings.mailboxes.push_back({"sign@example.com", "127.0.0.1", "sign", "pw", 110});
  settings.mailboxes.push_back({"Caf\xe9", "pop.example.com", "cafe", "", 1110});
  seed("settings_file", "two_mailboxes", receiver::encodeSettings(settings));
  seed("settings_json", "two_mailboxes.json", receiver::settingsToJson(settings));
}

std::string sampleStream() {
  std::mt19937 rng(7);
  const workspace::Workspace ws = testing_support::randomWorkspace(rng, 2);
  signlink::WorkspaceStreamInput input;
  input.workspace = &ws;
  input.now = platform::LocalTime{2026, 12, 8, 9, 5, 3, 2, 60};
  const auto built = signlink::buildWorkspaceStream(input, {1, 2});
  if (!built.ok()) ++g_failures;
  return built.ok() ? built->stream : std::string();
}

void signDataSeeds() {
  seed("sign_data_file", "workspace.bin", signlink::signDataFileBytes(sampleStream()));
  seed("sign_data_file", "test.bin",
       signlink::signDataFileBytes(signlink::buildTestStream({1, 2})));
  seed("sign_data_file", "clear.bin",
       signlink::signDataFileBytes(signlink::buildClearMemoryStream({0})));
}

// The lines of `text` from the first that starts with `from`, at most `count` of them.
std::string linesFrom(const std::string& text, const std::string& from, int count) {
  size_t start = text.find(from);
  if (start == std::string::npos) start = 0;
  size_t end = start;
  for (int i = 0; i < count && end != std::string::npos; ++i)
    end = text.find('\n', end + 1);
  return text.substr(start, end == std::string::npos ? std::string::npos : end + 1 - start);
}

void textFileSeeds() {
  const std::string english = i18n::builtinEnglishLanguageFile();
  seed("language_ini", "setting.ini", i18n::builtinLanguageSettingFile());
  seed("language_ini", "english_head.ini", linesFrom(english, "", 40));
  seed("language_ini", "english_dialogs.ini", linesFrom(english, "[Dialog String]", 40));
  seed("language_ini", "english_strings.ini", linesFrom(english, "[String Table]", 60));

  const platform::ProfileFile profile(fuzzing::scratchDir() + "/seed.ini");
  app::SendInfo send;
  send.lastGroupName = "All";
  send.signAddress = "1,3";
  app::writeSendInfo(profile, send);
  app::writeRecentFiles(profile, {"/home/u/a.SDV", "b.SDV"});
  profile.writeInt(varnel_profile::kSectionVarnel, varnel_profile::kKeySignWidth, 96);
  profile.writeInt(varnel_profile::kSectionVarnel, varnel_profile::kKeyColourMode, 2);
  profile.writeString(varnel_profile::kSectionPorts, "COM5", "/dev/ttyUSB0");
  const auto written = platform::readWholeFile(profile.path());
  seed("profile_ini", "varnel.ini", written.ok() ? *written : std::string());
  seed("profile_ini", "modems.ini",
       "[Modem0]\r\nModel=Hayes Accura 56K\r\nPort=COM3\r\nSpeed=57600\r\nReset=ATZ\r\n"
       "CallSetupFailTimer=S7=<#>\r\nSpeakerMode=M1\r\n[Modem1]\r\nModel=\"Internal\"\r\n"
       "Port=COM4\r\n");
}

// A sign data mail as the POP3 server hands it over in a RETR answer.
std::string retrievedSignMail() {
  const std::string file = signlink::signDataFileBytes(signlink::buildTestStream({1}));
  const std::string mail = testing_support::expectedSignDataMail(
      "Office <sender@example.com>", "sign@example.com", "----=_NextPart_000_0001",
      "Tue, 8 Dec 2026 09:05:03 +0100", "Z202612080905.bin",
      mail::base64Encode(file, mail::Base64Lines::kMailLines));
  return "+OK 1200 octets\r\n" + mail + "\r\n.\r\n";
}

void mailSeeds() {
  const std::string signMail = retrievedSignMail();
  seed("mail_message", "sign_data_mail", signMail);
  seed("mail_message", "plain_mail",
       "+OK\r\nReturn-Path: <a@b>\r\nFrom: A <a@b>\r\nTo: x@y, \"Z\" <z@y>; w@v\r\n"
       "Date: Tue, 8 Dec 2026 09:05:03 +0100\r\nSubject: Hello\r\nCc: c@d\r\n\r\n"
       "..\r\nbody\r\n..x\r\n.\r\n");
  seed("pop3_answers", "receive_one",
       records({"+OK ready\r\n", "+OK\r\n", "+OK logged in\r\n", "+OK 1 1200\r\n", "+OK 1 1200\r\n",
                signMail, "+OK deleted\r\n", "+OK bye\r\n"}));
  seed("pop3_answers", "refused_password",
       records({"+OK ready\r\n", "+OK\r\n", "-ERR [AUTH] no\r\n"}));
  seed("pop3_answers", "mail_in_pieces",
       records({"+OK ready\r\n", "+OK\r\n", "+OK\r\n", "+OK 2 20\r\n", "+OK 1 20\r\n",
                "+OK\r\nSubject: a\r\n", "\r\nbody\r\n", ".\r\n", "+OK\r\n", "+OK\r\n"}));

  const std::vector<std::string> delivery = {"250 ok\r\n",       "250 ok\r\n",     "250 ok\r\n",
                                             "354 go ahead\r\n", "250 queued\r\n", "221 bye\r\n"};
  std::vector<std::string> plain = {"220 mail ESMTP\r\n", "250 hello\r\n"};
  plain.insert(plain.end(), delivery.begin(), delivery.end());
  seed("smtp_replies", "no_login", records(plain, '\0', true));
  std::vector<std::string> login = {"220 mail ESMTP\r\n",
                                    "250-mail\r\n250-AUTH LOGIN CRAM-MD5\r\n250 OK\r\n",
                                    "334 VXNlcm5hbWU6\r\n", "334 UGFzc3dvcmQ6\r\n", "235 ok\r\n"};
  login.insert(login.end(), delivery.begin(), delivery.end());
  seed("smtp_replies", "auth_login", records(login, '\2', true));
  std::vector<std::string> cram = {
      "220 mail ESMTP\r\n", "250-mail\r\n250 AUTH CRAM-MD5\r\n",
      "334 PDE4OTYuNjk3MTcwOTUyQHBvc3RvZmZpY2UucmVzdG9uLm1jaS5uZXQ+\r\n", "235 ok\r\n"};
  cram.insert(cram.end(), delivery.begin(), delivery.end());
  seed("smtp_replies", "auth_cram_md5", records(cram, '\1', true));
  seed("smtp_replies", "refused_rcpt",
       records({"220 x\r\n", "250 x\r\n", "250 x\r\n", "550 no such user\r\n", "221 x\r\n"}, '\0',
               true));

  seed("mail_encodings", "base64", mail::base64Encode(signMail, mail::Base64Lines::kMailLines));
  seed("mail_encodings", "text", "Caf\xe9 = 100%\tend \r\nline two " + std::string(90, 'x'));
  seed("mail_encodings", "binary", std::string("\0\1\2\xff\xfe=\r\n.\r\n", 11));
}

void modemSeeds() {
  const char* replies[] = {"OK\r\n",     "\r\nCONNECT 9600\r\n", "RING",         "NO CARRIER\r\n",
                           "ERROR",      "NO DIALTONE\r\n",      "NO DIAL TONE", "BUSY\r\n",
                           "ATZ\r\r\nOK"};
  int n = 0;
  for (const char* reply : replies)
    seed("modem_reply", "reply_" + std::to_string(n++), reply);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  g_root = argv[1];
  ::mkdir(g_root.c_str(), 0755);
  workspaceSeeds();
  addressBookSeeds();
  bitmapSeeds();
  receiverSeeds();
  signDataSeeds();
  textFileSeeds();
  mailSeeds();
  modemSeeds();
  return g_failures == 0 ? 0 : 1;
}
