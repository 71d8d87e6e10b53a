#pragma once

#include <string>
#include <vector>

namespace quarbel {

// A page as the modern textbook's search knows it (UTF-8).
struct SearchRecord {
  std::string page; // "page7.html"
  std::string title;
  std::string text; // what a reader sees of the page
};

// assets/search.js: window.QUARBEL_SEARCH = [{"id":…,"t":…,"x":…},…]; in UTF-8 after a byte
// order mark (see JsonUtf8String). The
// page's script loads it when the search is first used and builds its index from it.
std::string SearchScript(const std::vector<SearchRecord>& records);

} // namespace quarbel
