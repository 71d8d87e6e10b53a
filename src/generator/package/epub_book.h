#pragma once

#include "generator/generation_input.h"
#include "generator/package/book_content.h"
#include "generator/package/zip_writer.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quarbel {

// An EPUB 3 book of the course, in UTF-8 whatever the textbook's encoding. Its reading order
// is the menu's: the title page, the pages, the author page; its navigation document is the
// course tree with the Word tables of contents. Word pages become XHTML documents with their
// pictures; a PDF, DjVu, spreadsheet, slide show or picture the e-reader cannot show goes in
// as an attachment that its page links to; a video plays in the page. The title page gives
// the book's title and the logo its cover, the author page its creator. `folder` is the
// textbook the conversion wrote, for the files the pages name; `nodes` are the course's pages
// as the walk made them (CollectBookNodes).
void WriteEpubBook(const GenerationInput& input, const std::vector<BookNode>& nodes,
                   const std::filesystem::path& folder, ZipWriter& zip);

} // namespace quarbel
