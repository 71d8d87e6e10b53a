#pragma once

// The page as it is written out: a tree of elements and texts whose attributes and style are
// already what the book holds, and its writer, which escapes them as XML wants.

#include "generator/package/inline_style.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quarbel::xhtml {

struct Node {
  std::string name; // empty for text
  std::string text;
  std::vector<std::pair<std::string, std::string>> attributes; // without style
  Style style;
  std::vector<Node> children;
  bool isText() const { return name.empty(); }
  bool isBlankText() const;
};

Node TextNode(std::string text);
Node ElementNode(std::string name);

// An attribute of the node, or nullptr.
const std::string* Find(const Node& node, std::string_view name);

// Replaces an attribute in place, or adds it after the others.
void Set(Node& node, const std::string& name, std::string value);
void Erase(Node& node, std::string_view name);

// The hints go before the element's own style, which wins over them.
void ApplyHints(Node& node, const Style& hints);

// Leaves the attributes every element may have: id, class, title, lang and dir.
void KeepGlobalAttributesOnly(Node& node);

// No open row, group or item: an index into a list of nodes that points at none.
inline constexpr size_t kNone = static_cast<size_t>(-1);

// Appends the node as XHTML: the id first, the style last; characters XML does not allow and
// broken UTF-8 left out, line ends as line feeds.
void Write(const Node& node, std::string& out);

} // namespace quarbel::xhtml
