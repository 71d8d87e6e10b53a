#pragma once

#include "generator/generation_input.h"
#include "generator/modern_menu.h"
#include "generator/textbook_folder.h"
#include "generator/wrapper_pages.h"

#include <string>
#include <vector>

namespace quarbel {

// A node of the course as the packages see it, in course order: a heading, or a document's
// page with what the walk made of it. Texts are UTF-8.
struct BookNode {
  int level = 0;
  std::string title;
  std::string page; // "page3.html"; empty for a heading
  PageKind kind = PageKind::Word;
  std::string documentPath; // Windows-1251, as in the course
  std::string copy;         // the document's copy in other/ (not for Word documents)
  // A Word page: its own style section, its body markup and the entries of its table of
  // contents (taken out of the body, as the menu takes them).
  std::string style;
  std::string body;
  std::vector<ContentsEntry> contents;
};

// The course's nodes. With `readPages`, every Word page is read as the walk wrote it into
// `folder` (before the look's writer changes it); a page that is not there throws Error.
// Without, the nodes hold titles and page names only.
std::vector<BookNode> CollectBookNodes(const GenerationInput& input, const TextbookFolder& folder,
                                       bool readPages);

// The course tree of pages for a package's table of contents: a page's entry with its title
// and page name, headings holding what is under them; headings with no page under them are
// left out (nothing in them to open). With `contents`, a Word page's table-of-contents entries
// go under its entry as "pageN.html#anchor".
std::vector<MenuEntry> PageTree(const std::vector<BookNode>& nodes, bool contents);

} // namespace quarbel
