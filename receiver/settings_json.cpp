#include "receiver/settings_json.h"

#include <nlohmann/json.hpp>

#include "platform/cp1252.h"

namespace receiver {

namespace {

using nlohmann::json;

constexpr int kMaxComPort = 255;
constexpr int kMinTcpPort = 1;
constexpr int kMaxTcpPort = 65535;

json mailboxToJson(const MailboxRecord& box) {
  return json{{"name", platform::cp1252ToUtf8(box.name)},
              {"server", platform::cp1252ToUtf8(box.server)},
              {"account", platform::cp1252ToUtf8(box.account)},
              {"password", platform::cp1252ToUtf8(box.password)},
              {"port", box.port}};
}

// Reads an optional integer member within [low, high].
bool readInt(const json& object, const char* key, int low, int high, int* out, std::string* error) {
  const auto it = object.find(key);
  if (it == object.end()) return true;
  if (!it->is_number_integer() || it->get<long long>() < low || it->get<long long>() > high) {
    *error = std::string("\"") + key + "\" must be a whole number from " + std::to_string(low) +
             " to " + std::to_string(high);
    return false;
  }
  *out = static_cast<int>(it->get<long long>());
  return true;
}

bool readFlag(const json& object, const char* key, bool* out, std::string* error) {
  const auto it = object.find(key);
  if (it == object.end()) return true;
  if (it->is_boolean()) {
    *out = it->get<bool>();
    return true;
  }
  int value = 0;
  if (!readInt(object, key, 0, 1, &value, error)) return false;
  *out = value != 0;
  return true;
}

bool readText(const json& object, const char* key, std::string* out, std::string* error) {
  const auto it = object.find(key);
  if (it == object.end()) return true;
  platform::Result<std::string> text =
      it->is_string() ? platform::utf8ToCp1252(it->get_ref<const std::string&>())
                      : platform::Result<std::string>(platform::Status::refused(""));
  if (!text.ok()) {
    const std::string& why = text.message();
    *error = std::string("\"") + key + "\" must be text in the Western European character set" +
             (why.empty() ? "" : ": " + why);
    return false;
  }
  *out = std::move(text).value();
  return true;
}

bool readMailbox(const json& item, size_t index, MailboxRecord* box, std::string* error) {
  if (!item.is_object()) {
    *error = "mailbox " + std::to_string(index + 1) + " is not an object";
    return false;
  }
  if (readText(item, "name", &box->name, error) && readText(item, "server", &box->server, error) &&
      readText(item, "account", &box->account, error) &&
      readText(item, "password", &box->password, error) &&
      readInt(item, "port", kMinTcpPort, kMaxTcpPort, &box->port, error))
    return true;
  *error = "mailbox " + std::to_string(index + 1) + ": " + *error;
  return false;
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
  return doc.dump(2) + "\n";
}

bool settingsFromJson(std::string_view text, ReceiverSettings* settings, std::string* error) {
  const json doc = json::parse(text, nullptr, /*allow_exceptions=*/false);
  if (doc.is_discarded()) {
    *error = "not a JSON document";
    return false;
  }
  if (!doc.is_object()) {
    *error = "the settings must be a JSON object";
    return false;
  }
  ReceiverSettings read;
  if (!readFlag(doc, "selfReceiving", &read.selfReceiving, error) ||
      !readInt(doc, "interval", kMinPollIntervalSeconds, kMaxPollIntervalSeconds,
               &read.pollIntervalSeconds, error) ||
      !readInt(doc, "comPort", 0, kMaxComPort, &read.comPort, error) ||
      !readFlag(doc, "autostart", &read.autostart, error))
    return false;
  const auto boxes = doc.find("mailboxes");
  if (boxes != doc.end()) {
    if (!boxes->is_array()) {
      *error = "\"mailboxes\" must be a list";
      return false;
    }
    for (size_t i = 0; i < boxes->size(); ++i) {
      MailboxRecord box;
      if (!readMailbox((*boxes)[i], i, &box, error)) return false;
      read.mailboxes.push_back(std::move(box));
    }
  }
  *settings = std::move(read);
  return true;
}

}  // namespace receiver
