#include "generator/helper_reserve.h"

namespace quarbel {

HelperReserve::~HelperReserve() {
  Release();
}

void HelperReserve::Want() {
  std::unique_lock lock(mutex_);
  if (word_)
    return;
  if (starter_.joinable())
    starter_.join(); // a start that ended with a Release or a Take
  try {
    word_ = factory_();
  } catch (...) {
    return; // none can be made: the conversion will say why
  }
  starting_ = true;
  ready_ = false;
  starter_ = std::thread([this, word = word_.get()] {
    bool ok = false;
    try {
      ok = word->start();
    } catch (...) {
    }
    std::lock_guard done(mutex_);
    starting_ = false;
    ready_ = ok;
    started_.notify_all();
  });
}

void HelperReserve::Release() {
  std::unique_lock lock(mutex_);
  if (word_ && starting_)
    word_->abort();
  started_.wait(lock, [this] { return !starting_; });
  if (starter_.joinable())
    starter_.join();
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
  started_.wait(lock, [this] { return !starting_; });
  if (!word_ || !ready_)
    return nullptr;
  if (starter_.joinable())
    starter_.join();
  ready_ = false;
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
