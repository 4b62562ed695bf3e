#include "mail/cram_md5.h"

#include "mail/hmac_md5.h"

namespace mail {

std::string cramMd5Response(std::string_view userName, std::string_view password,
                            std::string_view challenge) {
  std::string response(userName);
  response += ' ';
  response += digestToHex(hmacMd5(password, challenge));
  return response;
}

}  // namespace mail
