#pragma once

#include <memory>
#include <string>
#include <vector>

#include "i18n/dialog_texts.h"
#include "i18n/language_targets.h"
#include "i18n/menu_texts.h"

namespace language_test {

// A dialog made of plain data, built from a template or by hand.
class FakeDialog : public i18n::DialogTextTarget {
 public:
  struct Child {
    std::string className;
    int id;
    bool visible;
    std::string text;
  };

  FakeDialog() = default;
  explicit FakeDialog(const i18n::DialogTemplate& t) : caption(t.caption) {
    for (const auto& c : t.controls) {
      children.push_back(
          {std::string(i18n::controlClassName(c.kind)), c.id, !c.hidden, std::string(c.text)});
    }
  }

  void setCaption(const std::string& text) override { caption = text; }
  int childCount() const override { return static_cast<int>(children.size()); }
  std::string childClassName(int i) const override { return children[i].className; }
  int childId(int i) const override { return children[i].id; }
  bool childVisible(int i) const override { return children[i].visible; }
  void setChildText(int i, const std::string& text) override { children[i].text = text; }

  // The text of the first child with `id`.
  std::string textOf(int id) const {
    for (const auto& c : children) {
      if (c.id == id) return c.text;
    }
    return "<none>";
  }

  std::string caption;
  std::vector<Child> children;
};

// A menu made of plain data, built from a menu template.
class FakeMenu : public i18n::MenuTextTarget {
 public:
  struct Entry {
    i18n::MenuItemKind kind;
    std::string text;
    int commandId;
    std::unique_ptr<FakeMenu> sub;
  };

  explicit FakeMenu(const std::vector<i18n::MenuItem>& items) {
    for (const auto& item : items) {
      entries.push_back({item.kind, item.text, item.commandId,
                         item.kind == i18n::MenuItemKind::kPopup
                             ? std::make_unique<FakeMenu>(item.items)
                             : nullptr});
    }
  }

  int itemCount() const override { return static_cast<int>(entries.size()); }
  i18n::MenuItemKind itemKind(int p) const override { return entries[p].kind; }
  MenuTextTarget* submenu(int p) override { return entries[p].sub.get(); }
  void setPopupText(int p, const std::string& text) override { entries[p].text = text; }
  void setCommandText(int id, const std::string& text) override {
    for (auto& e : entries) {
      if (e.kind == i18n::MenuItemKind::kCommand && e.commandId == id) e.text = text;
    }
  }
  int commandId(int p) const override { return entries[p].commandId; }

  // Texts of every popup and command, depth first.
  std::vector<std::string> walk() const {
    std::vector<std::string> out;
    for (const auto& e : entries) {
      if (e.kind == i18n::MenuItemKind::kSeparator) continue;
      out.push_back(e.text);
      if (e.sub) {
        auto inner = e.sub->walk();
        out.insert(out.end(), inner.begin(), inner.end());
      }
    }
    return out;
  }

  std::vector<Entry> entries;
};

}  // namespace language_test
