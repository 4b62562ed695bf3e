#include "platform/ui/qt_text.h"

#include <unordered_map>

#include "platform/cp1252.h"

namespace platform::ui {
namespace {

const std::unordered_map<char32_t, char>& codePointToByte() {
  static const auto table = [] {
    std::unordered_map<char32_t, char> map;
    for (int b = 0; b < 256; ++b) {
      map.emplace(platform::cp1252ToCodePoint(static_cast<unsigned char>(b)), static_cast<char>(b));
    }
    return map;
  }();
  return table;
}

}  // namespace

QString fromCp1252(const std::string& bytes) {
  return QString::fromStdString(platform::cp1252ToUtf8(bytes));
}

std::string toCp1252(const QString& text) {
  const auto& table = codePointToByte();
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (const uint cp : text.toUcs4()) {
    const auto it = table.find(cp);
    out.push_back(it == table.end() ? '?' : it->second);
  }
  return out;
}

}  // namespace platform::ui
