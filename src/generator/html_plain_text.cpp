#include "generator/html_plain_text.h"

#include "wordproc/html_tree.h"

#include <libxml/HTMLparser.h>

#include <memory>

namespace quarbel {
namespace {

void Collect(xmlNode* node, std::string& out) {
  for (xmlNode* child = node; child; child = child->next) {
    if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
      if (child->content)
        out += reinterpret_cast<const char*>(child->content);
      continue;
    }
    if (child->type != XML_ELEMENT_NODE)
      continue;
    if (html::IsElement(child, "script") || html::IsElement(child, "style") ||
        html::IsElement(child, "title"))
      continue;
    const bool apart = html::IsBlockElement(child) || html::IsElement(child, "br") ||
                       html::IsElement(child, "td") || html::IsElement(child, "th") ||
                       html::IsElement(child, "li");
    if (apart)
      out += ' ';
    Collect(child->children, out);
    if (apart)
      out += ' ';
  }
}

} // namespace

std::string PlainTextOfHtml(std::string_view utf8Html) {
  if (utf8Html.empty())
    return {};
  std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> document(
      htmlReadMemory(utf8Html.data(), static_cast<int>(utf8Html.size()), nullptr, "UTF-8",
                     HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                         HTML_PARSE_NONET),
      xmlFreeDoc);
  if (!document)
    return {};
  std::string text;
  // A fragment parses into several top nodes.
  Collect(document->children, text);
  return html::Collapse(text);
}

} // namespace quarbel
