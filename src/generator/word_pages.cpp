#include "generator/word_pages.h"

#include "text/sha256.h"
#include "wordproc/libreoffice_install.h"
#include "wordproc/page_normaliser.h"

#include <algorithm>
#include <chrono>

namespace quarbel {
namespace {

namespace fs = std::filesystem;

} // namespace

int DefaultWordPageJobs() {
  const unsigned cores = std::thread::hardware_concurrency();
  return static_cast<int>(std::clamp(cores, 1u, 4u));
}

std::string WordPageVersion(const fs::path& helper) {
  std::string version = "page-format " + std::to_string(kPageFormatVersion) + "\n";
  try {
    version += "helper " + Sha256OfFile(helper) + "\n";
  } catch (const std::exception&) {
    version += "helper missing\n";
  }
  return version + LibreOfficeStamp();
}

WordPages::WordPages(WordPageOptions options, std::vector<fs::path> documents,
                     const fs::path& outputFolder)
    : options_(std::move(options)), documents_(std::move(documents)), slots_(documents_.size()) {
  for (size_t i = 0; i < documents_.size(); ++i) {
    if (options_.cache) {
      // Links the word processor writes are relative to the page's folder, so a page is kept
      // for its document's place and its textbook's place as well as its bytes.
      slots_[i].key = PageCache::KeyOf(
          documents_[i], options_.version + "\n" + fs::absolute(documents_[i]).string() + "\n" +
                             fs::absolute(outputFolder).string());
      if (slots_[i].key) {
        if (auto page = options_.cache->Find(*slots_[i].key)) {
          slots_[i].done = true;
          slots_[i].outcome.state = Outcome::State::Ready;
          slots_[i].outcome.page = std::move(*page);
          continue;
        }
      }
    }
    queue_.push_back(i);
  }
  const size_t helpers = std::min<size_t>(std::max(options_.jobs, 1), queue_.size());
  processors_.assign(helpers, nullptr);
  for (size_t worker = 0; worker < helpers; ++worker)
    workers_.emplace_back(&WordPages::Work, this, static_cast<int>(worker));
}

WordPages::~WordPages() {
  Stop();
  for (std::thread& worker : workers_)
    worker.join();
}

void WordPages::Stop() {
  std::lock_guard lock(mutex_);
  stopping_ = true;
  for (WordProcessor* word : processors_)
    if (word)
      word->abort();
  changed_.notify_all();
}

int WordPages::helpersStarted() const {
  std::lock_guard lock(mutex_);
  return started_;
}

WordPages::Outcome WordPages::Take(size_t index, const std::function<void()>& waiting) {
  std::unique_lock lock(mutex_);
  while (!slots_[index].done) {
    changed_.wait_for(lock, std::chrono::milliseconds(50));
    if (!slots_[index].done && waiting) {
      lock.unlock();
      waiting();
      lock.lock();
    }
  }
  return std::move(slots_[index].outcome);
}

void WordPages::Work(int worker) {
  const fs::path scratch = options_.scratch.string() + "-job" + std::to_string(worker + 1);
  std::unique_ptr<WordProcessor> word;
  bool missing = false;
  for (;;) {
    size_t index;
    {
      std::lock_guard lock(mutex_);
      if (stopping_ || next_ >= queue_.size())
        break;
      index = queue_[next_++];
    }
    Outcome outcome;
    if (!word && !missing) {
      // A word processor that is there but cannot be started counts as missing: the teacher
      // learns what to install either way.
      std::unique_ptr<WordProcessor> made;
      try {
        made = options_.factory();
        {
          std::lock_guard lock(mutex_);
          processors_[static_cast<size_t>(worker)] = made.get();
        }
        if (made->start()) {
          word = std::move(made);
          std::lock_guard lock(mutex_);
          ++started_;
        } else {
          missing = true;
        }
      } catch (...) {
        missing = true;
      }
      if (missing) {
        std::lock_guard lock(mutex_);
        processors_[static_cast<size_t>(worker)] = nullptr;
      }
    }
    if (missing) {
      outcome.state = Outcome::State::Missing;
    } else {
      try {
        outcome.page = ConvertDocument(*word, documents_[index], scratch);
        outcome.state = Outcome::State::Ready;
        if (options_.cache && slots_[index].key)
          options_.cache->Keep(*slots_[index].key, outcome.page);
      } catch (...) {
        outcome.state = Outcome::State::Failed;
        outcome.failure = std::current_exception();
      }
    }
    {
      std::lock_guard lock(mutex_);
      slots_[index].outcome = std::move(outcome);
      slots_[index].done = true;
    }
    changed_.notify_all();
  }
  if (word)
    word->quit();
  std::lock_guard lock(mutex_);
  processors_[static_cast<size_t>(worker)] = nullptr;
  // `word` goes after the pointer: Stop never reaches a word processor that is gone.
}

} // namespace quarbel
