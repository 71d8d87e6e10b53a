#pragma once

#include "generator/wrapper_pages.h"
#include "pictures/indexed_image.h"
#include "records/record_file.h"
#include "text/output_encoding.h"

#include <string>

namespace quarbel {

// What every page of the modern textbook shares.
struct ModernLook {
  OutputEncoding encoding = OutputEncoding::Cp1251;
  std::string courseTitle; // plain text, Windows-1251
  // The teacher's style sheet (its safe name), or empty for the program's own look with the
  // three colours (which then follows the reader's dark scheme).
  std::string styleSheet;
  RgbColor menuColour{0xf2, 0xff, 0xbf};
  RgbColor pageColour{0xf2, 0xff, 0xbf};
  RgbColor ruleColour{0xff, 0xff, 0xbe};
};

// One page of the modern textbook before it is put in its shell; texts Windows-1251.
struct ModernPage {
  std::string name;           // "page7.html", "index.html"
  std::string title;          // plain text
  std::string head;           // more of the head: the Word page's own style section
  std::string body;           // the content, as markup
  std::string previous, next; // page names, or empty
};

// The whole page: a standalone HTML5 document in Ukrainian with the bar (menu button,
// course title, search), the menu's place, the content, the page turns and the scripts.
std::string ModernShell(const ModernPage& page, const ModernLook& look);

// The content of a page of a document that is not a Word document: its picture, its video
// or its type icon with a link to the file; `safeName` is its copy in other/.
std::string ModernDocumentBody(PageKind kind, const std::string& documentPath,
                               const std::string& safeName);

// The content of the title page and of the author page, from their records; `picture` is
// the logo or photo as written into img/, or empty.
std::string ModernTitleBody(const RecordValue& title, const std::string& picture);
std::string ModernAuthorBody(const RecordValue& author, const std::string& picture);

// The content of a Word page (the text of its body element) and its own style section,
// from the page as the walk wrote it; Windows-1251.
struct WordPageParts {
  std::string style;
  std::string body;
};
WordPageParts SplitWordPage(const std::string& page1251);

} // namespace quarbel
