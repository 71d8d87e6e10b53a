#pragma once

#include "generator/generation_input.h"
#include "generator/textbook_folder.h"

#include <string>

namespace quarbel {

// Turns the pages the walk wrote (page1.html … pageN.html, in the classic page shape) into
// the modern textbook: every page standalone in its shell, index.html (the title page, or a
// way to the first page), author.html, the menu and search data and the look's own files.
// A Word page's table of contents goes into the menu, as in the classic look. A page that
// is not there throws Error, as the classic menu does.
void WriteModernTextbook(const GenerationInput& input, TextbookFolder& folder,
                         const std::string& styleSafeName, int pages);

// The course's title as the modern pages show it: the discipline of the title page, or
// "Електронний посібник". Windows-1251 plain text.
std::string ModernCourseTitle(const GenerationInput& input);

} // namespace quarbel
