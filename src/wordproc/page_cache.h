#pragma once

#include "wordproc/converted_page.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace quarbel {

// Pages the word processor made, kept between conversions so that a document that has not
// changed is not converted again. One file per page, "<key>.page", in the cache folder:
//
//   quarbel-page 1\n
//   <count>\n                      the parts that follow, the page text first
//   <name>\t<size>\n<bytes>        per part; the page text's name is empty
//   sha256 <64 hex digits>\n       of everything before this line
//
// An entry is written beside its place and renamed into it, so a reader sees a whole entry
// or none; one that is damaged in any way reads as missing and is removed. The folder may be
// deleted at any moment. Any number of conversions may use one folder at once.
class PageCache {
public:
  PageCache(std::filesystem::path folder, std::uint64_t limitBytes)
      : folder_(std::move(folder)), limit_(limitBytes) {}

  // $XDG_CACHE_HOME/quarbel-vorizareda/pages, or ~/.cache/… without it.
  static std::filesystem::path DefaultFolder();
  static constexpr std::uint64_t kDefaultLimit = std::uint64_t(1) << 30;

  // The key of a document: SHA-256 over `version` (what made the page: the word processor
  // and the program's clean-up), the document's extension in lower case and its bytes.
  // Nothing when the document cannot be read.
  static std::optional<std::string> KeyOf(const std::filesystem::path& document,
                                          const std::string& version);

  // The page kept under the key, marked as used now; nothing when there is none or it is
  // damaged (then it is removed).
  std::optional<ConvertedPage> Find(const std::string& key) const;
  // Keeps the page. A failure to write leaves no entry and is not an error.
  void Keep(const std::string& key, const ConvertedPage& page) const;
  // Removes the entries used longest ago until the rest fit the limit, and leftovers of
  // writes that never finished.
  void Trim() const;

  const std::filesystem::path& folder() const { return folder_; }

private:
  std::filesystem::path EntryOf(const std::string& key) const;

  std::filesystem::path folder_;
  std::uint64_t limit_;
};

// The entry's bytes for a page, and the page an entry's bytes hold (nothing when damaged).
std::string PageEntryBytes(const ConvertedPage& page);
std::optional<ConvertedPage> PageFromEntryBytes(std::string_view bytes);

} // namespace quarbel
