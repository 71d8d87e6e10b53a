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
  int bodyParagraphs = 0;               // paragraphs of lecture text after it (about ten to a page)
  // A title ("Title" style), a subtitle and the table's own title "Зміст" ("TOC Heading").
  bool titleAboveContents = false;
  // A TOC field with \h: entries are hyperlinks to "_Toc" bookmarks. Without it, as older
  // documents have it, entries are plain text and the headings carry no bookmarks.
  bool contentsHyperlinks = true;
  bool reviewerComment = false; // a comment of a reviewer on the first paragraph
  bool trackedChanges = false;  // an insertion and a deletion whose author was scrubbed
  bool textBox = false;         // a text box holding a picture caption
};

// The texts a fixture carries for the tests that look for them (UTF-8).
inline constexpr const char* kCommentText = "Перевірити формулу";
inline constexpr const char* kInsertedText = "вставлене речення";
inline constexpr const char* kDeletedText = "вилучене речення";
inline constexpr const char* kCaptionText = "Рис. 1. Хід променя";

// The bytes of a .docx: headings with "_Toc" bookmarks, the table of contents as Word
// writes it (a TOC field of "TOC 1"/"TOC 2" paragraphs with hyperlinks and page numbers),
// Cyrillic text with a character outside Windows-1251 ("≈"), bold and italic, a bulleted
// list, a table, a footnote and an optional picture.
//
// Every fixture also holds words separated by spaces that are the whole text of a formatted
// or language-tagged run: "Перше" <b> </b> "друге", and "SECTION 1" <en-US> </> "Introduction".
std::string MakeDocx(const WordFixture& fixture);

// A LibreOffice document as flat ODF (.fodt): a title, a subtitle, a table of contents with
// its title "Зміст", hyperlinked entries with page numbers and three heading levels
// (LoHeadings()). LibreOffice turns it into .docx and .doc for the tests.
const std::vector<FixtureHeading>& LoHeadings();
std::string MakeFlatOdt();

} // namespace quarbel::testing
