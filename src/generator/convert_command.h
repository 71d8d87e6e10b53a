#pragma once

#include "generator/generation_input.h"
#include "generator/word_pages.h"
#include "prompts/prompts.h"

#include <functional>

namespace quarbel {

class WordProcessor;

enum class ConvertOutcome { Refused, Cancelled, Done, WordProcessorMissing, Failed };

// The convert command: checks the course (a document in it, Word not running, missing
// documents, non-Word documents of the same name), asks for the output folder, writes the
// textbook and reports. A failure takes away what the conversion made and says
// "Помилка при конвертуванні !". `input.outputFolder` is set from the chooser. With
// `openTextbook`, the success message offers to open the textbook and it is given the
// textbook's first page when the offer is taken.
ConvertOutcome
ConvertCourse(GenerationInput input, Prompts& prompts, const WordPageOptions& word,
              ProgressSink& progress, const std::function<bool()>& wordRunning,
              const std::function<void(const std::filesystem::path&)>& openTextbook = {});

// The same with one word processor of the caller's, the documents one after another and no
// page cache.
ConvertOutcome
ConvertCourse(GenerationInput input, Prompts& prompts, WordProcessor& word, ProgressSink& progress,
              const std::function<bool()>& wordRunning,
              const std::function<void(const std::filesystem::path&)>& openTextbook = {});

// The checks alone, in their order; false when the command stops at one of them.
bool CheckCourseForConversion(const Outline& outline, Prompts& prompts,
                              const std::function<bool()>& wordRunning);

} // namespace quarbel
