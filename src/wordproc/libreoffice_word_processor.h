#pragma once

#include "wordproc/word_processor.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <sys/types.h>

namespace quarbel {

struct HelperOptions {
  std::filesystem::path helper;   // the quarbel-wordproc executable
  std::filesystem::path profiles; // LibreOffice profiles; empty for the helper's default
  std::chrono::milliseconds startLimit{std::chrono::minutes(2)};
  // How long one call (opening a document, saving its page) may take before the helper is
  // ended and the document fails.
  std::chrono::milliseconds callLimit{std::chrono::minutes(2)};
  std::chrono::milliseconds quitLimit{std::chrono::seconds(20)};
  // The helper's address space in MiB; 0 for DefaultHelperMemoryLimitMB(). A document that
  // needs more fails alone instead of taking the machine's memory.
  size_t memoryLimitMB = 0;
};

// Half of the machine's memory, at least 1 GiB and at most 4 GiB.
size_t DefaultHelperMemoryLimitMB();

// The word processor as our helper process: started once and kept for every document of a
// conversion. A helper that dies or does not answer in time is ended and turns into an
// error for the document at hand; the next document starts a new one. The helper ends with
// quit(), with this object, and with the program.
class LibreOfficeWordProcessor final : public WordProcessor {
public:
  explicit LibreOfficeWordProcessor(HelperOptions options);
  ~LibreOfficeWordProcessor() override;
  LibreOfficeWordProcessor(const LibreOfficeWordProcessor&) = delete;
  LibreOfficeWordProcessor& operator=(const LibreOfficeWordProcessor&) = delete;

  bool start() override;
  void open(const std::filesystem::path& document) override;
  void saveAsWebPage(const std::filesystem::path& page) override;
  void close() override;
  void quit() override;
  void abort() override { aborted_ = true; }

  // The helper's process id while it runs, else 0.
  pid_t helperProcess() const { return pid_; }

private:
  enum class Started { Ready, Missing };
  Started Spawn();
  std::string Call(const std::string& command, std::chrono::milliseconds limit);
  // The next reply line; throws Error when the helper dies or the time runs out.
  std::string ReadLine(std::chrono::milliseconds limit);
  void Kill();
  // The mended copy of a document (see CheckWordDocumentFile) that the helper reads instead of
  // the teacher's file; it lives in a folder of its own that goes with the document.
  std::filesystem::path RepairedCopy(const std::filesystem::path& document);
  void DropRepairedCopy();

  HelperOptions options_;
  pid_t pid_ = 0;
  int socket_ = -1;
  std::string pending_;  // bytes read past the last reply line
  bool started_ = false; // start() succeeded: a dead helper may be replaced
  std::filesystem::path repairedFolder_;
  std::atomic<bool> aborted_{false};
};

} // namespace quarbel
