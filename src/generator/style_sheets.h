#pragma once

#include "generator/textbook_folder.h"
#include "generator/textbook_text.h"

namespace quarbel {

// menu.css of the default style: the menu background in the menu colour.
void WriteMenuStyleSheet(const TextbookFolder& folder, RgbColor menuColour,
                         OutputEncoding encoding);

// menu.css when the style file is named "default.css": a fixed text.
void WriteStockMenuStyleSheet(const TextbookFolder& folder, OutputEncoding encoding);

} // namespace quarbel
