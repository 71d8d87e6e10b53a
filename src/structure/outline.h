#pragma once

#include <string>
#include <vector>

// The course structure as the program's core sees it: the nodes in display order
// (a node, then its children, then its next sibling), each with its depth.
namespace quarbel {

struct OutlineNode {
  int depth = 0;    // 0 for a top-level node, one more for each ancestor
  std::string text; // Windows-1251; a document node's text holds "[" (see node_text.h)

  bool operator==(const OutlineNode&) const = default;
};

using Outline = std::vector<OutlineNode>;

// The menu's level of a node: 1 at the top, one more for each ancestor.
inline int NodeLevel(const OutlineNode& node) {
  return node.depth + 1;
}

// True when the depths describe a tree: the first node is at depth 0 and no node is more
// than one level deeper than the node before it.
bool IsWellFormed(const Outline& outline);

} // namespace quarbel
