#pragma once

#include "wordproc/word_processor.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quarbel::testing {

// A word processor for generation tests: it "converts" a document into a page of the
// page contract whose body names the document. A document whose name holds "toc" gets a
// table of contents of two levels; one whose name holds "broken" cannot be opened; one whose
// name holds "picture" gets a GIF beside its page, named after the page as LibreOffice names
// pictures; one whose name holds "slow" takes 150 ms to save; one whose name holds "wide" gets a
// table 1500 pixels wide, a picture 2000 pixels wide and words of mechanics.
class FakeWordProcessor : public WordProcessor {
public:
  bool installed = true;
  std::vector<std::string> calls; // "start", "open NAME", "save NAME", "close", "quit"

  bool start() override;
  void open(const std::filesystem::path& document) override;
  void saveAsWebPage(const std::filesystem::path& page) override;
  void close() override;
  void quit() override;

private:
  std::filesystem::path document_;
};

} // namespace quarbel::testing
