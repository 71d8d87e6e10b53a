#include "wordproc/html_tree.h"

namespace quarbel::html {

std::string_view NameOf(const xmlNode* node) {
  return node && node->name ? reinterpret_cast<const char*>(node->name) : "";
}

bool IsElement(const xmlNode* node, std::string_view name) {
  return node && node->type == XML_ELEMENT_NODE && NameOf(node) == name;
}

int HeadingLevel(const xmlNode* node) {
  const std::string_view name = NameOf(node);
  if (node && node->type == XML_ELEMENT_NODE && name.size() == 2 &&
      (name[0] == 'h' || name[0] == 'H') && name[1] >= '1' && name[1] <= '6')
    return name[1] - '0';
  return 0;
}

bool IsBlock(std::string_view name) {
  for (const char* b :
       {"p",        "h1",    "h2",     "h3",      "h4",      "h5",      "h6",     "div",
        "table",    "tr",    "td",     "th",      "ul",      "ol",      "li",     "col",
        "colgroup", "thead", "tbody",  "tfoot",   "dl",      "dt",      "dd",     "blockquote",
        "pre",      "hr",    "center", "address", "caption", "section", "header", "footer"}) {
    if (name == b)
      return true;
  }
  return false;
}

bool IsBlockElement(const xmlNode* node) {
  return node && node->type == XML_ELEMENT_NODE && IsBlock(NameOf(node));
}

std::string Attribute(xmlNode* node, const char* name) {
  xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
  if (!value)
    return {};
  std::string out(reinterpret_cast<const char*>(value));
  xmlFree(value);
  return out;
}

bool HasAttribute(xmlNode* node, const char* name) {
  return xmlHasProp(node, reinterpret_cast<const xmlChar*>(name)) != nullptr;
}

void SetAttribute(xmlNode* node, const char* name, const std::string& value) {
  xmlSetProp(node, reinterpret_cast<const xmlChar*>(name),
             reinterpret_cast<const xmlChar*>(value.c_str()));
}

std::string TextOf(xmlNode* node) {
  xmlChar* text = xmlNodeGetContent(node);
  if (!text)
    return {};
  std::string out(reinterpret_cast<const char*>(text));
  xmlFree(text);
  return out;
}

bool IsBlank(std::string_view utf8) {
  // Blanks, line ends and no-break spaces (UTF-8 C2 A0).
  return utf8.find_first_not_of(" \t\r\n\xC2\xA0") == std::string_view::npos;
}

std::string Collapse(std::string_view text) {
  std::string out;
  bool space = false;
  for (const char c : text) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      space = !out.empty();
      continue;
    }
    if (space)
      out += ' ';
    space = false;
    out += c;
  }
  return out;
}

bool IsIgnorable(const xmlNode* node) {
  return node->type == XML_COMMENT_NODE ||
         (node->type == XML_TEXT_NODE &&
          IsBlank(reinterpret_cast<const char*>(node->content ? node->content : BAD_CAST "")));
}

xmlNode* NextElement(xmlNode* node) {
  for (node = node->next; node && IsIgnorable(node); node = node->next) {
  }
  return node;
}

xmlNode* PreviousElement(xmlNode* node) {
  for (node = node->prev; node && IsIgnorable(node); node = node->prev) {
  }
  return node;
}

bool IsPlainParagraph(xmlNode* node) {
  if (!IsElement(node, "p"))
    return false;
  const std::string cls = Attribute(node, "class");
  return cls.empty() || cls == "western" || cls == "MsoNormal";
}

xmlNode* NewElement(const char* name) {
  return xmlNewNode(nullptr, reinterpret_cast<const xmlChar*>(name));
}

void AddText(xmlNode* element, const std::string& utf8) {
  xmlNodeAddContent(element, reinterpret_cast<const xmlChar*>(utf8.c_str()));
}

void Remove(xmlNode* node) {
  xmlUnlinkNode(node);
  xmlFreeNode(node);
}

} // namespace quarbel::html
