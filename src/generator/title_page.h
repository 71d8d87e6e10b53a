#pragma once

#include "generator/textbook_folder.h"
#include "generator/textbook_text.h"
#include "records/record_file.h"

#include <string>

namespace quarbel {

struct PageStyle {
  OutputEncoding encoding = OutputEncoding::Cp1251;
  std::string styleSafeName; // empty for the default style
  RgbColor pageColour{0xf2, 0xff, 0xbf};
  RgbColor ruleColour{0xff, 0xff, 0xbe};
};

// index.html: the frameset with the menu on the left and the title page (or page1.html
// without one) on the right; titled after the discipline.
void WriteIndexPage(const TextbookFolder& folder, const std::string& discipline, bool titlePage,
                    OutputEncoding encoding);

// index.html and title.html from the title page record; the logo goes to img/logo when its
// check box is on.
void WriteTitlePage(const TextbookFolder& folder, const RecordValue& title, const PageStyle& style);

// about.html from the author record; the photo goes to img/photo when its check box is on.
void WriteAuthorPage(const TextbookFolder& folder, const RecordValue& author,
                     const PageStyle& style);

// The picture of a record that goes into the textbook: checked, and with bytes.
const RecordPicture* ChosenPicture(const RecordValue& record);

} // namespace quarbel
