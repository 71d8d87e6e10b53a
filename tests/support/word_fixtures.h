#pragma once

#include <string>
#include <vector>

// Word documents in Word's own Office Open XML shape, written by the tests.
namespace quarbel::testing {

struct FixtureHeading {
  int level;
  std::string anchor; // the "_Toc" bookmark on the heading
  std::string title;  // UTF-8
};

// The headings of the fixture, in order; its table of contents lists them all.
const std::vector<FixtureHeading>& FixtureHeadings();

struct WordFixture {
  bool tableOfContents = true;
  bool paragraphBeforeContents = false; // a paragraph ahead of the table of contents
  std::string pictureBytes;             // a PNG shown in the last section; none when empty
  std::string extraText;                // one more paragraph, to tell documents apart
};

// The bytes of a .docx: headings with "_Toc" bookmarks, the table of contents as Word
// writes it (a TOC field of "TOC 1"/"TOC 2" paragraphs with hyperlinks and page numbers),
// Cyrillic text with a character outside Windows-1251 ("≈"), bold and italic, a bulleted
// list, a table, a footnote and an optional picture.
std::string MakeDocx(const WordFixture& fixture);

} // namespace quarbel::testing
