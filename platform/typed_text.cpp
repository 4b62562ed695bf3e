#include "platform/typed_text.h"

#include <vector>

#include "platform/cp1252.h"

namespace platform {

size_t storeTypedTexts(std::initializer_list<TypedText> texts) {
  std::vector<std::string> converted;
  converted.reserve(texts.size());
  for (const TypedText& text : texts) {
    Result<std::string> bytes = utf8ToCp1252(text.utf8);
    if (!bytes.ok()) return converted.size();
    converted.push_back(std::move(bytes).value());
  }
  size_t i = 0;
  for (const TypedText& text : texts)
    *text.field = std::move(converted[i++]);
  return texts.size();
}

}  // namespace platform
