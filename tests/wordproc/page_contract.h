#pragma once

#include <string>
#include <string_view>
#include <vector>

// What the textbook generation relies on in a saved Word page, checked feature by feature.
namespace quarbel::testing {

struct TocLine {
  int level;
  std::string anchor;
  std::string title; // Windows-1251
};

// Every feature the page lacks, one line each; empty when the page keeps the contract.
// With `tableOfContents` the page must hold MsoToc entries followed by a MsoNormal paragraph;
// without it, none.
std::string PageContractViolations(std::string_view page, bool tableOfContents);

// The MsoToc entries of a page, in order.
std::vector<TocLine> TocLines(std::string_view page);

} // namespace quarbel::testing
