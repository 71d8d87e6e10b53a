#include "wordproc/converted_page.h"

#include "text/file_bytes.h"

#include <algorithm>

namespace quarbel {
namespace {

namespace fs = std::filesystem;

void Empty(const fs::path& folder) {
  std::error_code error;
  fs::remove_all(folder, error);
  fs::create_directories(folder);
}

std::string ReplaceEvery(std::string text, std::string_view from, std::string_view to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

} // namespace

ConvertedPage ConvertDocument(WordProcessor& word, const fs::path& document,
                              const fs::path& scratch) {
  Empty(scratch);
  struct Cleanup {
    const fs::path& folder;
    ~Cleanup() {
      std::error_code error;
      fs::remove_all(folder, error);
    }
  } cleanup{scratch};
  const std::string pageName = std::string(kScratchPageStem) + ".html";
  word.open(document);
  word.saveAsWebPage(scratch / pageName);
  word.close();

  ConvertedPage page;
  page.html = ReadFileBytes(scratch / pageName);
  for (const auto& entry : fs::directory_iterator(scratch)) {
    const std::string name = entry.path().filename().string();
    if (name != pageName && entry.is_regular_file())
      page.files.emplace_back(name, ReadFileBytes(entry.path()));
  }
  std::sort(page.files.begin(), page.files.end());
  return page;
}

ConvertedPage RenamedForPage(ConvertedPage page, std::string_view pageStem) {
  const std::string from = std::string(kScratchPageStem) + "_html_";
  const std::string to = std::string(pageStem) + "_html_";
  page.html = ReplaceEvery(std::move(page.html), from, to);
  for (auto& [name, bytes] : page.files) {
    if (name.rfind(from, 0) == 0)
      name = to + name.substr(from.size());
  }
  std::sort(page.files.begin(), page.files.end());
  return page;
}

} // namespace quarbel
