#pragma once

#include "generator/generation_input.h"
#include "generator/textbook_folder.h"

namespace quarbel {

class WordProcessor;

enum class GenerationResult { Done, WordProcessorMissing };

// Writes the whole textbook into `folder`: a page per document node in display order (Word
// documents through the word processor, started at the first one; other documents copied
// into other/ and wrapped), then navigation, the menu, the style sheets, the frameset with
// the title page, the author page and the icons. An error with one document ends the walk
// quietly; the pages written so far go on, and the menu then fails on the first missing
// page. Every other error is thrown.
GenerationResult GenerateTextbook(const GenerationInput& input, TextbookFolder& folder,
                                  WordProcessor& word, ProgressSink& progress);

} // namespace quarbel
