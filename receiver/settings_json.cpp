#include "receiver/settings_json.h"

#include <nlohmann/json.hpp>

#include "mail/tls_choice.h"
#include "platform/cp1252.h"

namespace receiver {

namespace {

using nlohmann::json;

constexpr int kMaxComPort = 255;
constexpr int kMinTcpPort = 1;
constexpr int kMaxTcpPort = 65535;

json mailboxToJson(const MailboxRecord& box) {
  json item{{"name", platform::cp1252ToUtf8(box.name)},
            {"server", platform::cp1252ToUtf8(box.server)},
            {"account", platform::cp1252ToUtf8(box.account)},
            {"password", platform::cp1252ToUtf8(box.password)},
            {"port", box.port}};
  if (box.tls.policy) item["tls"] = std::string(platform::tlsPolicyName(*box.tls.policy));
  // A path in the file system's own encoding, taken as it stands.
  if (!box.tls.caFile.empty()) item["caFile"] = box.tls.caFile;
  return item;
}

using platform::Status;

// Reads an optional integer member within [low, high].
Status readInt(const json& object, const char* key, int low, int high, int* out) {
  const auto it = object.find(key);
  if (it == object.end()) return Status::success();
  if (!it->is_number_integer() || it->get<long long>() < low || it->get<long long>() > high) {
    return Status::refused(std::string("\"") + key + "\" must be a whole number from " +
                           std::to_string(low) + " to " + std::to_string(high));
  }
  *out = static_cast<int>(it->get<long long>());
  return Status::success();
}

Status readFlag(const json& object, const char* key, bool* out) {
  const auto it = object.find(key);
  if (it == object.end()) return Status::success();
  if (it->is_boolean()) {
    *out = it->get<bool>();
    return Status::success();
  }
  int value = 0;
  Status status = readInt(object, key, 0, 1, &value);
  if (status.ok()) *out = value != 0;
  return status;
}

Status readText(const json& object, const char* key, std::string* out) {
  const auto it = object.find(key);
  if (it == object.end()) return Status::success();
  platform::Result<std::string> text =
      it->is_string() ? platform::utf8ToCp1252(it->get_ref<const std::string&>())
                      : platform::Result<std::string>(Status::refused(""));
  if (!text.ok()) {
    const std::string& why = text.message();
    return Status::refused(std::string("\"") + key +
                           "\" must be text in the Western European character set" +
                           (why.empty() ? "" : ": " + why));
  }
  *out = std::move(text).value();
  return Status::success();
}

// The optional "tls" (a policy name) and "caFile" (a path) of a mailbox.
Status readTls(const json& item, mail::TlsChoice* tls) {
  const auto policy = item.find("tls");
  if (policy != item.end()) {
    if (!policy->is_string()) return Status::refused("\"tls\" must be text");
    platform::Result<platform::TlsPolicy> named =
        mail::tlsPolicyFromName(policy->get_ref<const std::string&>());
    if (!named.ok()) return named.status();
    tls->policy = *named;
  }
  const auto caFile = item.find("caFile");
  if (caFile == item.end()) return Status::success();
  if (!caFile->is_string()) return Status::refused("\"caFile\" must be text");
  const Status storable = mail::checkStorableCaFile(caFile->get_ref<const std::string&>());
  if (storable.ok()) tls->caFile = caFile->get<std::string>();
  return storable;
}

Status readMailbox(const json& item, size_t index, MailboxRecord* box) {
  const std::string name = "mailbox " + std::to_string(index + 1);
  if (!item.is_object()) return Status::refused(name + " is not an object");
  Status status = readText(item, "name", &box->name);
  if (status.ok()) status = readText(item, "server", &box->server);
  if (status.ok()) status = readText(item, "account", &box->account);
  if (status.ok()) status = readText(item, "password", &box->password);
  if (status.ok()) status = readInt(item, "port", kMinTcpPort, kMaxTcpPort, &box->port);
  if (status.ok()) status = readTls(item, &box->tls);
  if (status.ok()) return status;
  return Status::refused(name + ": " + status.message());
}

}  // namespace

std::string settingsToJson(const ReceiverSettings& settings) {
  json mailboxes = json::array();
  for (const MailboxRecord& box : settings.mailboxes)
    mailboxes.push_back(mailboxToJson(box));
  const json doc{{"selfReceiving", settings.selfReceiving ? 1 : 0},
                 {"interval", settings.pollIntervalSeconds},
                 {"comPort", settings.comPort},
                 {"autostart", settings.autostart ? 1 : 0},
                 {"mailboxes", std::move(mailboxes)}};
  // A CA file path that is not UTF-8 is shown with replacement characters rather than refused.
  return doc.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

platform::Result<ReceiverSettings> settingsFromJson(std::string_view text) {
  const json doc = json::parse(text, nullptr, /*allow_exceptions=*/false);
  if (doc.is_discarded()) return Status::notOurFile("not a JSON document");
  if (!doc.is_object()) return Status::notOurFile("the settings must be a JSON object");
  ReceiverSettings read;
  Status status = readFlag(doc, "selfReceiving", &read.selfReceiving);
  if (status.ok()) {
    status = readInt(doc, "interval", kMinPollIntervalSeconds, kMaxPollIntervalSeconds,
                     &read.pollIntervalSeconds);
  }
  if (status.ok()) status = readInt(doc, "comPort", 0, kMaxComPort, &read.comPort);
  if (status.ok()) status = readFlag(doc, "autostart", &read.autostart);
  if (!status.ok()) return status;
  const auto boxes = doc.find("mailboxes");
  if (boxes != doc.end()) {
    if (!boxes->is_array()) return Status::refused("\"mailboxes\" must be a list");
    for (size_t i = 0; i < boxes->size(); ++i) {
      MailboxRecord box;
      status = readMailbox((*boxes)[i], i, &box);
      if (!status.ok()) return status;
      read.mailboxes.push_back(std::move(box));
    }
  }
  return read;
}

}  // namespace receiver
