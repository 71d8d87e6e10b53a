#include "wordproc/converted_page.h"

#include "text/file_bytes.h"
#include "text/replace_all.h"

#include <algorithm>

namespace quarbel {
namespace {

namespace fs = std::filesystem;

void Empty(const fs::path& folder) {
  std::error_code error;
  fs::remove_all(folder, error);
  fs::create_directories(folder);
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
  page.html = ReplaceAll(std::move(page.html), from, to);
  for (auto& [name, bytes] : page.files) {
    if (name.rfind(from, 0) == 0)
      name = to + name.substr(from.size());
  }
  std::sort(page.files.begin(), page.files.end());
  return page;
}

} // namespace quarbel
