#include "cli/book_tls.h"

#include "mail/tls_profile.h"
#include "platform/cp1252.h"

namespace cli {

namespace {

// The choice of one server object; an empty *error when it reads.
mail::TlsChoice choiceFromJson(const BookJson& server, const std::string& where,
                               std::string* error) {
  mail::TlsChoice choice;
  const auto policy = server.find("tls");
  if (policy != server.end()) {
    const platform::Result<platform::TlsPolicy> named =
        policy->is_string()
            ? mail::tlsPolicyFromName(policy->get_ref<const std::string&>())
            : platform::Result<platform::TlsPolicy>(platform::Status::refused("must be a string"));
    if (!named.ok()) {
      *error = where + ".tls " + named.message();
      return choice;
    }
    choice.policy = *named;
  }
  const auto caFile = server.find("caFile");
  if (caFile == server.end()) return choice;
  const platform::Status path = caFile->is_string()
                                    ? mail::checkStorableCaFile(caFile->get<std::string>())
                                    : platform::Status::refused("must be a string");
  if (!path.ok()) {
    *error = where + ".caFile " + path.message();
    return choice;
  }
  choice.caFile = caFile->get<std::string>();
  return choice;
}

}  // namespace

void addMailServerTls(const platform::ProfileFile& profile, BookJson* book) {
  for (BookJson& server : (*book)["mailServers"]) {
    const std::string name = platform::utf8ToCp1252Lossy(server["name"].get<std::string>());
    const mail::TlsChoice choice = mail::readTlsChoice(profile, name);
    if (choice.policy) server["tls"] = std::string(platform::tlsPolicyName(*choice.policy));
    if (!choice.caFile.empty()) server["caFile"] = choice.caFile;
  }
}

bool mailServerTlsFromJson(const BookJson& book,
                           const std::vector<addressbook::CMailServer>& servers,
                           std::vector<mail::TlsChoice>* choices, std::string* error) {
  choices->assign(servers.size(), {});
  const auto list = book.find("mailServers");
  for (size_t i = 0; list != book.end() && i < servers.size() && i < list->size(); ++i) {
    (*choices)[i] = choiceFromJson((*list)[i], "mailServers[" + std::to_string(i) + "]", error);
    if (!error->empty()) return false;
  }
  return true;
}

platform::Status storeMailServerTls(const platform::ProfileFile& profile,
                                    const std::vector<addressbook::CMailServer>& servers,
                                    const std::vector<mail::TlsChoice>& choices) {
  std::vector<std::string> names;
  for (size_t i = 0; i < servers.size() && i < choices.size(); ++i) {
    names.push_back(servers[i].name);
    const platform::Status written = mail::writeTlsChoice(profile, servers[i].name, choices[i]);
    if (!written.ok()) return written;
  }
  return mail::forgetOtherTlsChoices(profile, names);
}

}  // namespace cli
