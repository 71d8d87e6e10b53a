#pragma once

#include "wordproc/converted_page.h"
#include "wordproc/page_cache.h"
#include "wordproc/word_processor.h"

#include <condition_variable>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quarbel {

// How a conversion turns its Word documents into pages.
struct WordPageOptions {
  // A new word processor for each helper; each runs its own LibreOffice.
  std::function<std::unique_ptr<WordProcessor>()> factory;
  // Helpers at most, working side by side; 1 converts the documents one after another.
  int jobs = 1;
  // Pages kept between conversions; none: every document goes to the word processor.
  const PageCache* cache = nullptr;
  // What made the pages (WordPageVersion()), part of every cache key.
  std::string version;
  // Where the helpers' scratch folders go: "<scratch>-job1" and so on, beside the staging
  // folder so that links the word processor makes relative come out as they would there.
  std::filesystem::path scratch;
};

// Helpers to use when nothing else is set: the machine's cores, at most 4.
int DefaultWordPageJobs();

// What made a page: the program's clean-up, the helper and the installed LibreOffice.
std::string WordPageVersion(const std::filesystem::path& helper);

// The pages of a course's Word documents, made ahead of the walk that writes the textbook in
// course order. Pages from the cache are there at once; the rest are given to up to `jobs`
// helpers, which take the documents in course order. No helper starts when every page is in
// the cache. The object ends every helper when it goes, whatever happened.
class WordPages {
public:
  // What became of one document.
  struct Outcome {
    enum class State { Ready, Failed, Missing } state = State::Missing;
    ConvertedPage page;         // Ready: with the scratch page's names
    std::exception_ptr failure; // Failed: what the word processor threw
  };

  // `documents` are the course's Word documents in course order; `outputFolder` is the
  // folder the textbook goes to (cached pages are kept per output folder, since the links a
  // page holds are relative to it).
  WordPages(WordPageOptions options, std::vector<std::filesystem::path> documents,
            const std::filesystem::path& outputFolder);
  ~WordPages();
  WordPages(const WordPages&) = delete;
  WordPages& operator=(const WordPages&) = delete;

  // The outcome of the index-th document, waiting for it; `waiting` runs every 50 ms or so
  // meanwhile (the window's events).
  Outcome Take(size_t index, const std::function<void()>& waiting);

  // Ends the work: documents not yet converted are dropped and every helper is ended, even
  // one in the middle of a document.
  void Stop();

  // Helpers started so far (for the tests and the measurements).
  int helpersStarted() const;

private:
  struct Slot {
    std::optional<std::string> key;
    bool done = false;
    Outcome outcome;
  };
  void Work(int worker);

  WordPageOptions options_;
  std::vector<std::filesystem::path> documents_;
  std::vector<Slot> slots_;
  std::vector<size_t> queue_; // the documents the helpers convert, in course order
  size_t next_ = 0;           // the next of queue_ to be taken by a helper
  bool stopping_ = false;
  int started_ = 0;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<WordProcessor*> processors_; // each helper's, while it has one
  std::vector<std::thread> workers_;
};

} // namespace quarbel
