#pragma once

#include "generator/generation_input.h"
#include "generator/package/book_content.h"
#include "generator/textbook_folder.h"
#include "generator/word_pages.h"

namespace quarbel {

class WordProcessor;

enum class GenerationResult { Done, WordProcessorMissing };

// Writes the whole textbook into `folder`: a page per document node in display order (Word
// documents through the word processor, started at the first one; other documents copied
// into other/ and wrapped), then navigation, the menu, the style sheets, the frameset with
// the title page, the author page and the icons. An error with one document ends the walk
// quietly; the pages written so far go on, and the menu then fails on the first missing
// page. Every other error is thrown.
//
// The Word documents are made into pages as WordPageOptions says (helpers side by side, the
// page cache); the textbook is the same for any number of helpers. With `book`, the course's
// pages as the walk made them are kept there for a package, before the look's writer turns
// them into the textbook's pages.
GenerationResult GenerateTextbook(const GenerationInput& input, TextbookFolder& folder,
                                  const WordPageOptions& word, ProgressSink& progress,
                                  std::vector<BookNode>* book = nullptr);

// One word processor of the caller's, the documents one after another, no page cache.
GenerationResult GenerateTextbook(const GenerationInput& input, TextbookFolder& folder,
                                  WordProcessor& word, ProgressSink& progress);

// The Word documents of a course, in course order.
std::vector<std::filesystem::path> WordDocumentsOf(const Outline& outline);

// A factory for WordPageOptions that hands out the caller's own word processor (once at a
// time); the caller keeps it.
std::function<std::unique_ptr<WordProcessor>()> BorrowWordProcessor(WordProcessor& word);

} // namespace quarbel
