#include "structure/course_tree.h"

#include <algorithm>

namespace quarbel {

int CourseTree::Node::Depth() const {
  int depth = 0;
  for (const Node* p = parent; p; p = p->parent)
    ++depth;
  return depth;
}

CourseTree::Node* CourseTree::AddLast(Node* parent, std::string text) {
  auto node = std::make_unique<Node>();
  node->text = std::move(text);
  node->parent = parent;
  Node* raw = node.get();
  ListOf(parent).push_back(std::move(node));
  return raw;
}

std::unique_ptr<CourseTree::Node> CourseTree::Detach(Node* node) {
  auto& list = ListOf(node->parent);
  const auto it =
      std::find_if(list.begin(), list.end(), [&](const auto& n) { return n.get() == node; });
  std::unique_ptr<Node> owned = std::move(*it);
  list.erase(it);
  return owned;
}

void CourseTree::Remove(Node* node) {
  Detach(node);
}

void CourseTree::MoveToEnd(Node* node, Node* parent) {
  std::unique_ptr<Node> owned = Detach(node);
  owned->parent = parent;
  ListOf(parent).push_back(std::move(owned));
}

bool CourseTree::SwapWithPrevious(Node* node) {
  auto& list = ListOf(node->parent);
  const auto it =
      std::find_if(list.begin(), list.end(), [&](const auto& n) { return n.get() == node; });
  if (it == list.begin())
    return false;
  std::iter_swap(it, it - 1);
  return true;
}

bool CourseTree::SwapWithNext(Node* node) {
  auto& list = ListOf(node->parent);
  const auto it =
      std::find_if(list.begin(), list.end(), [&](const auto& n) { return n.get() == node; });
  if (it + 1 == list.end())
    return false;
  std::iter_swap(it, it + 1);
  return true;
}

bool CourseTree::InSubtree(const Node* node, const Node* root) {
  for (const Node* p = node; p; p = p->parent) {
    if (p == root)
      return true;
  }
  return false;
}

void CourseTree::ExpandAll(Node* node) {
  node->expanded = true;
  for (auto& child : node->children)
    ExpandAll(child.get());
}

void CourseTree::ExpandAncestors(Node* node) {
  for (Node* p = node->parent; p; p = p->parent)
    ExpandAll(p);
}

std::vector<CourseTree::Node*> CourseTree::DisplayOrder() const {
  std::vector<Node*> order;
  std::vector<Node*> stack;
  for (auto it = roots_.rbegin(); it != roots_.rend(); ++it)
    stack.push_back(it->get());
  while (!stack.empty()) {
    Node* node = stack.back();
    stack.pop_back();
    order.push_back(node);
    for (auto it = node->children.rbegin(); it != node->children.rend(); ++it)
      stack.push_back(it->get());
  }
  return order;
}

Outline CourseTree::ToOutline() const {
  Outline outline;
  for (const Node* node : DisplayOrder())
    outline.push_back({node->Depth(), node->text});
  return outline;
}

void CourseTree::Assign(const Outline& outline) {
  roots_.clear();
  std::vector<Node*> path; // the last node placed at each depth
  for (const OutlineNode& entry : outline) {
    const size_t depth =
        std::min<size_t>(static_cast<size_t>(std::max(entry.depth, 0)), path.size());
    Node* parent = depth == 0 ? nullptr : path[depth - 1];
    path.resize(depth);
    path.push_back(AddLast(parent, entry.text));
  }
}

} // namespace quarbel
