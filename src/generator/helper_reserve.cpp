#include "generator/helper_reserve.h"

namespace quarbel {

// The helpers are started on a thread of the reserve's own that lasts as long as the
// reserve: a helper is ended with the thread that started it (it asks the system for that),
// and it must outlive the start, whoever uses it afterwards.
HelperReserve::~HelperReserve() {
  Release();
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
  }
  changed_.notify_all();
  if (starter_.joinable())
    starter_.join();
}

void HelperReserve::Starter() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return closing_ || (starting_ && !word_); });
    if (closing_)
      return;
    lock.unlock();
    std::unique_ptr<WordProcessor> word;
    try {
      word = factory_();
    } catch (...) {
    }
    lock.lock();
    if (!held_) { // released while it was being made
      starting_ = false;
      changed_.notify_all();
      lock.unlock();
      word.reset();
      lock.lock();
      continue;
    }
    word_ = std::move(word);
    WordProcessor* starting = word_.get();
    lock.unlock();
    bool ok = false;
    if (starting) {
      try {
        ok = starting->start();
      } catch (...) {
      }
    }
    lock.lock();
    starting_ = false;
    ready_ = ok;
    changed_.notify_all();
  }
}

void HelperReserve::Want() {
  std::lock_guard lock(mutex_);
  if (word_ || starting_ || held_)
    return;
  held_ = true; // until Release: one that could not start is not tried again
  starting_ = true;
  ready_ = false;
  if (!starter_.joinable())
    starter_ = std::thread(&HelperReserve::Starter, this);
  changed_.notify_all();
}

void HelperReserve::Release() {
  std::unique_lock lock(mutex_);
  held_ = false;
  if (word_ && starting_)
    word_->abort();
  changed_.wait(lock, [this] { return !starting_; });
  std::unique_ptr<WordProcessor> word = std::move(word_);
  ready_ = false;
  lock.unlock();
  if (word) {
    // Nothing is open in it: it may be ended without waiting.
    word->abort();
    word->quit();
  }
}

std::unique_ptr<WordProcessor> HelperReserve::Take() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !starting_; });
  if (!word_ || !ready_)
    return nullptr;
  ready_ = false;
  held_ = false;
  return std::move(word_);
}

HelperReserve::Factory HelperReserve::TakingFirst(Factory factory) {
  return [this, factory = std::move(factory)] {
    if (std::unique_ptr<WordProcessor> word = Take())
      return word;
    return factory();
  };
}

} // namespace quarbel
