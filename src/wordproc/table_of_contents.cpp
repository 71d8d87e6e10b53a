#include "wordproc/table_of_contents.h"

#include "text/cp1251.h"
#include "text/text_case.h"
#include "wordproc/html_tree.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quarbel {
namespace {

using namespace html;

// ---- Headings -------------------------------------------------------------------------

struct Heading {
  int level;
  std::string text; // collapsed
};

// Names of the anchors inside headings, with the heading they stand in.
void CollectHeadingAnchors(xmlNode* node, xmlNode* heading, std::map<std::string, Heading>& out) {
  for (; node; node = node->next) {
    if (node->type != XML_ELEMENT_NODE)
      continue;
    xmlNode* here = HeadingLevel(node) ? node : heading;
    if (here) {
      for (const char* attribute : {"name", "id"}) {
        const std::string name = Attribute(node, attribute);
        if (!name.empty())
          out.emplace(name, Heading{HeadingLevel(here), Collapse(TextOf(here))});
      }
    }
    CollectHeadingAnchors(node->children, here, out);
  }
}

void CollectHeadings(xmlNode* node, std::vector<xmlNode*>& out) {
  for (; node; node = node->next) {
    if (HeadingLevel(node))
      out.push_back(node);
    else if (node->type == XML_ELEMENT_NODE)
      CollectHeadings(node->children, out);
  }
}

// ---- Entry titles ---------------------------------------------------------------------

// A page number as a table of contents shows it: digits or a Roman numeral.
bool IsPageNumber(std::string_view text) {
  const std::string trimmed = Collapse(text);
  return !trimmed.empty() &&
         trimmed.find_first_not_of("0123456789ivxlcdmIVXLCDM") == std::string::npos;
}

std::string WithoutNoBreakSpaces(std::string text) {
  for (size_t at = text.find("\xC2\xA0"); at != std::string::npos; at = text.find("\xC2\xA0", at))
    text.replace(at, 2, " ");
  return text;
}

// Drops dot leaders ("Вступ ........") from the end of a title.
void DropLeaders(std::string& title) {
  size_t end = title.size();
  while (end > 0 && (title[end - 1] == '.' || title[end - 1] == ' '))
    --end;
  if (title.size() - end >= 3 && title.substr(end).find("...") != std::string::npos)
    title.erase(end);
}

bool EndsWithWord(const std::string& text, const std::string& word) {
  return text == word || (text.size() > word.size() &&
                          text.compare(text.size() - word.size(), word.size(), word) == 0 &&
                          text[text.size() - word.size() - 1] == ' ');
}

// The title of an entry without the page number a printed table shows after it. The number
// usually follows a tab; without one, a last word that is a number and that the heading
// itself does not end with is the page number.
std::string EntryTitle(std::string text, const std::string& headingText) {
  text = WithoutNoBreakSpaces(std::move(text));
  if (const size_t tab = text.rfind('\t'); tab != std::string::npos) {
    const std::string_view after = std::string_view(text).substr(tab + 1);
    if (IsPageNumber(after) || IsBlank(after))
      text.erase(tab);
  }
  std::string title = Collapse(text);
  if (const size_t blank = title.rfind(' '); blank != std::string::npos) {
    const std::string last = title.substr(blank + 1);
    if (IsPageNumber(last) && !EndsWithWord(headingText, last))
      title.erase(blank);
  }
  DropLeaders(title);
  return Collapse(title);
}

// ---- Entries with links ---------------------------------------------------------------

void CollectLinks(xmlNode* node, std::vector<xmlNode*>& links) {
  for (; node; node = node->next) {
    if (IsElement(node, "a") && Attribute(node, "href").rfind('#', 0) == 0)
      links.push_back(node);
    CollectLinks(node->children, links);
  }
}

struct TocEntry {
  xmlNode* paragraph;
  std::string anchor;
  std::string title;
  int level;
};

// A paragraph that is an entry of a table of contents: its link leads to a heading and
// nothing but a page number stands beside the link.
std::optional<TocEntry> AsTocEntry(xmlNode* paragraph,
                                   const std::map<std::string, Heading>& anchors) {
  if (!IsElement(paragraph, "p"))
    return std::nullopt;
  std::vector<xmlNode*> links;
  CollectLinks(paragraph->children, links);
  if (links.size() != 1)
    return std::nullopt;
  const std::string anchor = Attribute(links[0], "href").substr(1);
  const auto heading = anchors.find(anchor);
  if (heading == anchors.end())
    return std::nullopt;

  const std::string linkText = TextOf(links[0]);
  std::string outside = TextOf(paragraph);
  if (const size_t at = outside.find(linkText); at != std::string::npos)
    outside.erase(at, linkText.size());
  if (!IsBlank(outside) && !IsPageNumber(WithoutNoBreakSpaces(outside)))
    return std::nullopt;

  std::string title = EntryTitle(linkText, heading->second.text);
  if (title.empty())
    return std::nullopt;
  return TocEntry{paragraph, anchor, std::move(title), heading->second.level};
}

std::optional<TocEntry> FirstTocEntry(xmlNode* node,
                                      const std::map<std::string, Heading>& anchors) {
  for (; node; node = node->next) {
    if (auto entry = AsTocEntry(node, anchors))
      return entry;
    if (auto entry = FirstTocEntry(node->children, anchors))
      return entry;
  }
  return std::nullopt;
}

// ---- Entries without links ------------------------------------------------------------

// "Title<TAB>page" in a paragraph without links: an entry of a table without links.
std::optional<std::string> UnlinkedEntryTitle(xmlNode* paragraph) {
  if (!IsElement(paragraph, "p"))
    return std::nullopt;
  std::vector<xmlNode*> links;
  CollectLinks(paragraph->children, links);
  if (!links.empty())
    return std::nullopt;
  std::string text = WithoutNoBreakSpaces(TextOf(paragraph));
  text.erase(text.find_last_not_of(" \r\n") + 1);
  const size_t tab = text.rfind('\t');
  if (tab == std::string::npos || !IsPageNumber(text.substr(tab + 1)))
    return std::nullopt;
  std::string title = Collapse(text.substr(0, tab));
  DropLeaders(title);
  if (title.empty())
    return std::nullopt;
  return title;
}

// The entry's title is the heading's text, or the heading's text after the number that the
// heading gets from its list ("1.2 Мета" against "Мета").
bool TitleMatches(const std::string& entry, const std::string& heading) {
  if (entry == heading)
    return true;
  const size_t blank = entry.find(' ');
  return blank != std::string::npos && entry.compare(blank + 1, std::string::npos, heading) == 0 &&
         entry.substr(0, blank).find_first_not_of("0123456789.") == std::string::npos;
}

std::string AnchorOf(xmlNode* node) {
  for (const char* attribute : {"name", "id"}) {
    if (node->type == XML_ELEMENT_NODE && IsElement(node, "a")) {
      if (std::string name = Attribute(node, attribute); !name.empty())
        return name;
    }
  }
  for (xmlNode* child = node->children; child; child = child->next) {
    if (std::string name = AnchorOf(child); !name.empty())
      return name;
  }
  return {};
}

xmlNode* FindUnlinkedEntry(xmlNode* node) {
  for (; node; node = node->next) {
    if (UnlinkedEntryTitle(node))
      return node;
    if (xmlNode* found = FindUnlinkedEntry(node->children))
      return found;
  }
  return nullptr;
}

// Gives a table of contents without links its links: each entry leads to the next heading
// of its text, and a heading without an anchor gets one.
void LinkUnlinkedEntries(xmlNode* body) {
  std::vector<xmlNode*> headings;
  CollectHeadings(body->children, headings);
  size_t next = 0;
  int added = 0;
  for (xmlNode* paragraph = FindUnlinkedEntry(body->children); paragraph;
       paragraph = NextElement(paragraph)) {
    const std::optional<std::string> title = UnlinkedEntryTitle(paragraph);
    if (!title)
      break;
    size_t match = next;
    while (match < headings.size() && !TitleMatches(*title, Collapse(TextOf(headings[match]))))
      ++match;
    if (match == headings.size())
      break;
    next = match + 1;

    xmlNode* heading = headings[match];
    std::string anchor = AnchorOf(heading);
    if (anchor.empty()) {
      anchor = "_TocHeading" + std::to_string(++added);
      xmlNode* mark = NewElement("a");
      SetAttribute(mark, "name", anchor);
      if (heading->children)
        xmlAddPrevSibling(heading->children, mark);
      else
        xmlAddChild(heading, mark);
    }
    while (paragraph->children)
      Remove(paragraph->children);
    xmlNode* link = xmlAddChild(paragraph, NewElement("a"));
    SetAttribute(link, "href", "#" + anchor);
    AddText(link, *title);
  }
}

// ---- The table's title and the document's title ---------------------------------------

bool IsContentsTitle(xmlNode* paragraph) {
  if (!IsElement(paragraph, "p"))
    return false;
  std::string text = Collapse(WithoutNoBreakSpaces(TextOf(paragraph)));
  while (!text.empty() && (text.back() == ':' || text.back() == '.' || text.back() == ' '))
    text.pop_back();
  const std::optional<std::string> local = TryCp1251FromUtf8(text);
  if (!local)
    return false;
  const std::string lower = FoldCaseText(*local);
  for (const char* title : {"зміст", "contents", "table of contents", "содержание", "оглавление",
                            "spis treści", "inhalt", "inhaltsverzeichnis"}) {
    if (const auto known = TryCp1251FromUtf8(title); known && lower == *known)
      return true;
  }
  return false;
}

// The node that holds the table's title, just before the first entry: the title paragraph
// itself, or a division holding only it (LibreOffice puts the title in a section of its own).
xmlNode* ContentsTitleBefore(xmlNode* node) {
  if (!node)
    return nullptr;
  if (IsContentsTitle(node))
    return node;
  if (IsElement(node, "div")) {
    xmlNode* only = nullptr;
    for (xmlNode* child = node->children; child; child = child->next) {
      if (IsIgnorable(child))
        continue;
      if (only)
        return nullptr;
      only = child;
    }
    if (only && IsContentsTitle(only))
      return node;
  }
  return nullptr;
}

xmlNode* TitleParagraph(xmlNode* holder) {
  if (IsElement(holder, "p"))
    return holder;
  for (xmlNode* child = holder->children; child; child = child->next) {
    if (IsElement(child, "p"))
      return child;
  }
  return holder;
}

bool IsShortBlock(xmlNode* node) {
  return (IsElement(node, "p") || HeadingLevel(node)) && Collapse(TextOf(node)).size() <= 300;
}

// Paragraphs above the table's title that read as the document's title and subtitle (a few
// short paragraphs or headings, nothing else) become MsoTitle and MsoSubtitle.
void MarkDocumentTitle(xmlNode* body, xmlNode* contents) {
  while (contents->parent && contents->parent != body)
    contents = contents->parent;
  if (contents->parent != body)
    return;
  int texts = 0;
  for (xmlNode* node = body->children; node != contents; node = node->next) {
    if (IsIgnorable(node))
      continue;
    if (!IsShortBlock(node))
      return;
    if (!IsBlank(TextOf(node)))
      ++texts;
  }
  if (texts > 4)
    return;
  bool titled = false;
  for (xmlNode* node = body->children; node != contents; node = node->next) {
    if (!IsElement(node, "p"))
      continue;
    const bool blank = IsBlank(TextOf(node));
    SetAttribute(node, "class", !titled && !blank ? "MsoTitle" : "MsoSubtitle");
    titled = titled || !blank;
  }
}

xmlNode* MakeTocParagraph(const TocEntry& entry) {
  xmlNode* p = NewElement("p");
  SetAttribute(p, "class", "MsoToc" + std::to_string(entry.level));
  xmlNode* span = xmlAddChild(p, NewElement("span"));
  SetAttribute(span, "class", "MsoHyperlink");
  xmlNode* a = xmlAddChild(span, NewElement("a"));
  SetAttribute(a, "href", "#" + entry.anchor);
  AddText(a, entry.title);
  return p;
}

xmlNode* MakeContentsTitle(xmlNode* holder) {
  xmlNode* p = NewElement("p");
  SetAttribute(p, "class", "MsoTocHeading");
  AddText(p, Collapse(WithoutNoBreakSpaces(TextOf(TitleParagraph(holder)))));
  return p;
}

} // namespace

void RewriteTableOfContents(xmlNode* body) {
  std::map<std::string, Heading> anchors;
  CollectHeadingAnchors(body->children, nullptr, anchors);
  std::optional<TocEntry> first = FirstTocEntry(body->children, anchors);
  if (!first) {
    LinkUnlinkedEntries(body);
    anchors.clear();
    CollectHeadingAnchors(body->children, nullptr, anchors);
    first = FirstTocEntry(body->children, anchors);
  }
  if (!first)
    return;

  std::vector<TocEntry> entries{*first};
  for (xmlNode* next = NextElement(first->paragraph); next; next = NextElement(next)) {
    auto entry = AsTocEntry(next, anchors);
    if (!entry)
      break;
    entries.push_back(std::move(*entry));
  }

  // The table's title stands just before the first entry, or just before the section that
  // LibreOffice wraps the table in.
  xmlNode* parent = first->paragraph->parent;
  xmlNode* title = ContentsTitleBefore(PreviousElement(first->paragraph));
  if (!title && !PreviousElement(first->paragraph) && IsElement(parent, "div") && parent != body)
    title = ContentsTitleBefore(PreviousElement(parent));

  // LibreOffice wraps the table in a section of its own; the entries take its place.
  xmlNode* container = nullptr;
  if (IsElement(parent, "div") && parent != body) {
    bool onlyEntries = true;
    size_t index = 0;
    for (xmlNode* child = parent->children; child && onlyEntries; child = child->next) {
      if (IsIgnorable(child) || child == title)
        continue;
      onlyEntries = index < entries.size() && child == entries[index].paragraph;
      ++index;
    }
    if (onlyEntries)
      container = parent;
  }

  const auto insert = [&](xmlNode* replacement, xmlNode* at) {
    if (container) {
      xmlAddPrevSibling(container, replacement);
      xmlAddPrevSibling(container, xmlNewText(reinterpret_cast<const xmlChar*>("\n")));
    } else {
      xmlAddPrevSibling(at, replacement);
    }
  };
  xmlNode* heading = nullptr;
  if (title) {
    heading = MakeContentsTitle(title);
    insert(heading, entries.front().paragraph);
    if (!container || title->parent != container)
      Remove(title);
  }
  // Blank text and comments between the entries would stay between them in the page (a
  // no-break space is written out) and go into the menu with them.
  if (!container) {
    for (size_t i = 1; i < entries.size(); ++i) {
      while (entries[i].paragraph->prev != entries[i - 1].paragraph)
        Remove(entries[i].paragraph->prev);
    }
  }
  xmlNode* last = nullptr;
  for (const TocEntry& entry : entries) {
    xmlNode* replacement = MakeTocParagraph(entry);
    insert(replacement, entry.paragraph);
    if (!container)
      Remove(entry.paragraph);
    last = replacement;
  }
  if (container) {
    Remove(container);
    last = last->next; // the line break after the last entry
  }

  // What follows the table must be a plain paragraph, with nothing between the two.
  while (last->next && IsIgnorable(last->next))
    Remove(last->next);
  xmlNode* after = NextElement(last);
  if (!IsPlainParagraph(after)) {
    xmlNode* empty = NewElement("p");
    SetAttribute(empty, "class", "MsoNormal");
    xmlAddNextSibling(last, empty);
  }

  if (heading)
    MarkDocumentTitle(body, heading);
}

} // namespace quarbel
