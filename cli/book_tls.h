#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "addressbook/address_records.h"
#include "mail/tls_choice.h"
#include "platform/profile_file.h"

// The mail servers' TLS choices in the address book's JSON: each server object may carry "tls"
// ("required", "starttls" or "plain") and "caFile" (a path, taken as it stands). They are kept in
// varnel.ini (mail/tls_profile.h), not in the site manage file; a server without them follows its
// ports and trusts the system's store.
namespace cli {

using BookJson = nlohmann::ordered_json;

// Adds the stored choice of every server in `book`'s "mailServers" (what 'book show' prints).
void addMailServerTls(const platform::ProfileFile& profile, BookJson* book);

// The choices of the servers of an imported book, in the order of `servers` (read from the same
// document). False with *error naming the field when one is not a policy or not a path.
bool mailServerTlsFromJson(const BookJson& book,
                           const std::vector<addressbook::CMailServer>& servers,
                           std::vector<mail::TlsChoice>* choices, std::string* error);

// Stores the imported choices and removes those of servers the book no longer holds.
platform::Status storeMailServerTls(const platform::ProfileFile& profile,
                                    const std::vector<addressbook::CMailServer>& servers,
                                    const std::vector<mail::TlsChoice>& choices);

}  // namespace cli
