#include "generator/package/xhtml_shape.h"

#include "generator/package/xhtml_elements.h"
#include "generator/package/xhtml_tables.h"
#include "generator/package/xhtml_text.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <map>
#include <string_view>
#include <utility>
#include <vector>

namespace quarbel::xhtml {
namespace {

// ---- Lists and other groups ---------------------------------------------------------------

// Content of a list that is not an item joins the item before it (or a new one).
void WrapInItems(Node& list, std::initializer_list<std::string_view> items, const char* wrapper) {
  std::vector<Node> children;
  size_t open = kNone;
  for (Node& child : list.children) {
    if (!child.isText() && IsOneOf(child.name, items)) {
      children.push_back(std::move(child));
      open = children.size() - 1;
    } else if (child.isBlankText()) {
      children.push_back(std::move(child));
    } else {
      if (open == kNone) {
        children.push_back(ElementNode(wrapper));
        open = children.size() - 1;
      }
      children[open].children.push_back(std::move(child));
    }
  }
  list.children = std::move(children);
}

// A definition list is runs of terms, each followed by a run of definitions: a definition
// without a term gets an empty one, and so does a term without a definition.
void PairTermsAndDefinitions(Node& list) {
  WrapInItems(list, {"dt", "dd"}, "dd");
  std::vector<Node> children;
  std::string last;
  for (Node& child : list.children) {
    if (child.name == "dd" && last != "dt" && last != "dd")
      children.push_back(ElementNode("dt"));
    if (!child.isText())
      last = child.name;
    children.push_back(std::move(child));
  }
  if (last == "dt")
    children.push_back(ElementNode("dd"));
  list.children = std::move(children);
}

// List items outside a list get one.
void GatherStrayItems(Node& node) {
  std::vector<Node> children;
  size_t open = kNone;
  for (Node& child : node.children) {
    const char* list = child.name == "li"                         ? "ul"
                       : child.name == "dt" || child.name == "dd" ? "dl"
                                                                  : nullptr;
    if (list) {
      if (open == kNone || children[open].name != list) {
        children.push_back(ElementNode(list));
        open = children.size() - 1;
      }
      children[open].children.push_back(std::move(child));
    } else if (child.isBlankText() && open != kNone) {
      children[open].children.push_back(std::move(child));
    } else {
      open = kNone;
      children.push_back(std::move(child));
    }
  }
  node.children = std::move(children);
}

// Ruby as XHTML has it: runs of base text, each followed by its annotations, either rt
// elements alone or between rp elements that hold only text.
bool IsWellFormedRuby(const Node& ruby) {
  std::vector<const Node*> items;
  for (const Node& child : ruby.children)
    if (!child.isBlankText())
      items.push_back(&child);
  const auto is = [&](size_t i, std::string_view name) {
    return i < items.size() && items[i]->name == name;
  };
  for (const Node* item : items)
    if (item->name == "rp" && !std::all_of(item->children.begin(), item->children.end(),
                                           [](const Node& n) { return n.isText(); }))
      return false;
  size_t i = 0;
  while (i < items.size()) {
    const size_t base = i;
    while (i < items.size() && !is(i, "rt") && !is(i, "rp"))
      ++i;
    if (i == base || i == items.size())
      return false;
    if (is(i, "rt")) {
      while (is(i, "rt"))
        ++i;
      continue;
    }
    ++i;
    const size_t pairs = i;
    while (is(i, "rt") && is(i + 1, "rp"))
      i += 2;
    if (i == pairs)
      return false;
  }
  return !items.empty();
}

void FixGroups(Node& node) {
  if (std::any_of(node.children.begin(), node.children.end(),
                  [](const Node& n) { return n.name == "ruby" && !IsWellFormedRuby(n); })) {
    // Ruby of another shape gives way to its text; its annotations follow as spans.
    std::vector<Node> children;
    for (Node& child : node.children) {
      if (child.name == "ruby" && !IsWellFormedRuby(child))
        std::move(child.children.begin(), child.children.end(), std::back_inserter(children));
      else
        children.push_back(std::move(child));
    }
    node.children = std::move(children);
  }
  if (node.name == "ul" || node.name == "ol")
    WrapInItems(node, {"li"}, "li");
  else if (node.name == "dl")
    PairTermsAndDefinitions(node);
  else
    GatherStrayItems(node);

  std::vector<Node*> elements;
  for (Node& child : node.children)
    if (!child.isText())
      elements.push_back(&child);
  for (size_t i = 0; i < elements.size(); ++i) {
    Node& child = *elements[i];
    if (node.name == "ul" && child.name == "li")
      Erase(child, "value");
    // A figure's caption is its first or last child.
    const bool captionPlace = node.name == "figure" && (i == 0 || i + 1 == elements.size());
    if (child.name == "figcaption" && !captionPlace)
      child.name = "div";
    if ((child.name == "rt" || child.name == "rp") && node.name != "ruby")
      child.name = "span";
  }
  if (node.name == "figure" && elements.size() > 1 && elements.front()->name == "figcaption" &&
      elements.back()->name == "figcaption")
    elements.back()->name = "div";
  for (Node& child : node.children)
    if (!child.isText())
      FixGroups(child);
}

// ---- Nesting --------------------------------------------------------------------------------

// No link inside a link, no media controls inside a link, no definition inside a definition.
void FixNesting(Node& node, bool inLink, bool inDefinition) {
  for (Node& child : node.children) {
    if (child.isText())
      continue;
    if ((child.name == "a" && inLink) || (child.name == "dfn" && inDefinition)) {
      child.name = "span";
      KeepGlobalAttributesOnly(child);
    }
    if ((child.name == "video" || child.name == "audio") && inLink)
      Erase(child, "controls");
    FixNesting(child, inLink || child.name == "a", inDefinition || child.name == "dfn");
  }
}

bool HoldsFlow(const Node& node) {
  return std::any_of(node.children.begin(), node.children.end(), [](const Node& child) {
    return !child.isText() && (!IsPhrasing(child.name) || HoldsFlow(child));
  });
}

// A phrase element around blocks becomes a division that looks the same.
void MakeDivision(Node& node) {
  static const std::map<std::string_view, Style> looks = {
      {"b", {{"font-weight", "bold"}}},
      {"strong", {{"font-weight", "bold"}}},
      {"i", {{"font-style", "italic"}}},
      {"em", {{"font-style", "italic"}}},
      {"cite", {{"font-style", "italic"}}},
      {"dfn", {{"font-style", "italic"}}},
      {"var", {{"font-style", "italic"}}},
      {"u", {{"text-decoration", "underline"}}},
      {"s", {{"text-decoration", "line-through"}}},
      {"code", {{"font-family", "monospace"}}},
      {"kbd", {{"font-family", "monospace"}}},
      {"samp", {{"font-family", "monospace"}}},
      {"small", {{"font-size", "smaller"}}},
      {"sub", {{"vertical-align", "sub"}, {"font-size", "smaller"}}},
      {"sup", {{"vertical-align", "super"}, {"font-size", "smaller"}}},
      {"mark", {{"background-color", "yellow"}}}};
  if (const auto look = looks.find(node.name); look != looks.end())
    ApplyHints(node, look->second);
  KeepGlobalAttributesOnly(node);
  node.name = "div";
}

// A block inside a phrase becomes a span that shows as the block did.
void MakeSpan(Node& node) {
  static const std::map<std::string_view, Style> looks = {
      {"li", {{"display", "list-item"}}},
      {"table", {{"display", "table"}}},
      {"caption", {{"display", "table-caption"}}},
      {"thead", {{"display", "table-header-group"}}},
      {"tbody", {{"display", "table-row-group"}}},
      {"tfoot", {{"display", "table-footer-group"}}},
      {"tr", {{"display", "table-row"}}},
      {"td", {{"display", "table-cell"}}},
      {"th", {{"display", "table-cell"}, {"font-weight", "bold"}}},
      {"colgroup", {{"display", "table-column-group"}}},
      {"col", {{"display", "table-column"}}},
      {"pre", {{"display", "block"}, {"white-space", "pre"}, {"font-family", "monospace"}}},
      {"hr", {{"display", "block"}, {"border-top", "1px solid"}}}};
  const auto look = looks.find(node.name);
  Style hints = look != looks.end() ? look->second : Style{{"display", "block"}};
  if (IsHeading(node.name))
    hints.push_back({"font-weight", "bold"});
  ApplyHints(node, hints);
  KeepGlobalAttributesOnly(node);
  node.name = "span";
}

enum class Content { Flow, Phrasing };

void FixContent(Node& node, Content content) {
  for (Node& child : node.children) {
    if (child.isText())
      continue;
    if (IsTransparent(child.name)) {
      FixContent(child, content);
    } else if (IsPhrasing(child.name)) {
      const bool blocks = content == Content::Flow && HoldsFlow(child);
      if (blocks)
        MakeDivision(child);
      FixContent(child, blocks ? Content::Flow : Content::Phrasing);
    } else if (content == Content::Phrasing) {
      MakeSpan(child);
      FixContent(child, Content::Phrasing);
    } else {
      if (child.name == "p" && HoldsFlow(child))
        child.name = "div"; // a paragraph around blocks (a text frame) holds them as a division
      const bool phrases = child.name == "p" || child.name == "pre" || IsHeading(child.name);
      FixContent(child, phrases ? Content::Phrasing : Content::Flow);
    }
  }
}

// ---- ids ----------------------------------------------------------------------------------

// The first element of an id keeps it; an anchor left with neither id nor link gives way to
// its content.
void SettleIds(Node& node, std::set<std::string>& ids) {
  std::vector<Node> children;
  for (Node& child : node.children) {
    if (child.isText()) {
      children.push_back(std::move(child));
      continue;
    }
    if (const std::string* id = Find(child, "id"); id && !ids.insert(*id).second)
      Erase(child, "id");
    SettleIds(child, ids);
    if (child.name == "a" && !Find(child, "id") && !Find(child, "href"))
      std::move(child.children.begin(), child.children.end(), std::back_inserter(children));
    else
      children.push_back(std::move(child));
  }
  node.children = std::move(children);
}

} // namespace

void FixContentModel(Node& body, std::set<std::string>& ids) {
  FixTables(body);
  FixGroups(body);
  FixNesting(body, false, false);
  FixContent(body, Content::Flow);
  SettleIds(body, ids);
}

} // namespace quarbel::xhtml
