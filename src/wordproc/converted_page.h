#pragma once

#include "wordproc/word_processor.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quarbel {

// A Word document as the word processor made it into a web page: the page text as
// saveAsWebPage leaves it (Windows-1251, normalised) and the files it wrote beside the page,
// by name, sorted. The word processor names those files after the page; a converted page
// carries the names of a page called kScratchPageStem + ".html" until it is renamed for its
// place in a textbook.
struct ConvertedPage {
  std::string html;
  std::vector<std::pair<std::string, std::string>> files; // name, bytes
  bool operator==(const ConvertedPage&) const = default;
};

inline constexpr std::string_view kScratchPageStem = "quarbelpage";

// Converts the document in `scratch`, a folder of the caller's that is emptied before and
// after. Throws what the word processor throws; the document is opened, saved and closed.
ConvertedPage ConvertDocument(WordProcessor& word, const std::filesystem::path& document,
                              const std::filesystem::path& scratch);

// The page as the word processor would have written it under the name `pageStem` + ".html":
// the files named "quarbelpage_html_…" are named "<pageStem>_html_…", in their names and
// wherever the page text mentions them.
ConvertedPage RenamedForPage(ConvertedPage page, std::string_view pageStem);

} // namespace quarbel
