#include "mail/mail_address.h"

#include "mail/encoded_word.h"

namespace mail {

std::string_view trimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

MailAddress MailAddress::parse(std::string_view text) {
  const std::string_view trimmed = trimBlanks(text);
  const size_t open = trimmed.find('<');
  const size_t close = trimmed.find('>');
  if (open != std::string_view::npos && close != std::string_view::npos && close > open + 1) {
    return MailAddress(std::string(trimBlanks(trimmed.substr(0, open))),
                       std::string(trimmed.substr(open + 1, close - open - 1)));
  }
  return MailAddress(std::string(), std::string(trimmed));
}

std::string MailAddress::regularForm(std::string_view charset) const {
  if (friendlyName.empty()) return emailAddress;
  return encodeWords(friendlyName, charset) + " <" + emailAddress + ">";
}

std::vector<MailAddress> parseAddressList(std::string_view list) {
  std::vector<MailAddress> addresses;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find_first_of(",;", start);
    if (end == std::string_view::npos) end = list.size();
    MailAddress address = MailAddress::parse(list.substr(start, end - start));
    if (!address.emailAddress.empty()) addresses.push_back(std::move(address));
    start = end + 1;
  }
  return addresses;
}

}  // namespace mail
