#include "generator/modern_menu.h"

#include "generator/html_plain_text.h"
#include "text/cp1251.h"
#include "text/json_text.h"

namespace quarbel {

std::vector<ContentsEntry> ContentsEntriesOf(const std::string& block) {
  std::vector<ContentsEntry> entries;
  const std::string start = "<p class=MsoToc";
  for (size_t at = block.find(start); at != std::string::npos; at = block.find(start, at + 1)) {
    size_t digits = at + start.size();
    int level = 0;
    while (digits < block.size() && block[digits] >= '0' && block[digits] <= '9' && level < 100)
      level = level * 10 + (block[digits++] - '0');
    if (level == 0)
      continue; // the table's own title, MsoTocHeading
    const size_t end = block.find("</p>", digits);
    const std::string paragraph = block.substr(at, end == std::string::npos ? end : end - at);
    const size_t href = paragraph.find("href=\"#");
    if (href == std::string::npos)
      continue;
    const size_t anchorEnd = paragraph.find('"', href + 7);
    const size_t textStart = paragraph.find('>', href);
    const size_t textEnd = paragraph.find("</a>", href);
    if (anchorEnd == std::string::npos || textStart == std::string::npos ||
        textEnd == std::string::npos || textEnd < textStart)
      continue;
    ContentsEntry entry;
    entry.level = level;
    entry.anchor = paragraph.substr(href + 7, anchorEnd - href - 7);
    entry.title =
        PlainTextOfHtml(Utf8FromCp1251(paragraph.substr(textStart + 1, textEnd - textStart - 1)));
    if (!entry.title.empty())
      entries.push_back(std::move(entry));
  }
  return entries;
}

void AddNested(std::vector<MenuEntry>& into,
               const std::vector<std::pair<int, MenuEntry>>& leveled) {
  // The chain of open entries from the top: path[d] is where an entry of depth d goes.
  std::vector<std::vector<MenuEntry>*> path = {&into};
  int base = leveled.empty() ? 0 : leveled.front().first;
  for (const auto& [level, entry] : leveled) {
    const int depth = std::max(0, level - base);
    while (static_cast<int>(path.size()) > depth + 1)
      path.pop_back();
    std::vector<MenuEntry>& list = *path.back();
    list.push_back(entry);
    path.push_back(&list.back().children);
  }
}

namespace {

void Write(const std::vector<MenuEntry>& entries, std::string& out) {
  out += '[';
  for (size_t i = 0; i < entries.size(); ++i) {
    const MenuEntry& entry = entries[i];
    if (i > 0)
      out += ",\n";
    out += "{\"t\":" + JsonUtf8String(entry.title);
    if (!entry.href.empty())
      out += ",\"h\":" + JsonUtf8String(entry.href);
    if (!entry.children.empty()) {
      out += ",\"c\":";
      Write(entry.children, out);
    }
    out += '}';
  }
  out += ']';
}

} // namespace

std::string MenuScript(const std::string& courseTitle, const std::vector<MenuEntry>& entries) {
  std::string out = std::string(kUtf8ByteOrderMark) + "window.QUARBEL_MENU = {\"title\":" + JsonUtf8String(courseTitle) + ",\"entries\":";
  Write(entries, out);
  return out + "};\n";
}

} // namespace quarbel
