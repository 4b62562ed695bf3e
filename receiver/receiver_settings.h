#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "mail/tls_choice.h"
#include "platform/status.h"

namespace receiver {

// One mailbox the receiver polls. The name is the mail address shown in the window's list;
// commands find a record by it (the first one when two share a name).
struct MailboxRecord {
  std::string name;
  std::string server;    // POP3 server host.
  std::string account;   // POP3 user name.
  std::string password;  // Kept in plain text, in a file only its owner can read.
  int port = 110;        // POP3 port.
  // How the connection uses TLS. Set.dat has no room for it: it is kept in mailpump.ini
  // (receiver/mailbox_tls.h) and is not part of encodeSettings().
  mail::TlsChoice tls{};

  bool operator==(const MailboxRecord&) const = default;
};

// The polling interval the window accepts, in seconds.
inline constexpr int kMinPollIntervalSeconds = 5;
inline constexpr int kMaxPollIntervalSeconds = 3600;

// Everything the receiver keeps in "Set.dat". Text is Windows-1252 bytes.
struct ReceiverSettings {
  bool selfReceiving = false;  // Poll on the timer.
  int pollIntervalSeconds = 10;
  int comPort = 1;                       // The sign's serial port, "COM" + this number.
  bool autostart = false;                // Start with the user's session.
  std::vector<MailboxRecord> mailboxes;  // In list order.

  bool operator==(const ReceiverSettings&) const = default;
};

// The poll timer's period: the interval in milliseconds, held to the range the window accepts so
// that a damaged or hand-edited file can neither spin the timer nor overflow it.
int pollPeriodMs(const ReceiverSettings& settings);

// Edit and Rename: the mailbox at `index` takes `record` and moves to the end of the list, as its
// entry does in the window, so the list always shows the records in their order. False (nothing
// changes) for an index outside the list.
bool replaceMailboxAtEnd(ReceiverSettings* settings, size_t index, MailboxRecord record);

// A mailbox field the POP3 dialog refuses to leave blank.
enum class MailboxField { kNone, kServer, kAccount, kPassword };

// The POP3 dialog's check before OK: the server, then the account, must not be blank. Returns
// the first blank field (kNone when the record is complete) and sets *refusal to its text.
MailboxField blankMailboxField(const MailboxRecord& record, std::string* refusal);

// The settings file's name inside the data directory, its header text and the version written.
// Version 10 files lack the autostart field; they load with autostart off.
inline constexpr char kSettingsFileName[] = "Set.dat";
inline constexpr std::string_view kSettingsHeader = "RECV EMAIL DATA HEAD";
inline constexpr int kSettingsVersion = 11;
inline constexpr int kFirstVersionWithAutostart = 11;

// The file's bytes: header string, version, self-receiving, interval, COM port, autostart, the
// mailbox count, then per mailbox its port and the strings name, server, account, password.
// Numbers are 32-bit little-endian; a string is a 32-bit byte count and its bytes.
std::string encodeSettings(const ReceiverSettings& settings);

// Decodes a settings file's bytes into *settings (only when the whole record reads; bytes after
// the last mailbox are ignored, since earlier versions rewrote the file in place without
// shortening it). Every count and length is checked against the bytes present. `path` only
// names the file in the message. On failure the settings are left exactly as they were (the
// defaults at start-up) and the status holds the text to show the user: kNotOurFile when the
// first string is not the header or the version is newer than ours, kDamaged when the file stops
// inside a field or holds more mailboxes than bytes.
platform::Status decodeSettings(std::string_view bytes, const std::string& path,
                                ReceiverSettings* settings);

// Reads the settings file at `path` into *settings; see decodeSettings. A missing or unreadable
// file gives kCannotOpen with "Open site manage data file %s error!", a foreign, newer or
// truncated one "This '%s' file is not this program data file.".
platform::Status loadSettingsFile(const std::string& path, ReceiverSettings* settings);

// Writes the settings as version 11, replacing the file atomically with mode 0600 (it holds
// passwords). kCannotWrite with the system's text when it could not be written; the old file
// then stays as it was.
platform::Status saveSettingsFile(const std::string& path, const ReceiverSettings& settings);

}  // namespace receiver
