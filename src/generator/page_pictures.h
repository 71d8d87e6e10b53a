#pragma once

#include "generator/textbook_folder.h"

#include <string>
#include <vector>

namespace quarbel {

// The pictures a page shows from the textbook folder: the src of every <img>, as the page
// names them (relative, Windows-1251 as the page is), links to the web left out.
std::vector<std::string> PagePictures(const std::string& page1251);

// Throws Error when a picture the page (its text as written) shows is missing from the folder
// or cut short: the word processor leaves a picture out without a word when the disk is full.
void CheckPagePictures(const TextbookFolder& folder, const std::string& page1251);

} // namespace quarbel
