#pragma once

#include "wordproc/word_processor.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace quarbel {

// A word processor started in the background while the teacher works on a course with Word
// documents, so that a conversion does not wait the seconds LibreOffice takes to start.
class HelperReserve {
public:
  using Factory = std::function<std::unique_ptr<WordProcessor>()>;
  explicit HelperReserve(Factory factory) : factory_(std::move(factory)) {}
  // Ends the word processor held, at once.
  ~HelperReserve();
  HelperReserve(const HelperReserve&) = delete;
  HelperReserve& operator=(const HelperReserve&) = delete;

  // Starts one in the background unless one is held already (started, starting, or found
  // missing: it is not tried again until Release).
  void Want();
  // Ends the one held, at once (one still starting is stopped).
  void Release();
  // The started word processor, for a conversion: waits for one still starting; nothing when
  // none is held or it could not start. Safe from any thread.
  std::unique_ptr<WordProcessor> Take();

  // A factory that hands out the held word processor first, then new ones from `factory`.
  Factory TakingFirst(Factory factory);

private:
  void Starter();

  Factory factory_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::unique_ptr<WordProcessor> word_;
  bool held_ = false;     // wanted since the last Release or Take
  bool starting_ = false; // a start is asked for or under way
  bool ready_ = false;    // word_ has started
  bool closing_ = false;
  std::thread starter_;
};

} // namespace quarbel
