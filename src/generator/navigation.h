#pragma once

#include "generator/textbook_folder.h"
#include "generator/textbook_text.h"

namespace quarbel {

// Gives pages 1..count links to the previous and the next page, inserted before the line
// that precedes each page's last "</body>" line. Icons are referred to with the extensions
// they were written with.
void AddPageNavigation(const TextbookFolder& folder, int count, OutputEncoding encoding,
                       const std::string& previousExtension = ".gif",
                       const std::string& forwardExtension = ".gif");

} // namespace quarbel
