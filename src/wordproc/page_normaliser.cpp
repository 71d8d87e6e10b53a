#include "wordproc/page_normaliser.h"

#include "text/cp1251.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace quarbel {
namespace {

// ---- Looking at the parsed page -------------------------------------------------------

std::string_view NameOf(const xmlNode* node) {
  return node && node->name ? reinterpret_cast<const char*>(node->name) : "";
}

bool IsElement(const xmlNode* node, std::string_view name) {
  return node && node->type == XML_ELEMENT_NODE && NameOf(node) == name;
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

int HeadingLevel(const xmlNode* node) {
  const std::string_view name = NameOf(node);
  if (node && node->type == XML_ELEMENT_NODE && name.size() == 2 &&
      (name[0] == 'h' || name[0] == 'H') && name[1] >= '1' && name[1] <= '6')
    return name[1] - '0';
  return 0;
}

bool IsBlank(std::string_view text) {
  // Blanks, line ends and no-break spaces (UTF-8 C2 A0).
  return text.find_first_not_of(" \t\r\n\xC2\xA0") == std::string_view::npos;
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

// ---- The table of contents ------------------------------------------------------------

// Names of the anchors inside headings, with the heading's level.
void CollectHeadingAnchors(xmlNode* node, int level, std::map<std::string, int>& anchors) {
  for (; node; node = node->next) {
    if (node->type != XML_ELEMENT_NODE)
      continue;
    const int here = HeadingLevel(node) ? HeadingLevel(node) : level;
    if (here) {
      for (const char* attribute : {"name", "id"}) {
        const std::string name = Attribute(node, attribute);
        if (!name.empty())
          anchors.emplace(name, here);
      }
    }
    CollectHeadingAnchors(node->children, here, anchors);
  }
}

void CollectLinks(xmlNode* node, std::vector<xmlNode*>& links) {
  for (; node; node = node->next) {
    if (IsElement(node, "a") && Attribute(node, "href").rfind('#', 0) == 0)
      links.push_back(node);
    CollectLinks(node->children, links);
  }
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

// A page number as a table of contents shows it: digits or a Roman numeral.
bool IsPageNumber(std::string_view text) {
  const std::string trimmed = Collapse(text);
  return !trimmed.empty() &&
         trimmed.find_first_not_of("0123456789ivxlcdmIVXLCDM") == std::string::npos;
}

struct TocEntry {
  xmlNode* paragraph;
  std::string anchor;
  std::string title;
  int level;
};

// A paragraph that is an entry of a table of contents: its link leads to a heading and
// nothing but a page number stands beside the link.
std::optional<TocEntry> AsTocEntry(xmlNode* paragraph, const std::map<std::string, int>& anchors) {
  if (!IsElement(paragraph, "p"))
    return std::nullopt;
  std::vector<xmlNode*> links;
  CollectLinks(paragraph->children, links);
  if (links.size() != 1)
    return std::nullopt;
  const std::string anchor = Attribute(links[0], "href").substr(1);
  const auto level = anchors.find(anchor);
  if (level == anchors.end())
    return std::nullopt;

  std::string linkText = TextOf(links[0]);
  std::string outside = TextOf(paragraph);
  if (const size_t at = outside.find(linkText); at != std::string::npos)
    outside.erase(at, linkText.size());
  if (!IsBlank(outside) && !IsPageNumber(outside))
    return std::nullopt;

  // Word writes the page number after a leader tab at the end of the entry.
  if (const size_t tab = linkText.rfind('\t');
      tab != std::string::npos &&
      (IsPageNumber(linkText.substr(tab + 1)) || IsBlank(linkText.substr(tab + 1))))
    linkText.erase(tab);
  std::string title = Collapse(linkText);
  if (title.empty())
    return std::nullopt;
  return TocEntry{paragraph, anchor, std::move(title), level->second};
}

std::optional<TocEntry> FirstTocEntry(xmlNode* node, const std::map<std::string, int>& anchors) {
  for (; node; node = node->next) {
    if (auto entry = AsTocEntry(node, anchors))
      return entry;
    if (auto entry = FirstTocEntry(node->children, anchors))
      return entry;
  }
  return std::nullopt;
}

xmlNode* NewElement(const char* name) {
  return xmlNewNode(nullptr, reinterpret_cast<const xmlChar*>(name));
}

xmlNode* MakeTocParagraph(const TocEntry& entry) {
  xmlNode* p = NewElement("p");
  SetAttribute(p, "class", "MsoToc" + std::to_string(entry.level));
  xmlNode* span = xmlAddChild(p, NewElement("span"));
  SetAttribute(span, "class", "MsoHyperlink");
  xmlNode* a = xmlAddChild(span, NewElement("a"));
  SetAttribute(a, "href", "#" + entry.anchor);
  xmlNodeAddContent(a, reinterpret_cast<const xmlChar*>(entry.title.c_str()));
  return p;
}

bool IsPlainParagraph(xmlNode* node) {
  if (!IsElement(node, "p"))
    return false;
  const std::string cls = Attribute(node, "class");
  return cls.empty() || cls == "western" || cls == "MsoNormal";
}

// Turns the first run of table-of-contents paragraphs into MsoToc entries.
void RewriteTableOfContents(xmlNode* body) {
  std::map<std::string, int> anchors;
  CollectHeadingAnchors(body->children, 0, anchors);
  if (anchors.empty())
    return;
  const std::optional<TocEntry> first = FirstTocEntry(body->children, anchors);
  if (!first)
    return;

  std::vector<TocEntry> entries{*first};
  for (xmlNode* next = NextElement(first->paragraph); next; next = NextElement(next)) {
    auto entry = AsTocEntry(next, anchors);
    if (!entry)
      break;
    entries.push_back(std::move(*entry));
  }

  // LibreOffice wraps the table in a section of its own; the entries take its place.
  xmlNode* parent = first->paragraph->parent;
  xmlNode* container = nullptr;
  if (IsElement(parent, "div") && parent != body) {
    bool onlyEntries = true;
    size_t index = 0;
    for (xmlNode* child = parent->children; child && onlyEntries; child = child->next) {
      if (IsIgnorable(child))
        continue;
      onlyEntries = index < entries.size() && child == entries[index].paragraph;
      ++index;
    }
    if (onlyEntries)
      container = parent;
  }

  xmlNode* last = nullptr;
  for (const TocEntry& entry : entries) {
    xmlNode* replacement = MakeTocParagraph(entry);
    if (container) {
      xmlAddPrevSibling(container, replacement);
      xmlAddPrevSibling(container, xmlNewText(reinterpret_cast<const xmlChar*>("\n")));
    } else {
      xmlReplaceNode(entry.paragraph, replacement);
      xmlFreeNode(entry.paragraph);
    }
    last = replacement;
  }
  if (container) {
    xmlUnlinkNode(container);
    xmlFreeNode(container);
    last = last->next; // the line break after the last entry
  }

  // What follows the table must be a plain paragraph.
  xmlNode* after = NextElement(last);
  if (!IsPlainParagraph(after)) {
    xmlNode* empty = NewElement("p");
    SetAttribute(empty, "class", "MsoNormal");
    xmlAddNextSibling(last, empty);
  }
}

void MarkPlainParagraphs(xmlNode* node) {
  for (; node; node = node->next) {
    if (IsPlainParagraph(node))
      SetAttribute(node, "class", "MsoNormal");
    MarkPlainParagraphs(node->children);
  }
}

void CollectStyles(xmlNode* node, std::string& css) {
  for (; node; node = node->next) {
    if (IsElement(node, "style")) {
      css += TextOf(node);
      css += '\n';
      continue;
    }
    CollectStyles(node->children, css);
  }
}

// ---- Writing the page -----------------------------------------------------------------

bool IsVoid(std::string_view name) {
  for (const char* v : {"br", "img", "hr", "meta", "link", "col", "input", "area", "base", "wbr",
                        "param", "source", "track", "embed", "basefont", "frame", "isindex"}) {
    if (name == v)
      return true;
  }
  return false;
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

bool IsPlainToken(std::string_view value) {
  if (value.empty())
    return false;
  for (const char c : value) {
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
          c == '-'))
      return false;
  }
  return true;
}

bool IsBlockElement(const xmlNode* node) {
  return node && node->type == XML_ELEMENT_NODE && IsBlock(NameOf(node));
}

bool IsLayoutWhitespace(const xmlNode* node) {
  const char* text = reinterpret_cast<const char*>(node->content);
  if (std::string_view(text).find_first_not_of(" \t\r\n") != std::string_view::npos)
    return false;
  return !node->prev || !node->next || IsBlockElement(node->prev) || IsBlockElement(node->next);
}

class PageWriter {
public:
  const std::string& page() const { return out_; }

  void Line(std::string_view ascii) {
    NewLine();
    out_ += ascii;
    out_ += "\r\n";
  }

  void Raw(std::string_view text1251) { out_ += text1251; }
  void EndLine() { out_ += "\r\n"; }

  void NewLine() {
    if (!out_.empty() && out_.back() != '\n')
      out_ += "\r\n";
  }

  // Text of the document: escaped, line ends as CR LF, outside the code page as &#N;.
  void Text(std::string_view utf8, bool attribute = false) {
    std::string escaped;
    escaped.reserve(utf8.size());
    for (const char c : utf8) {
      switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += attribute ? "&quot;" : "\""; break;
      case '\r': break;
      case '\n': escaped += attribute ? " " : "\r\n"; break;
      default: escaped += c;
      }
    }
    out_ += Cp1251FromUtf8WithReferences(escaped);
  }

  void StartTag(xmlNode* node) {
    out_ += '<';
    out_ += NameOf(node);
    // The class comes first and, when it is one plain word, without quotes, as in
    // "<p class=MsoNormal".
    const std::string cls = Attribute(node, "class");
    if (!cls.empty() && IsPlainToken(cls)) {
      out_ += " class=";
      out_ += cls;
    }
    for (xmlAttr* attribute = node->properties; attribute; attribute = attribute->next) {
      const std::string_view name = reinterpret_cast<const char*>(attribute->name);
      if (name == "class" && IsPlainToken(cls))
        continue;
      out_ += ' ';
      out_ += name;
      xmlChar* value = xmlNodeListGetString(node->doc, attribute->children, 1);
      if (value) {
        out_ += "=\"";
        Text(reinterpret_cast<const char*>(value), true);
        out_ += '"';
        xmlFree(value);
      }
    }
    out_ += '>';
  }

  void Node(xmlNode* node, bool inPre) {
    for (; node; node = node->next) {
      switch (node->type) {
      case XML_TEXT_NODE:
      case XML_CDATA_SECTION_NODE:
        // Layout whitespace beside blocks only spreads the page over empty lines.
        if (node->content && (inPre || !IsLayoutWhitespace(node)))
          Text(reinterpret_cast<const char*>(node->content));
        break;
      case XML_ELEMENT_NODE: Element(node, inPre); break;
      default: break; // comments and the like carry nothing for the reader
      }
    }
  }

private:
  void Element(xmlNode* node, bool inPre) {
    const std::string_view name = NameOf(node);
    // Style rules live in the head; scripts are not part of a document's page.
    if (name == "style" || name == "script")
      return;
    if (!inPre && IsBlock(name))
      NewLine();
    StartTag(node);
    if (IsVoid(name))
      return;
    Node(node->children, inPre || name == "pre");
    out_ += "</";
    out_ += name;
    out_ += '>';
  }

  std::string out_;
};

xmlNode* ChildElement(xmlNode* node, std::string_view name) {
  for (xmlNode* child = node ? node->children : nullptr; child; child = child->next) {
    if (IsElement(child, name))
      return child;
  }
  return nullptr;
}

// Style rules with the paragraph class of LibreOffice renamed to the one the page uses.
std::vector<std::string> StyleLines(std::string css) {
  for (size_t at = css.find("p.western"); at != std::string::npos; at = css.find("p.western", at))
    css.replace(at, 9, "p.MsoNormal");
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= css.size()) {
    size_t end = css.find('\n', start);
    if (end == std::string::npos)
      end = css.size();
    std::string line = css.substr(start, end - start);
    const size_t first = line.find_first_not_of(" \t\r");
    const size_t last = line.find_last_not_of(" \t\r");
    if (first != std::string::npos)
      lines.push_back(line.substr(first, last - first + 1));
    start = end + 1;
  }
  return lines;
}

// A character of a style rule that the code page lacks, as CSS writes it: "\\HEX ".
std::string CssEscape(char32_t codePoint) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "\\%X ", static_cast<unsigned>(codePoint));
  return buffer;
}

struct DocFree {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

} // namespace

std::string NormaliseWebPage(std::string_view utf8Html) {
  std::unique_ptr<xmlDoc, DocFree> doc(htmlReadMemory(
      utf8Html.data(), static_cast<int>(utf8Html.size()), nullptr, "UTF-8",
      HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET));
  xmlNode* html = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
  xmlNode* head = ChildElement(html, "head");
  xmlNode* body = ChildElement(html, "body");

  if (body) {
    RewriteTableOfContents(body);
    MarkPlainParagraphs(body->children);
  }

  PageWriter page;
  page.Line("<html>");
  page.Line("<head>");
  page.Line("<meta http-equiv=Content-Type content=\"text/html; charset=windows-1251\">");
  bool anyMeta = false;
  for (xmlNode* child = head ? head->children : nullptr; child; child = child->next) {
    if (IsElement(child, "meta") && HasAttribute(child, "name")) {
      page.StartTag(child);
      page.EndLine();
      anyMeta = true;
    }
  }
  if (!anyMeta)
    page.Line("<meta name=Generator content=\"LibreOffice\">");
  xmlNode* title = ChildElement(head, "title");
  page.Raw("<title>");
  page.Text(Collapse(title ? TextOf(title) : std::string()));
  page.Raw("</title>");
  page.EndLine();

  page.Line("<style>");
  std::string css;
  if (html)
    CollectStyles(html->children, css);
  for (const std::string& line : StyleLines(css)) {
    page.Raw(Cp1251FromUtf8Replacing(line, CssEscape));
    page.EndLine();
  }
  page.Line("</style>");
  page.Line("</head>");

  if (body)
    page.StartTag(body);
  else
    page.Raw("<body>");
  page.EndLine();
  page.Line("<div class=Section1>");
  if (body)
    page.Node(body->children, false);
  page.Line("</div>");
  page.Line("");
  page.Line("</body>");
  page.Line("</html>");
  return page.page();
}

} // namespace quarbel
