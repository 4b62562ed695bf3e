#include "receiver/receiver_settings.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "i18n/text_format.h"
#include "platform/atomic_file.h"
#include "platform/byte_reader.h"
#include "platform/cp1252.h"
#include "receiver/receiver_texts.h"

namespace receiver {

namespace {

// A mailbox takes at least its port and four string lengths.
constexpr size_t kMinMailboxBytes = 4 + 4 * 4;
// No settings file of ours comes near this; anything larger is not one.
constexpr size_t kMaxSettingsFileBytes = size_t{16} << 20;

std::string problemText(const char* format, const std::string& path) {
  return i18n::formatText(format, {platform::utf8ToCp1252Lossy(path)});
}

bool readFlag(platform::ByteReader& in, bool* flag) {
  int32_t v = 0;
  if (!in.readI32(&v)) return false;
  *flag = v != 0;
  return true;
}

bool readMailbox(platform::ByteReader& in, MailboxRecord* box) {
  int32_t port = 0;
  if (!in.readI32(&port)) return false;
  box->port = port;
  return in.readLengthPrefixed(&box->name) && in.readLengthPrefixed(&box->server) &&
         in.readLengthPrefixed(&box->account) && in.readLengthPrefixed(&box->password);
}

}  // namespace

int pollPeriodMs(const ReceiverSettings& settings) {
  return std::clamp(settings.pollIntervalSeconds, kMinPollIntervalSeconds,
                    kMaxPollIntervalSeconds) *
         1000;
}

MailboxField blankMailboxField(const MailboxRecord& record, std::string* refusal) {
  if (record.server.empty()) {
    *refusal = texts::kServerBlank;
    return MailboxField::kServer;
  }
  if (record.account.empty()) {
    *refusal = texts::kAccountBlank;
    return MailboxField::kAccount;
  }
  refusal->clear();
  return MailboxField::kNone;
}

bool replaceMailboxAtEnd(ReceiverSettings* settings, size_t index, MailboxRecord record) {
  std::vector<MailboxRecord>& boxes = settings->mailboxes;
  if (index >= boxes.size()) return false;
  boxes.erase(boxes.begin() + static_cast<std::ptrdiff_t>(index));
  boxes.push_back(std::move(record));
  return true;
}

std::string encodeSettings(const ReceiverSettings& settings) {
  std::string out;
  platform::ByteWriter w(&out);
  w.lengthPrefixed(kSettingsHeader);
  w.i32(kSettingsVersion);
  w.i32(settings.selfReceiving ? 1 : 0);
  w.i32(settings.pollIntervalSeconds);
  w.i32(settings.comPort);
  w.i32(settings.autostart ? 1 : 0);
  w.i32(static_cast<int32_t>(settings.mailboxes.size()));
  for (const MailboxRecord& box : settings.mailboxes) {
    w.i32(box.port);
    w.lengthPrefixed(box.name);
    w.lengthPrefixed(box.server);
    w.lengthPrefixed(box.account);
    w.lengthPrefixed(box.password);
  }
  return out;
}

platform::Status decodeSettings(std::string_view bytes, const std::string& path,
                                ReceiverSettings* settings) {
  platform::ByteReader in(bytes);
  std::string header;
  int32_t version = 0;
  if (!in.readLengthPrefixed(&header, kSettingsHeader.size()) || header != kSettingsHeader ||
      !in.readI32(&version) || version > kSettingsVersion) {
    return platform::Status::notOurFile(problemText(texts::kSettingsNotOurs, path));
  }

  ReceiverSettings read;  // Filled completely before anything reaches *settings.
  int32_t interval = 0;
  int32_t comPort = 0;
  int32_t count = 0;
  bool ok = readFlag(in, &read.selfReceiving) && in.readI32(&interval) && in.readI32(&comPort);
  if (ok && version >= kFirstVersionWithAutostart) ok = readFlag(in, &read.autostart);
  ok = ok && in.readI32(&count) && count >= 0 &&
       static_cast<size_t>(count) <= in.remaining() / kMinMailboxBytes;
  if (ok) {
    read.pollIntervalSeconds = interval;
    read.comPort = comPort;
    read.mailboxes.resize(static_cast<size_t>(count));
    for (MailboxRecord& box : read.mailboxes) {
      if (!readMailbox(in, &box)) {
        ok = false;
        break;
      }
    }
  }
  if (!ok) return platform::Status::damaged(problemText(texts::kSettingsNotOurs, path));
  *settings = std::move(read);
  return platform::Status::success();
}

platform::Status loadSettingsFile(const std::string& path, ReceiverSettings* settings) {
  const platform::Result<std::string> bytes = platform::readWholeFile(path, kMaxSettingsFileBytes);
  if (!bytes.ok()) {
    return platform::Status::cannotOpen(problemText(texts::kSettingsOpenFailed, path),
                                        bytes.message());
  }
  return decodeSettings(*bytes, path, settings);
}

platform::Status saveSettingsFile(const std::string& path, const ReceiverSettings& settings) {
  return platform::writeFileAtomic(path, encodeSettings(settings), platform::kPrivateFileMode);
}

}  // namespace receiver
