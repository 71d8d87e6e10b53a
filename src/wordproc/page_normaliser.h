#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quarbel {

// Changes whenever NormaliseWebPage makes different pages of the same input: kept pages made
// by another version are not used.
inline constexpr int kPageFormatVersion = 1;

// Turns LibreOffice's HTML export of a Word document (UTF-8) into the page the textbook
// generation expects, in Windows-1251 with "&#N;" for characters the code page lacks:
//
//   <html>
//   <head>
//   <meta http-equiv=Content-Type content="text/html; charset=windows-1251">
//   <meta name=... lines>
//   <title>...</title>
//   <style>
//   ...the document's style rules...
//   </style>
//   </head>
//   <body ...>
//   <div class=Section1>
//   ...
//   </div>
//
//   </body>
//   </html>
//
// Lines end with CR LF. Plain paragraphs begin "<p class=MsoNormal". A table of contents
// (paragraphs whose link leads to a heading) becomes one "<p class=MsoTocL>" line per entry,
// L being the level of the heading the entry leads to, holding
// <span class=MsoHyperlink><a href="#anchor">title</a></span> without page numbers; a
// MsoNormal paragraph always follows it; the table's own title comes before the entries as
// "<p class=MsoTocHeading>" (see RewriteTableOfContents). No other paragraph has a MsoToc
// class, the head's meta lines begin "<meta name", and no text of the style section reads as
// markup.
//
// Whitespace that separates words stays, whatever run it is in. The empty pictures LibreOffice
// draws for the boxes of text boxes are left out; their file names (as the page referred to
// them) go to `droppedPictures` when it is given.
std::string NormaliseWebPage(std::string_view utf8Html,
                             std::vector<std::string>* droppedPictures = nullptr);

} // namespace quarbel
