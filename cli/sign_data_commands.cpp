// varnel-cli export / units: sign data files without a sign.

#include <cstdio>
#include <ctime>
#include <iostream>

#include "addressbook/sign_addresses.h"
#include "app/send_content.h"
#include "cli/cli_context.h"
#include "cli/workspace_loading.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "platform/atomic_file.h"
#include "platform/cp1252.h"
#include "signlink/sign_data_file.h"
#include "signlink/sign_stream.h"
#include "signlink/stream_units.h"

namespace cli {
namespace {

// A sign data stream is at most a few hundred kilobytes; anything far larger is not one.
constexpr size_t kMaxSignDataFileBytes = 16u << 20;

struct ExportOptions {
  std::string kind;  // "workspace", "test" or "clear"
  std::string workspacePath;
  std::string addresses;
  std::string now;
  std::string outPath;
  bool old = false;
};

// Parses "YYYY-MM-DD HH:MM:SS" into a local time with its weekday.
bool parseNow(const std::string& text, platform::LocalTime* t) {
  std::tm tm{};
  char rest = 0;
  if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &tm.tm_year, &tm.tm_mon, &tm.tm_mday,
                  &tm.tm_hour, &tm.tm_min, &tm.tm_sec, &rest) != 6) {
    return false;
  }
  if (tm.tm_mon < 1 || tm.tm_mon > 12 || tm.tm_mday < 1 || tm.tm_mday > 31 || tm.tm_hour > 23 ||
      tm.tm_min > 59 || tm.tm_sec > 59 || tm.tm_hour < 0 || tm.tm_min < 0 || tm.tm_sec < 0) {
    return false;
  }
  t->year = tm.tm_year;
  t->month = tm.tm_mon;
  t->day = tm.tm_mday;
  t->hour = tm.tm_hour;
  t->minute = tm.tm_min;
  t->second = tm.tm_sec;
  // The weekday of that date (timegm normalises the fields and fills tm_wday).
  tm.tm_year -= 1900;
  tm.tm_mon -= 1;
  if (::timegm(&tm) == -1 || tm.tm_mday != t->day) return false;
  t->weekday = tm.tm_wday;
  return true;
}

signlink::SendCommand commandOf(const std::string& kind) {
  if (kind == "workspace") return signlink::SendCommand::kWorkspace;
  return kind == "test" ? signlink::SendCommand::kTest : signlink::SendCommand::kClearMemory;
}

void runExport(CliContext& ctx, const ExportOptions& o) {
  const platform::Status valid = addressbook::validateSignAddresses(o.addresses);
  if (!valid.ok()) {
    ctx.fail(platform::cp1252ToUtf8(valid.message()));
    return;
  }
  const std::vector<uint8_t> addresses = addressbook::expandSignAddresses(o.addresses);
  platform::LocalTime now = platform::SystemClock().now();
  if (!o.now.empty() && !parseNow(o.now, &now)) {
    ctx.fail("--now must be a date and time as \"YYYY-MM-DD HH:MM:SS\"");
    return;
  }
  const signlink::SendCommand command = commandOf(o.kind);
  WorkspaceToSend ws;
  if (command == signlink::SendCommand::kWorkspace) {
    if (o.workspacePath.empty()) {
      ctx.fail("export workspace needs the workspace file");
      return;
    }
    if (!loadWorkspaceToSend(ctx, o.workspacePath, o.old, &ws)) return;
  }
  const platform::Result<signlink::SignStream> built =
      app::buildSendStream(command, &ws.content, addresses, now);
  if (!built.ok()) {
    ctx.fail(platform::cp1252ToUtf8(built.message()));
    return;
  }
  for (const std::string& note : app::leftOutNotes(*built))
    warn(platform::cp1252ToUtf8(note));
  const platform::Status written = platform::writeFileAtomic(
      o.outPath, signlink::signDataFileBytes(built->stream), platform::kDataFileMode);
  if (!written.ok()) ctx.fail(written.message());
}

std::string hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    out.push_back(kDigits[b >> 4]);
    out.push_back(kDigits[b & 0xF]);
  }
  return out;
}

void runUnits(CliContext& ctx, const std::string& path) {
  const platform::Result<std::string> file = platform::readWholeFile(path, kMaxSignDataFileBytes);
  if (!file.ok()) {
    ctx.fail(file.message());
    return;
  }
  std::string_view stream;
  if (!signlink::signDataFileStream(*file, &stream)) {
    ctx.fail(path + ": not a sign data file");
    return;
  }
  // Printed as they are read: memory stays that of one unit however large the file.
  signlink::StreamUnitReader reader(stream);
  signlink::TransmissionUnit unit;
  while (reader.next(&unit)) {
    std::cout << unit.label << " " << unit.bytes.size() << " " << hex(unit.bytes) << "\n";
  }
  if (!reader.complete()) {
    ctx.fail(
        path + ": " +
        platform::cp1252ToUtf8(i18n::formatText(i18n::text(i18n::IDS_STREAM_DAMAGED),
                                                {static_cast<long long>(reader.damagedAt())})));
  }
}

}  // namespace

void addSignDataCommands(CLI::App& app, CliContext& ctx) {
  auto options = std::make_shared<ExportOptions>();
  CLI::App* exportCmd = app.add_subcommand(
      "export", "Write the sign data file (.bin) of a workspace, test or clear-memory stream");
  exportCmd->add_option("kind", options->kind, "workspace, test or clear")
      ->required()
      ->check(CLI::IsMember({"workspace", "test", "clear"}));
  exportCmd->add_option("file", options->workspacePath, "Workspace file (for workspace)");
  exportCmd->add_option("--addresses", options->addresses, "Sign addresses, e.g. \"1,3,5-7\"")
      ->required();
  exportCmd->add_option("--now", options->now,
                        "Time for the sign's clock, \"YYYY-MM-DD HH:MM:SS\" (default: now)");
  exportCmd->add_option("-o,--output", options->outPath, "Sign data file to write")->required();
  exportCmd->add_flag("--old", options->old, "Read a workspace file without header (old version)");
  exportCmd->callback([&ctx, options] { runExport(ctx, *options); });

  auto unitsPath = std::make_shared<std::string>();
  CLI::App* unitsCmd = app.add_subcommand(
      "units", "List the transmission units of a sign data file: label, byte count, hex bytes");
  unitsCmd->add_option("file", *unitsPath, "Sign data file (.bin)")->required();
  unitsCmd->callback([&ctx, unitsPath] { runUnits(ctx, *unitsPath); });
}

}  // namespace cli
