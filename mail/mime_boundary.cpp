#include "mail/mime_boundary.h"

#include <uuid/uuid.h>

namespace mail {

std::string makeMimeBoundary() {
  uuid_t uuid;
  ::uuid_generate(uuid);
  char text[37];  // 36 characters and the terminator.
  ::uuid_unparse_lower(uuid, text);
  return std::string(text);
}

}  // namespace mail
