#include "generator/package/xhtml_body.h"

#include "generator/package/inline_style.h"
#include "generator/package/xhtml_attributes.h"
#include "generator/package/xhtml_elements.h"
#include "generator/package/xhtml_node.h"
#include "generator/package/xhtml_shape.h"
#include "generator/package/xhtml_text.h"
#include "generator/package/xhtml_urls.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The converter walks the tree that libxml2's HTML parser makes of the page and builds the
// XHTML tree of xhtml_node.h from it, element by element; the repairs of xhtml_shape.h then
// put every element where HTML5 allows it.

namespace quarbel {
namespace xhtml {
namespace {

// The page as the parser gets it: broken UTF-8 becomes U+FFFD, control characters go.
std::string CleanInput(std::string_view html) {
  std::string clean;
  clean.reserve(html.size());
  for (size_t i = 0; i < html.size();) {
    const Utf8Char c = DecodeAt(html, i);
    if (c.length == 0) {
      clean += "\xEF\xBF\xBD";
      ++i;
      continue;
    }
    if (c.code == '\f')
      clean += ' ';
    else if (IsWritable(c.code))
      clean.append(html.substr(i, c.length));
    i += c.length;
  }
  return clean;
}

// Word's own elements carry a prefix ("<o:p>", "<st1:place>", "<m:sup>"); the HTML parser would
// drop it and take <o:p> for a paragraph. With a hyphen instead, they are elements of no
// meaning, as they should be.
std::string WithoutPrefixedNames(std::string markup) {
  for (size_t at = markup.find('<'); at != std::string::npos; at = markup.find('<', at + 1)) {
    size_t i = at + 1;
    if (i < markup.size() && markup[i] == '/')
      ++i;
    const size_t name = i;
    while (i < markup.size() && (IsAsciiLetter(markup[i]) || IsDigit(markup[i])))
      ++i;
    if (i > name && IsAsciiLetter(markup[name]) && i + 1 < markup.size() && markup[i] == ':' &&
        IsAsciiLetter(markup[i + 1]))
      markup[i] = '-';
  }
  return markup;
}

Attributes ReadAttributes(xmlNode* node) {
  Attributes attributes;
  for (xmlAttr* attribute = node->properties; attribute; attribute = attribute->next) {
    std::string name = Lower(reinterpret_cast<const char*>(attribute->name));
    if (attribute->ns && attribute->ns->prefix)
      name = Lower(reinterpret_cast<const char*>(attribute->ns->prefix)) + ":" + name;
    xmlChar* value = xmlNodeGetContent(reinterpret_cast<xmlNode*>(attribute));
    attributes.emplace(name, value ? reinterpret_cast<const char*>(value) : "");
    xmlFree(value);
  }
  return attributes;
}

// A language tag as xsd:language has it: "en", "uk-UA", "zh-Hant-TW"; empty says "unknown".
bool IsLanguageTag(std::string_view tag) {
  size_t start = 0;
  while (start <= tag.size() && !tag.empty()) {
    size_t end = tag.find('-', start);
    if (end == std::string_view::npos)
      end = tag.size();
    const std::string_view part = tag.substr(start, end - start);
    if (part.empty() || part.size() > 8)
      return false;
    for (char c : part)
      if (!IsAsciiLetter(c) && (start == 0 || !IsDigit(c)))
        return false;
    start = end + 1;
  }
  return true;
}

// What converting an element hands down to the elements inside it.
struct Scope {
  Style cellHints;      // from the attributes of the table the cells belong to
  bool inMedia = false; // inside a kept video or audio: its fallback content
};

class Converter {
public:
  explicit Converter(const ReferenceMap& map) : map_(map) {}

  void Children(xmlNode* parent, std::vector<Node>& out, const Scope& scope) {
    for (xmlNode* child = parent->children; child; child = child->next)
      Convert(child, out, scope);
  }

private:
  std::optional<std::string> Map(const std::string& reference, ReferenceKind kind) {
    std::string url = StripUrl(reference);
    const std::string scheme = SchemeOf(url);
    if (scheme == "javascript" || scheme == "vbscript")
      return std::nullopt;
    if (kind == ReferenceKind::Link)
      url = WithIdFragment(url);
    else if (url.empty())
      return std::nullopt;
    const std::optional<std::string> mapped = map_(url, kind);
    if (!mapped || (kind != ReferenceKind::Link && mapped->empty()))
      return std::nullopt;
    return WritableUrl(*mapped);
  }

  Style StyleOf(const Attributes& attributes) {
    const std::string* css = Get(attributes, "style");
    if (!css)
      return {};
    return ParseStyle(*css, [this](const std::string& url) {
      return url.empty() ? std::nullopt : Map(url, ReferenceKind::Picture);
    });
  }

  // id and class come first in the element.
  void Leading(const Attributes& attributes, std::string_view tag, Node& node) {
    const std::string* id = Get(attributes, "id");
    if ((!id || Trim(*id).empty()) && tag == "a")
      id = Get(attributes, "name");
    if (id && !XhtmlIdOf(*id).empty())
      Set(node, "id", XhtmlIdOf(*id));
    if (const std::string* classes = Get(attributes, "class"); classes && !IsBlank(*classes))
      Set(node, "class", Trim(*classes));
  }

  // title, lang, dir and the style come last; a style's direction becomes dir, which is the
  // only way an EPUB page may set it.
  void Trailing(const Attributes& attributes, Node& node, const Style& hints) {
    if (const std::string* title = Get(attributes, "title"))
      Set(node, "title", *title);
    const std::string* lang = Get(attributes, "lang");
    if (!lang)
      lang = Get(attributes, "xml:lang");
    if (lang && IsLanguageTag(Trim(*lang)))
      Set(node, "lang", Trim(*lang));
    if (const std::string* dir = Get(attributes, "dir")) {
      const std::string value = Lower(Trim(*dir));
      if (value == "ltr" || value == "rtl" || value == "auto")
        Set(node, "dir", value);
    }
    node.style = StyleOf(attributes);
    ApplyHints(node, hints);
    for (const Declaration& d : node.style) {
      const std::string value = Lower(d.value);
      if (d.property == "direction" && !Find(node, "dir") && (value == "ltr" || value == "rtl"))
        Set(node, "dir", value);
    }
    std::erase_if(node.style, [](const Declaration& d) { return d.property == "direction"; });
  }

  void Convert(xmlNode* source, std::vector<Node>& out, const Scope& scope) {
    if (source->type == XML_TEXT_NODE || source->type == XML_CDATA_SECTION_NODE) {
      if (source->content)
        out.push_back(TextNode(reinterpret_cast<const char*>(source->content)));
      return;
    }
    if (source->type != XML_ELEMENT_NODE)
      return;
    const std::string tag = Lower(reinterpret_cast<const char*>(source->name));
    ConvertElement(source, tag, out, scope);
    // The parser knows only the empty elements of HTML 4: what follows a <wbr>, <source> or
    // <embed> ends up inside it, though it comes after it.
    if (IsEmptyInHtml(tag))
      Children(source, out, scope);
  }

  void ConvertElement(xmlNode* source, const std::string& tag, std::vector<Node>& out,
                      const Scope& scope) {
    const Role role = RoleOf(tag);
    if (role == Role::Drop || tag == "source")
      return;
    const Attributes attributes = ReadAttributes(source);
    if (tag == "img") {
      Image(attributes, out);
      return;
    }
    if (tag == "video" || tag == "audio") {
      Media(source, tag, attributes, out, scope);
      return;
    }
    if (role == Role::Unwrap) {
      // An element of no meaning to a reader gives way to its content; one that carries an id
      // stays as a span, so that links to it keep working.
      const std::string* id = Get(attributes, "id");
      if (!id || XhtmlIdOf(*id).empty()) {
        Children(source, out, scope);
        return;
      }
      Node span = ElementNode("span");
      Leading(attributes, tag, span);
      Trailing(attributes, span, {});
      Children(source, span.children, scope);
      out.push_back(std::move(span));
      return;
    }

    Node node = ElementNode(std::string(ElementNames().at(tag)));
    Leading(attributes, tag, node);
    Style hints;
    Scope inner = scope;
    if (tag == "a")
      if (const std::string* href = Get(attributes, "href"))
        if (const std::optional<std::string> mapped = Map(*href, ReferenceKind::Link))
          Set(node, "href", *mapped);
    OwnAttributes(tag, attributes, node, hints, inner.cellHints);
    Trailing(attributes, node, hints);
    Children(source, node.children, inner);

    if (node.name == "pre" && !node.children.empty() && node.children.front().isText()) {
      // A line end right after <pre> is no part of the text in HTML, and would be in XHTML.
      std::string& text = node.children.front().text;
      text.erase(0, text.starts_with("\r\n") ? 2 : text.starts_with('\n') ? 1 : 0);
    }
    if (node.name == "bdo" && !Find(node, "dir"))
      node.name = "span";
    if (node.name == "a" && !Find(node, "href") && !Find(node, "id")) {
      std::move(node.children.begin(), node.children.end(), std::back_inserter(out));
      return;
    }
    out.push_back(std::move(node));
  }

  void Image(const Attributes& attributes, std::vector<Node>& out) {
    const std::string* alt = Get(attributes, "alt");
    const std::string* src = Get(attributes, "src");
    const std::optional<std::string> mapped =
        src ? Map(*src, ReferenceKind::Picture) : std::nullopt;
    if (!mapped) {
      if (alt && !alt->empty())
        out.push_back(TextNode(*alt));
      return;
    }
    Node image = ElementNode("img");
    Leading(attributes, "img", image);
    Set(image, "src", *mapped);
    Set(image, "alt", alt ? *alt : "");
    Style hints;
    ImageAttributes(attributes, image, hints);
    Trailing(attributes, image, hints);
    out.push_back(std::move(image));
  }

  // A video or audio keeps the sources the book has; without any, its fallback content takes
  // its place.
  void Media(xmlNode* source, const std::string& tag, const Attributes& attributes,
             std::vector<Node>& out, const Scope& scope) {
    std::vector<xmlNode*> sources;
    std::vector<xmlNode*> content;
    MediaChildren(source, sources, content);
    const auto fallback = [&](std::vector<Node>& into, const Scope& within) {
      for (xmlNode* child : content)
        Convert(child, into, within);
    };
    if (scope.inMedia) {
      fallback(out, scope);
      return;
    }
    Node media = ElementNode(tag);
    Leading(attributes, tag, media);
    bool playable = false;
    if (const std::string* src = Get(attributes, "src"); src && !StripUrl(*src).empty()) {
      if (const std::optional<std::string> mapped = Map(*src, ReferenceKind::Media)) {
        Set(media, "src", *mapped);
        playable = true;
      }
    } else {
      for (xmlNode* child : sources) {
        const Attributes sourceAttributes = ReadAttributes(child);
        const std::string* childSrc = Get(sourceAttributes, "src");
        const std::optional<std::string> mapped =
            childSrc ? Map(*childSrc, ReferenceKind::Media) : std::nullopt;
        if (!mapped)
          continue;
        Node kept = ElementNode("source");
        Set(kept, "src", *mapped);
        if (const std::string* type = Get(sourceAttributes, "type")) {
          const std::string value = Trim(*type);
          const size_t slash = value.find('/');
          if (slash != std::string::npos && slash > 0 && slash + 1 < value.size() &&
              value.find_first_of(" \"<>") == std::string::npos)
            Set(kept, "type", value);
        }
        media.children.push_back(std::move(kept));
        playable = true;
      }
    }
    if (!playable) {
      fallback(out, scope);
      return;
    }
    if (tag == "video")
      if (const std::string* poster = Get(attributes, "poster"))
        if (const std::optional<std::string> mapped = Map(*poster, ReferenceKind::Picture))
          Set(media, "poster", *mapped);
    for (const char* flag : {"controls", "autoplay", "loop", "muted"})
      if (Get(attributes, flag))
        Set(media, flag, flag);
    if (const std::string* preload = Get(attributes, "preload")) {
      const std::string value = Lower(Trim(*preload));
      if (IsOneOf(value, {"none", "metadata", "auto"}))
        Set(media, "preload", value);
    }
    if (tag == "video")
      for (const char* dimension : {"width", "height"})
        if (const std::string* value = Get(attributes, dimension))
          if (const std::optional<std::string> number = Integer(*value))
            Set(media, dimension, *number);
    Trailing(attributes, media, {});
    Scope within = scope;
    within.inMedia = true;
    fallback(media.children, within);
    out.push_back(std::move(media));
  }

  // The sources of a video or audio and the rest of its content, which a reader shows when it
  // cannot play it. The parser nests what follows a <source> or <track> inside it.
  static void MediaChildren(xmlNode* parent, std::vector<xmlNode*>& sources,
                            std::vector<xmlNode*>& content) {
    for (xmlNode* child = parent->children; child; child = child->next) {
      const std::string name = child->type == XML_ELEMENT_NODE
                                   ? Lower(reinterpret_cast<const char*>(child->name))
                                   : std::string();
      if (name == "source")
        sources.push_back(child);
      if (name == "source" || name == "track")
        MediaChildren(child, sources, content);
      else
        content.push_back(child);
    }
  }

  const ReferenceMap& map_;
};

xmlNode* FindBody(xmlNode* node) {
  for (; node; node = node->next) {
    if (node->type != XML_ELEMENT_NODE)
      continue;
    if (Lower(reinterpret_cast<const char*>(node->name)) == "body")
      return node;
    if (xmlNode* body = FindBody(node->children))
      return body;
  }
  return nullptr;
}

} // namespace
} // namespace xhtml

XhtmlBody XhtmlBodyOf(const std::string& html, const ReferenceMap& map) {
  std::string page = xhtml::WithoutPrefixedNames(xhtml::CleanInput(html));
  // A fragment is parsed inside a body, so that text at its start stays text and is not taken
  // for a paragraph.
  if (xhtml::Lower(page).find("<body") == std::string::npos)
    page = "<html><body>" + page + "</body></html>";
  std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> document(
      htmlReadMemory(page.data(), static_cast<int>(page.size()), nullptr, "UTF-8",
                     HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                         HTML_PARSE_NONET | HTML_PARSE_IGNORE_ENC),
      xmlFreeDoc);
  XhtmlBody result;
  xmlNode* body = document ? xhtml::FindBody(document->children) : nullptr;
  if (!body)
    return result;

  xhtml::Node root = xhtml::ElementNode("body");
  xhtml::Converter(map).Children(body, root.children, xhtml::Scope{});
  xhtml::FixContentModel(root, result.ids);
  for (const xhtml::Node& child : root.children)
    xhtml::Write(child, result.markup);
  return result;
}

} // namespace quarbel
