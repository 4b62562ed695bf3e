// Address-book commands: expanding a sign-address list, and the site manage file as JSON (with the
// mail servers' TLS choices of varnel.ini). An imported book passes the checks of the
// address-book dialogs before it replaces the file.

#include <sys/stat.h>
#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstdint>
#include <iostream>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "addressbook/address_book.h"
#include "addressbook/book_edits.h"
#include "addressbook/sign_addresses.h"
#include "addressbook/site_parameters.h"
#include "app/varnel_profile.h"
#include "cli/book_tls.h"
#include "cli/cli_context.h"
#include "platform/atomic_file.h"
#include "platform/cp1252.h"

namespace cli {
namespace {

using addressbook::CAddressBook;
using addressbook::CDevice;
using addressbook::CMailServer;
using addressbook::CNamedAddress;
using addressbook::CSite;
using addressbook::CSiteGroup;
using json = nlohmann::ordered_json;

// The JSON file a user hands to "book import" is read whole; an address book is far smaller.
constexpr size_t kMaxImportBytes = size_t{64} << 20;

// ---- addresses LIST ----

struct AddressesOptions {
  std::string list;
  bool noValidate = false;
};

void runAddresses(CliContext& ctx, const AddressesOptions& o) {
  const platform::Status valid =
      o.noValidate ? platform::Status::success() : addressbook::validateSignAddresses(o.list);
  if (!valid.ok()) {
    ctx.fail(platform::cp1252ToUtf8(valid.message()));
    return;
  }
  std::string line;
  for (uint8_t address : addressbook::expandSignAddresses(o.list)) {
    if (!line.empty()) line += ' ';
    line += std::to_string(address);
  }
  std::cout << line << "\n";
}

// ---- book show --json ----

std::string utf8(const std::string& cp1252) {
  return platform::cp1252ToUtf8(cp1252);
}

json deviceToJson(const CDevice& d) {
  return json{{"name", utf8(d.name)},           {"type", static_cast<int32_t>(d.type)},
              {"comPort", d.comPort},           {"ipPort", d.ipPort},
              {"baudRate", d.baudRate},         {"modemKind", d.modemKind},
              {"dialTimeout", d.dialTimeout},   {"tcpTimeout", d.tcpTimeout},
              {"modemName", utf8(d.modemName)}, {"mailServer", utf8(d.mailServerName)}};
}

json siteToJson(const CSite& s) {
  return json{{"name", utf8(s.name)},
              {"device", utf8(s.deviceName)},
              {"addresses", utf8(s.signAddresses)},
              {"phone", utf8(s.phoneNumber)},
              {"target", utf8(s.networkTarget)}};
}

json groupToJson(const CSiteGroup& g) {
  json sites = json::array();
  for (const std::string& siteName : g.siteNames)
    sites.push_back(utf8(siteName));
  return json{{"name", utf8(g.name)}, {"sites", sites}};
}

json namedAddressToJson(const CNamedAddress& a) {
  return json{{"name", utf8(a.name)}, {"address", utf8(a.address)}};
}

json mailServerToJson(const CMailServer& m) {
  return json{{"name", utf8(m.name)},
              {"smtpServer", utf8(m.smtpServer)},
              {"mailAddress", utf8(m.mailAddress)},
              {"smtpPort", m.smtpPort},
              {"needsAuth", m.needsAuth},
              {"account", utf8(m.account)},
              {"password", utf8(m.password)},
              {"pop3Server", utf8(m.pop3Server)},
              {"pop3Account", utf8(m.pop3Account)},
              {"pop3Password", utf8(m.pop3Password)},
              {"pop3Port", m.pop3Port},
              {"usePop3Credentials", m.usePop3Credentials}};
}

template <typename Record, typename ToJson>
json listToJson(const std::vector<Record>& list, ToJson toJson) {
  json a = json::array();
  for (const Record& r : list)
    a.push_back(toJson(r));
  return a;
}

json bookToJson(const CAddressBook& book) {
  return json{{"devices", listToJson(book.devices, deviceToJson)},
              {"sites", listToJson(book.sites, siteToJson)},
              {"groups", listToJson(book.groups, groupToJson)},
              {"tcpipGroups", listToJson(book.tcpIpGroups, namedAddressToJson)},
              {"mailboxes", listToJson(book.mailboxes, namedAddressToJson)},
              {"mailServers", listToJson(book.mailServers, mailServerToJson)},
              {"defaultDevice", utf8(book.defaultDevice)}};
}

// True when nothing at all stands at `path` (a dangling link or an unreadable file is something).
bool isAbsent(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) != 0 && errno == ENOENT;
}

void runBookShow(CliContext& ctx) {
  CAddressBook book;
  // A data directory that has never held an address book shows an empty one.
  const std::string& dir = ctx.dataDir();
  if (dir.empty()) return;
  if (!isAbsent(addressbook::sitePath(dir)) && !ctx.loadAddressBook(&book)) return;
  json shown = bookToJson(book);
  addMailServerTls(varnel_profile::open(dir), &shown);
  // A CA file path that is not UTF-8 is shown with replacement characters rather than refused.
  std::cout << shown.dump(2, ' ', false, json::error_handler_t::replace) << "\n";
  if (!std::cout) ctx.fail("cannot write to standard output");
}

// ---- book import FILE.json ----

// Reads the fields of one JSON object into a record. A missing field keeps the record's default;
// a field of the wrong type or out of range is an error naming where it is.
class FieldReader {
 public:
  FieldReader(const json& object, std::string where, std::string* error)
      : object_(object), where_(std::move(where)), error_(error) {}

  void text(const char* key, std::string* out) {
    const json* v = find(key);
    if (!v) return;
    if (!v->is_string()) return fault(key, "must be a string");
    platform::Result<std::string> text = platform::utf8ToCp1252(v->get_ref<const std::string&>());
    if (!text.ok()) return fault(key, text.message());
    *out = std::move(text).value();
  }

  // An integer within [lowest, highest]; the default range is what the field's type holds.
  template <typename Int>
  void number(const char* key, Int* out, int64_t lowest = std::numeric_limits<Int>::min(),
              int64_t highest = std::numeric_limits<Int>::max()) {
    const json* v = find(key);
    if (!v) return;
    if (!v->is_number_integer()) return fault(key, "must be an integer");
    // A JSON number without a sign reads as unsigned, and may exceed what int64_t holds.
    const bool fits = v->is_number_unsigned()
                          ? v->get<uint64_t>() <= static_cast<uint64_t>(highest) &&
                                static_cast<int64_t>(v->get<uint64_t>()) >= lowest
                          : v->get<int64_t>() >= lowest && v->get<int64_t>() <= highest;
    if (!fits) {
      return fault(key, "is out of range (" + std::to_string(lowest) + " to " +
                            std::to_string(highest) + ")");
    }
    *out = static_cast<Int>(v->get<int64_t>());
  }

  void texts(const char* key, std::vector<std::string>* out) {
    const json* v = find(key);
    if (!v) return;
    if (!v->is_array()) return fault(key, "must be an array of strings");
    for (const json& item : *v) {
      if (!item.is_string()) return fault(key, "must be an array of strings");
      platform::Result<std::string> s = platform::utf8ToCp1252(item.get_ref<const std::string&>());
      if (!s.ok()) return fault(key, s.message());
      out->push_back(std::move(s).value());
    }
  }

 private:
  const json* find(const char* key) const {
    if (!error_->empty()) return nullptr;  // report the first fault only
    auto it = object_.find(key);
    return it == object_.end() ? nullptr : &*it;
  }

  void fault(const char* key, const std::string& why) {
    if (error_->empty()) *error_ = where_ + "." + key + " " + why;
  }

  const json& object_;
  const std::string where_;  // e.g. "devices[2]", for the error text
  std::string* const error_;
};

// Ranges of the numbers of a book: what the device and mail server dialogs can store, and no
// number that a later product (seconds to milliseconds) would overflow.
constexpr int64_t kMaxPort = 65535;
constexpr int64_t kMaxComPort = 255;
constexpr int64_t kMaxBaudRate = 4000000;
constexpr int64_t kMaxTimeoutSeconds = 24 * 60 * 60;

void deviceFromJson(FieldReader& f, CDevice* d) {
  int32_t type = static_cast<int32_t>(d->type);
  f.text("name", &d->name);
  f.number("type", &type, static_cast<int32_t>(addressbook::DeviceType::kSerial),
           static_cast<int32_t>(addressbook::DeviceType::kEmail));
  f.number("comPort", &d->comPort, 0, kMaxComPort);
  f.number("ipPort", &d->ipPort, 0, kMaxPort);
  f.number("baudRate", &d->baudRate, 0, kMaxBaudRate);
  // 0 is what a device that never was a modem may carry (the virtual sign's, older files).
  f.number("modemKind", &d->modemKind, 0, addressbook::kExternalModem);
  f.number("dialTimeout", &d->dialTimeout, 0, kMaxTimeoutSeconds);
  f.number("tcpTimeout", &d->tcpTimeout, 0, kMaxTimeoutSeconds);
  f.text("modemName", &d->modemName);
  f.text("mailServer", &d->mailServerName);
  d->type = static_cast<addressbook::DeviceType>(type);
}

void siteFromJson(FieldReader& f, CSite* s) {
  f.text("name", &s->name);
  f.text("device", &s->deviceName);
  f.text("addresses", &s->signAddresses);
  f.text("phone", &s->phoneNumber);
  f.text("target", &s->networkTarget);
}

void groupFromJson(FieldReader& f, CSiteGroup* g) {
  f.text("name", &g->name);
  f.texts("sites", &g->siteNames);
}

void namedAddressFromJson(FieldReader& f, CNamedAddress* a) {
  f.text("name", &a->name);
  f.text("address", &a->address);
}

void mailServerFromJson(FieldReader& f, CMailServer* m) {
  f.text("name", &m->name);
  f.text("smtpServer", &m->smtpServer);
  f.text("mailAddress", &m->mailAddress);
  f.number("smtpPort", &m->smtpPort, 0, kMaxPort);
  f.number("needsAuth", &m->needsAuth, 0, 1);
  f.text("account", &m->account);
  f.text("password", &m->password);
  f.text("pop3Server", &m->pop3Server);
  f.text("pop3Account", &m->pop3Account);
  f.text("pop3Password", &m->pop3Password);
  f.number("pop3Port", &m->pop3Port, 0, kMaxPort);
  f.number("usePop3Credentials", &m->usePop3Credentials, 0, 1);
}

// Fills `list` from the array under `key`. Names are the keys between records, so a name that
// stands twice in one list is refused rather than leaving the second record unreachable.
template <typename Record, typename FromJson>
bool listFromJson(const json& root, const char* key, std::vector<Record>* list, FromJson fromJson,
                  std::string* error) {
  auto it = root.find(key);
  if (it == root.end()) return true;
  if (!it->is_array()) {
    *error = std::string(key) + " must be an array";
    return false;
  }
  std::set<std::string> names;
  for (size_t i = 0; i < it->size(); ++i) {
    const json& item = (*it)[i];
    const std::string where = std::string(key) + "[" + std::to_string(i) + "]";
    if (!item.is_object()) {
      *error = where + " must be an object";
      return false;
    }
    Record record;
    FieldReader fields(item, where, error);
    fromJson(fields, &record);
    if (!error->empty()) return false;
    if (!names.insert(record.name).second) {
      *error =
          where + ".name \"" + platform::cp1252ToUtf8(record.name) + "\" is already used in " + key;
      return false;
    }
    list->push_back(std::move(record));
  }
  return true;
}

bool bookFromJson(const json& root, CAddressBook* book, std::string* error) {
  if (!root.is_object()) {
    *error = "the address book must be a JSON object";
    return false;
  }
  if (!listFromJson(root, "devices", &book->devices, deviceFromJson, error) ||
      !listFromJson(root, "sites", &book->sites, siteFromJson, error) ||
      !listFromJson(root, "groups", &book->groups, groupFromJson, error) ||
      !listFromJson(root, "tcpipGroups", &book->tcpIpGroups, namedAddressFromJson, error) ||
      !listFromJson(root, "mailboxes", &book->mailboxes, namedAddressFromJson, error) ||
      !listFromJson(root, "mailServers", &book->mailServers, mailServerFromJson, error)) {
    return false;
  }
  FieldReader top(root, "book", error);
  top.text("defaultDevice", &book->defaultDevice);
  return error->empty();
}

// ---- the dialogs' checks on an imported book ----

// "<list>[<index>] "<name>": <the dialog's text>", in UTF-8 on one line.
std::string recordFault(const char* list, size_t index, const std::string& name,
                        const platform::Status& why) {
  std::string text = platform::cp1252ToUtf8(why.message());
  for (char& c : text) {
    if (c == '\r') c = ' ';
  }
  return std::string(list) + "[" + std::to_string(index) + "] \"" + utf8(name) + "\": " + text;
}

// Runs `check` on every record of `list`; false with the first fault in *error.
template <typename Record, typename Check>
bool checkList(const std::vector<Record>& list, const char* key, Check check, std::string* error) {
  for (size_t i = 0; i < list.size(); ++i) {
    const platform::Status status = check(list[i]);
    if (!status.ok()) {
      *error = recordFault(key, i, list[i].name, status);
      return false;
    }
  }
  return true;
}

// A group lists each site once, as the Group parameters dialog keeps it.
platform::Status checkMembers(const CSiteGroup& group) {
  std::set<std::string> seen;
  for (const std::string& member : group.siteNames) {
    if (!seen.insert(member).second)
      return platform::Status::refused("the site \"" + member + "\" stands twice in the group");
  }
  return platform::Status::success();
}

// What the address-book dialogs would refuse, in the order of the file: the devices' mail server
// and modem, the sites' addresses, device, TCP/IP group, mailbox and phone number, the groups'
// members, the TCP/IP groups' addresses, and a default device that names no device.
bool checkBook(const CAddressBook& book, std::string* error) {
  using addressbook::validateSite;
  const auto device = [&book](const CDevice& d) {
    return addressbook::validateDeviceReferences(book, d);
  };
  const auto site = [&book](const CSite& s) { return validateSite(book, s); };
  const auto tcpIpGroup = [](const CNamedAddress& g) {
    return addressbook::validateTcpIpAddress(g.address);
  };
  if (!checkList(book.devices, "devices", device, error) ||
      !checkList(book.sites, "sites", site, error) ||
      !checkList(book.groups, "groups", checkMembers, error) ||
      !checkList(book.tcpIpGroups, "tcpipGroups", tcpIpGroup, error))
    return false;
  if (!book.defaultDevice.empty() && !book.findDevice(book.defaultDevice)) {
    *error = "defaultDevice \"" + utf8(book.defaultDevice) + "\" names no device";
    return false;
  }
  return true;
}

void runBookImport(CliContext& ctx, const std::string& jsonPath) {
  const platform::Result<std::string> text = platform::readWholeFile(jsonPath, kMaxImportBytes);
  if (!text.ok()) {
    ctx.fail(text.message());
    return;
  }
  const json root = json::parse(*text, nullptr, /*allow_exceptions=*/false);
  if (root.is_discarded()) {
    ctx.fail(jsonPath + ": not valid JSON");
    return;
  }
  CAddressBook book;
  std::string error;
  std::vector<mail::TlsChoice> tls;
  if (!bookFromJson(root, &book, &error) || !checkBook(book, &error) ||
      !mailServerTlsFromJson(root, book.mailServers, &tls, &error)) {
    ctx.fail(jsonPath + ": " + error);
    return;
  }
  const std::string& dir = ctx.dataDir();
  if (dir.empty()) return;
  platform::Status saved = book.save(addressbook::sitePath(dir));
  if (saved.ok()) saved = storeMailServerTls(varnel_profile::open(dir), book.mailServers, tls);
  if (!saved.ok()) ctx.fail(platform::cp1252ToUtf8(saved.toString()));
}

}  // namespace

void addAddressCommands(CLI::App& app, CliContext& ctx) {
  auto addresses = std::make_shared<AddressesOptions>();
  CLI::App* addressesCmd = app.add_subcommand(
      "addresses", "Expand a sign-address list (e.g. 1,3,5-7) into the sign addresses it names");
  addressesCmd->add_option("LIST", addresses->list, "The sign-address list")->required();
  addressesCmd->add_flag("--no-validate", addresses->noValidate,
                         "Expand even a list the site dialog would refuse");
  addressesCmd->callback([&ctx, addresses] { runAddresses(ctx, *addresses); });

  CLI::App* bookCmd =
      app.add_subcommand("book", "The address book (site manage file in the data directory)");
  bookCmd->require_subcommand(1);

  CLI::App* showCmd = bookCmd->add_subcommand("show", "Print the address book");
  auto showJson = std::make_shared<bool>(false);
  showCmd->add_flag("--json", *showJson, "As JSON (the only format)")->required();
  // The callback holds the flag's storage for as long as the command exists.
  showCmd->callback([&ctx, showJson] { runBookShow(ctx); });

  auto importPath = std::make_shared<std::string>();
  CLI::App* importCmd =
      bookCmd->add_subcommand("import", "Replace the address book with one read from JSON");
  importCmd->add_option("FILE", *importPath, "JSON in the form printed by 'book show --json'")
      ->required();
  importCmd->callback([&ctx, importPath] { runBookImport(ctx, *importPath); });
}

}  // namespace cli
