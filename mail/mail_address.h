#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mail {

// One mail address with its optional display name, as headers and the SMTP envelope use it.
struct MailAddress {
  std::string friendlyName;  // Display name; empty when there is none.
  std::string emailAddress;  // The bare address (what goes between "<" and ">").

  MailAddress() = default;
  MailAddress(std::string name, std::string address)
      : friendlyName(std::move(name)), emailAddress(std::move(address)) {}

  // Parses "Name <address>" or a bare address. Blanks are trimmed on both ends; when the text
  // holds "<" and ">" with at least one character between the first "<" and the first ">", that
  // text is the address and the trimmed text before "<" the name; otherwise the whole text is
  // the address and the name is empty.
  static MailAddress parse(std::string_view text);

  // The header form: the address alone without a name, else "name <address>" with the name
  // written as encoded words in `charset`.
  std::string regularForm(std::string_view charset) const;

  bool operator==(const MailAddress&) const = default;
};

// Splits an address list at "," and ";", parses each trimmed item and drops those whose address
// comes out empty.
std::vector<MailAddress> parseAddressList(std::string_view list);

// Removes blanks from both ends of `text`.
std::string_view trimBlanks(std::string_view text);

}  // namespace mail
