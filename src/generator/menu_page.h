#pragma once

#include "generator/textbook_folder.h"
#include "generator/textbook_text.h"
#include "structure/outline.h"

#include <optional>
#include <string>

namespace quarbel {

struct MenuOptions {
  OutputEncoding encoding = OutputEncoding::Cp1251;
  // The style line's target: the style file's safe name, or "menu.css".
  std::string styleSheet = "menu.css";
  bool titlePage = false;
  bool authorPage = false;
  // The icons' extensions as written into img/ (".gif" for the built-in ones).
  std::string homeExtension = ".gif";
  std::string minusExtension = ".gif";
  std::string plusExtension = ".gif";
};

// The menu's text of a node: an item's whole text; a document's text before the first
// blank that is directly followed by "[".
std::string MenuTitle(const std::string& nodeText);

// Takes a Word page's table of contents out of the page: the text from the first
// "<p class=MsoToc" up to the first "<p class=MsoNormal". Nothing when the page has no entry;
// an empty block (the page unchanged) when no plain paragraph follows the first entry.
std::optional<std::string> TakeTableOfContents(std::string& page1251);

// The body lines of the menu: one row per entry, nested by level, with a plus/minus button
// and a closed sub-list for every entry with deeper entries after it. `collected` holds the
// entries as "<p class=MsoToc..." paragraphs.
Lines MenuBody(std::string collected, const std::string& plusExtension);

// Writes menu.html and qcstyle.css; takes every Word table of contents out of its page
// (rewriting the page) into the menu, linked to its page. Reading a page that is not there
// throws Error.
void WriteMenuPage(const Outline& outline, const TextbookFolder& folder,
                   const MenuOptions& options);

} // namespace quarbel
