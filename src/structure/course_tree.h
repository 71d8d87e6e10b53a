#pragma once

#include "structure/outline.h"

#include <memory>
#include <string>
#include <vector>

namespace quarbel {

// The course structure as a tree of nodes, each holding only its text (and, for the view,
// whether it is expanded). Nodes keep their identity while they move.
class CourseTree {
public:
  struct Node {
    std::string text;
    Node* parent = nullptr;
    std::vector<std::unique_ptr<Node>> children;
    bool expanded = false;

    int Depth() const;
  };

  const std::vector<std::unique_ptr<Node>>& roots() const { return roots_; }
  bool Empty() const { return roots_.empty(); }

  // A new last child of `parent` (a new last top-level node for nullptr).
  Node* AddLast(Node* parent, std::string text);
  // Removes the node with its subtree.
  void Remove(Node* node);
  // Moves the node with its subtree to be the last child of `parent` (the top level for
  // nullptr). `parent` must not lie in the node's subtree.
  void MoveToEnd(Node* node, Node* parent);
  // Exchanges the node with its previous or next sibling; false when it has none.
  bool SwapWithPrevious(Node* node);
  bool SwapWithNext(Node* node);

  // True when `node` is `root` or lies beneath it.
  static bool InSubtree(const Node* node, const Node* root);

  // Expands, from the node's parent up to the top, every ancestor with all nodes beneath it.
  void ExpandAncestors(Node* node);
  static void ExpandAll(Node* node);

  // The nodes in display order: a node, its children, then its next sibling.
  std::vector<Node*> DisplayOrder() const;

  Outline ToOutline() const;
  // Replaces every node with the outline's nodes, all collapsed.
  void Assign(const Outline& outline);
  void Clear() { roots_.clear(); }

private:
  std::vector<std::unique_ptr<Node>>& ListOf(Node* parent) {
    return parent ? parent->children : roots_;
  }
  std::unique_ptr<Node> Detach(Node* node);

  std::vector<std::unique_ptr<Node>> roots_;
};

} // namespace quarbel
