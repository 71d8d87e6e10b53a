#include "wordproc/page_normaliser.h"

#include "text/cp1251.h"
#include "wordproc/html_tree.h"
#include "wordproc/table_of_contents.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace quarbel {
namespace {

using namespace html;

// ---- Cleaning the parsed page ---------------------------------------------------------

void MarkPlainParagraphs(xmlNode* node) {
  for (; node; node = node->next) {
    if (IsPlainParagraph(node))
      SetAttribute(node, "class", "MsoNormal");
    MarkPlainParagraphs(node->children);
  }
}

// The generation takes every paragraph of class MsoToc... for an entry of the table of
// contents; a paragraph of the document that claims such a class becomes a plain one, so that
// only the entries written here carry it.
void ClearTocClasses(xmlNode* node) {
  for (; node; node = node->next) {
    if (IsElement(node, "p") && Attribute(node, "class").rfind("MsoToc", 0) == 0)
      SetAttribute(node, "class", "MsoNormal");
    ClearTocClasses(node->children);
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

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// LibreOffice draws the box of a text box as a picture of its own ("Shape1") and writes the
// box's text after it as a frame; the picture is an empty rectangle. Such pictures are taken
// out of the page, and their file names are given back.
void DropTextBoxPictures(xmlNode* node, std::vector<std::string>& dropped) {
  while (node) {
    xmlNode* next = node->next;
    if (IsElement(node, "img") && StartsWith(Attribute(node, "name"), "Shape")) {
      std::vector<xmlNode*> between;
      xmlNode* frame = node->next;
      while (frame && (IsIgnorable(frame) || IsElement(frame, "br"))) {
        between.push_back(frame);
        frame = frame->next;
      }
      if (frame && frame->type == XML_ELEMENT_NODE && StartsWith(Attribute(frame, "id"), "Frame")) {
        dropped.push_back(Attribute(node, "src"));
        for (xmlNode* gap : between)
          Remove(gap);
        next = frame;
        Remove(node);
      }
    } else {
      DropTextBoxPictures(node->children, dropped);
    }
    node = next;
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

bool IsSpacing(const xmlNode* node) {
  return node->type == XML_COMMENT_NODE ||
         (node->type == XML_TEXT_NODE && node->content &&
          std::string_view(reinterpret_cast<const char*>(node->content))
                  .find_first_not_of(" \t\r\n") == std::string_view::npos);
}

// Whitespace that only lays out the markup: between blocks, or between a block's edge and a
// block. Whitespace beside text or inline elements separates words and stays, even when it is
// the only content of a formatted run ("Перше<b> </b>друге").
bool IsLayoutWhitespace(const xmlNode* node) {
  if (!IsSpacing(node))
    return false;
  const xmlNode* parent = node->parent;
  if (parent && parent->type == XML_ELEMENT_NODE && !IsBlockElement(parent) &&
      NameOf(parent) != "body")
    return false;
  const xmlNode* prev = node->prev;
  while (prev && IsSpacing(prev))
    prev = prev->prev;
  const xmlNode* next = node->next;
  while (next && IsSpacing(next))
    next = next->next;
  return (!prev || IsBlockElement(prev)) && (!next || IsBlockElement(next));
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
    // A meta element's name comes first, whatever order the attributes came in: the
    // generation finds the head's meta lines by "<meta name".
    xmlAttr* leading = nullptr;
    if (IsElement(node, "meta")) {
      for (xmlAttr* attribute = node->properties; attribute && !leading;
           attribute = attribute->next) {
        if (std::string_view(reinterpret_cast<const char*>(attribute->name)) == "name")
          leading = attribute;
      }
    }
    if (leading)
      WriteAttribute(node, leading);
    // The class comes next and, when it is one plain word, without quotes, as in
    // "<p class=MsoNormal".
    const std::string cls = Attribute(node, "class");
    if (!cls.empty() && IsPlainToken(cls)) {
      out_ += " class=";
      out_ += cls;
    }
    for (xmlAttr* attribute = node->properties; attribute; attribute = attribute->next) {
      const std::string_view name = reinterpret_cast<const char*>(attribute->name);
      if (attribute == leading || (name == "class" && IsPlainToken(cls)))
        continue;
      WriteAttribute(node, attribute);
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
  void WriteAttribute(xmlNode* node, xmlAttr* attribute) {
    out_ += ' ';
    out_ += reinterpret_cast<const char*>(attribute->name);
    xmlChar* value = xmlNodeListGetString(node->doc, attribute->children, 1);
    if (value) {
      out_ += "=\"";
      Text(reinterpret_cast<const char*>(value), true);
      out_ += '"';
      xmlFree(value);
    }
  }

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

// Style rules with the paragraph class of LibreOffice renamed to the one the page uses, one
// line of the style sheet a line; a CR alone ends a line as well. A "<" (in a font name, say)
// is written as CSS escapes it, so that no text of the style section reads as markup to the
// generation ("</head>", "<p class=MsoToc"); only the comment opener "<!--" stays.
std::vector<std::string> StyleLines(std::string css) {
  for (size_t at = css.find("p.western"); at != std::string::npos; at = css.find("p.western", at))
    css.replace(at, 9, "p.MsoNormal");
  for (size_t at = css.find('<'); at != std::string::npos; at = css.find('<', at + 1)) {
    if (css.compare(at, 4, "<!--") != 0)
      css.replace(at, 1, "\\3C ");
  }
  for (char& c : css) {
    if (c == '\r')
      c = '\n';
  }
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= css.size()) {
    size_t end = css.find('\n', start);
    if (end == std::string::npos)
      end = css.size();
    std::string line = css.substr(start, end - start);
    const size_t first = line.find_first_not_of(" \t");
    const size_t last = line.find_last_not_of(" \t");
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

std::string NormaliseWebPage(std::string_view utf8Html, std::vector<std::string>* droppedPictures) {
  std::unique_ptr<xmlDoc, DocFree> doc(htmlReadMemory(
      utf8Html.data(), static_cast<int>(utf8Html.size()), nullptr, "UTF-8",
      HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET));
  xmlNode* html = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
  xmlNode* head = ChildElement(html, "head");
  xmlNode* body = ChildElement(html, "body");

  if (body) {
    std::vector<std::string> dropped;
    ClearTocClasses(body->children);
    DropTextBoxPictures(body->children, dropped);
    if (droppedPictures)
      *droppedPictures = std::move(dropped);
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
