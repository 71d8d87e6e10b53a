#pragma once

#include <string>
#include <vector>

namespace quarbel {

// One entry of the modern textbook's menu (UTF-8 text): a heading of the course, a page, or
// an entry of a page's table of contents; `href` is empty for a heading without a page.
struct MenuEntry {
  std::string title;
  std::string href;
  std::vector<MenuEntry> children;
  bool operator==(const MenuEntry&) const = default;
};

// An entry of a Word page's table of contents as the menu lifts it (UTF-8 title).
struct ContentsEntry {
  int level = 1;
  std::string title;
  std::string anchor; // "_Toc1" of href="#_Toc1"
  bool operator==(const ContentsEntry&) const = default;
};

// The entries of a table of contents taken out of a page (TakeTableOfContents), in order;
// the table's own title (MsoTocHeading) and entries without a link inside the page are left
// out. Windows-1251 in.
std::vector<ContentsEntry> ContentsEntriesOf(const std::string& block1251);

// Puts entries of increasing depth under the entry before them: a level deeper than the one
// before it goes one step down, never more.
void AddNested(std::vector<MenuEntry>& into, const std::vector<std::pair<int, MenuEntry>>& leveled);

// assets/menu.js: window.QUARBEL_MENU = {"title":…,"entries":[{"t":…,"h":…,"c":[…]},…]};
// in UTF-8 after a byte order mark, so the browser reads it so in a page of any encoding.
std::string MenuScript(const std::string& courseTitle, const std::vector<MenuEntry>& entries);

} // namespace quarbel
