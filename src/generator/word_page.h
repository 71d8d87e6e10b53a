#pragma once

#include "generator/textbook_text.h"
#include "pictures/indexed_image.h"

#include <string>

namespace quarbel {

// The clean-up of a page the word processor saved: the charset line of the encoding choice
// in place of the page's own, without its first run of "<meta name" lines, titled
// "Page N", and without its own style section when a style file is in use.
void CleanUpWordPage(Lines& lines, int pageNumber, OutputEncoding encoding, bool styleFileInUse);

// The finishing every page gets after its "<head>" line: a link to the style file (by its
// safe name) or, with the default style, a body line with the document background colour.
void FinishPage(Lines& lines, const std::string& styleSafeName, RgbColor pageColour);

} // namespace quarbel
