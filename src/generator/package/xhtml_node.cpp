#include "generator/package/xhtml_node.h"

#include "generator/package/xhtml_elements.h"
#include "generator/package/xhtml_text.h"

#include <algorithm>

namespace quarbel::xhtml {
namespace {

void AppendEscaped(std::string& out, std::string_view text, bool attribute) {
  for (size_t i = 0; i < text.size();) {
    const Utf8Char c = DecodeAt(text, i);
    if (c.length == 0) {
      ++i;
      continue;
    }
    const std::string_view bytes = text.substr(i, c.length);
    i += c.length;
    if (!IsWritable(c.code))
      continue;
    switch (c.code) {
    case '&': out += "&amp;"; break;
    case '<': out += "&lt;"; break;
    case '>': out += "&gt;"; break;
    case '"': out += attribute ? "&quot;" : "\""; break;
    case '\t': out += attribute ? "&#9;" : "\t"; break;
    case '\n': out += attribute ? "&#10;" : "\n"; break;
    case '\r':
      // A line end of the page is one line feed, as an XML reader would make it anyway.
      if (i < text.size() && text[i] == '\n')
        break;
      out += attribute ? "&#10;" : "\n";
      break;
    default: out += bytes;
    }
  }
}

bool IsGlobalAttribute(std::string_view name) {
  return name == "id" || name == "class" || name == "title" || name == "lang" || name == "dir";
}

} // namespace

bool Node::isBlankText() const {
  return isText() && IsBlank(text);
}

Node TextNode(std::string text) {
  Node node;
  node.text = std::move(text);
  return node;
}

Node ElementNode(std::string name) {
  Node node;
  node.name = std::move(name);
  return node;
}

const std::string* Find(const Node& node, std::string_view name) {
  for (const auto& [key, value] : node.attributes)
    if (key == name)
      return &value;
  return nullptr;
}

void Set(Node& node, const std::string& name, std::string value) {
  for (auto& [key, old] : node.attributes)
    if (key == name) {
      old = std::move(value);
      return;
    }
  node.attributes.emplace_back(name, std::move(value));
}

void Erase(Node& node, std::string_view name) {
  std::erase_if(node.attributes, [&](const auto& attribute) { return attribute.first == name; });
}

void ApplyHints(Node& node, const Style& hints) {
  Style merged;
  for (const Declaration& hint : hints)
    if (!Sets(node.style, hint.property))
      merged.push_back(hint);
  merged.insert(merged.end(), node.style.begin(), node.style.end());
  node.style = std::move(merged);
}

void KeepGlobalAttributesOnly(Node& node) {
  std::erase_if(node.attributes,
                [](const auto& attribute) { return !IsGlobalAttribute(attribute.first); });
}

void Write(const Node& node, std::string& out) {
  if (node.isText()) {
    AppendEscaped(out, node.text, false);
    return;
  }
  out += '<';
  out += node.name;
  const auto attribute = [&](std::string_view name, std::string_view value) {
    out += ' ';
    out += name;
    out += "=\"";
    AppendEscaped(out, value, true);
    out += '"';
  };
  if (const std::string* id = Find(node, "id"))
    attribute("id", *id);
  for (const auto& [name, value] : node.attributes)
    if (name != "id")
      attribute(name, value);
  if (!node.style.empty()) {
    std::string css;
    for (const Declaration& d : node.style) {
      if (!css.empty())
        css += "; ";
      css += d.property + ": " + d.value;
    }
    attribute("style", css);
  }
  if (IsVoid(node.name)) {
    out += "/>";
    return;
  }
  out += '>';
  for (const Node& child : node.children)
    Write(child, out);
  out += "</";
  out += node.name;
  out += '>';
}

} // namespace quarbel::xhtml
