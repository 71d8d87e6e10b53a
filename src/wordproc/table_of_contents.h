#pragma once

#include <libxml/tree.h>

namespace quarbel {

// Finds the first table of contents of a parsed page and turns it into the page's entries:
// one <p class=MsoTocL> per entry (L the level of the heading it leads to) holding
// <span class=MsoHyperlink><a href="#anchor">title</a></span>, the title without its page
// number, and a plain paragraph after the last entry.
//
// A table without links (an older Word field) gets them: each entry leads to the heading of
// the same text, in order, and a heading without an anchor gets one. The table's own title
// ("Зміст", "Contents") becomes <p class=MsoTocHeading> before the entries; when it is there,
// the document's title and subtitle paragraphs above it become <p class=MsoTitle> and
// <p class=MsoSubtitle>, so that they do not count as text ahead of the table.
void RewriteTableOfContents(xmlNode* body);

} // namespace quarbel
