// Feeds arbitrary bytes to the page normaliser as LibreOffice's HTML export of a document.
// Whatever the page, the result must be one the textbook generation can work on: the head
// lines it looks for, one style section inside the head, every line ended by CR LF, the line
// "</body>" last but one, and a table of contents, when there is one, made of its entries only
// with a plain paragraph after it.
#include "wordproc/page_normaliser.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kStart =
    "<html>\r\n<head>\r\n"
    "<meta http-equiv=Content-Type content=\"text/html; charset=windows-1251\">\r\n";
constexpr std::string_view kEnd = "</div>\r\n\r\n</body>\r\n</html>\r\n";

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool Holds(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// Stops the run with the broken rule, so that the failure report says which one it is.
void Require(bool condition, const char* rule) {
  if (condition)
    return;
  std::fprintf(stderr, "page rule broken: %s\n", rule);
  std::abort();
}

// The page's lines; every CR must start a CR LF and every LF must end one.
std::vector<std::string_view> Lines(std::string_view page) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < page.size()) {
    const size_t end = page.find("\r\n", start);
    Require(end != std::string_view::npos, "every line ends with CR LF");
    lines.push_back(page.substr(start, end - start));
    Require(lines.back().find_first_of("\r\n") == std::string_view::npos,
            "no CR or LF inside a line");
    start = end + 2;
  }
  return lines;
}

size_t FirstLine(const std::vector<std::string_view>& lines, std::string_view part) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (Holds(lines[i], part))
      return i;
  }
  return lines.size();
}

size_t LineIs(const std::vector<std::string_view>& lines, std::string_view text) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == text)
      return i;
  }
  return lines.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view html(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> dropped;
  const std::string page = quarbel::NormaliseWebPage(html, &dropped);

  Require(StartsWith(page, kStart), "the page starts with <html>, <head> and the charset line");
  Require(EndsWith(page, kEnd), "the page ends with </div>, an empty line, </body> and </html>");
  Require(page.find('\0') == std::string::npos, "no zero byte");
  const std::vector<std::string_view> lines = Lines(page);

  // The head as the generation finds it: the first line with "charset" is the declaration,
  // the first run of "<meta name" lines (the run the generation takes out) follows it, then
  // the title and the style section. A document's stray meta elements in the body may give
  // later "<meta name" lines; they stay in the body, where they do no harm.
  const size_t headEnd = LineIs(lines, "</head>");
  Require(headEnd < lines.size(), "a line </head>");
  Require(FirstLine(lines, "charset") == 2, "the first line with charset is the declaration");
  const size_t meta = FirstLine(lines, "<meta name");
  Require(meta == 3, "the head's <meta name lines follow the declaration");
  size_t afterMeta = meta;
  while (afterMeta < lines.size() && Holds(lines[afterMeta], "<meta name"))
    ++afterMeta;
  const size_t title = FirstLine(lines, "<title>");
  Require(title == afterMeta && StartsWith(lines[title], "<title>"),
          "the first line with <title> is the title line after the <meta name lines");
  Require(lines[title + 1] == "<style>" && lines[headEnd - 1] == "</style>",
          "the style section stands between the title and </head>");
  const size_t styleStart = page.find("<style>");
  const size_t styleEnd = page.rfind("</style>");
  const size_t headClose = page.find("</head>");
  Require(styleStart < styleEnd && styleEnd < headClose,
          "the first <style> and the last </style> enclose the style section inside the head");

  // The body: its last line is the one the page links go before.
  for (size_t i = headEnd + 1; i + 2 < lines.size(); ++i)
    Require(lines[i] != "</body>", "the only line </body> is the last but one");

  // A table of contents is a run of entries (after the table's title at most) that a plain
  // paragraph follows; the generation moves all that stands between them into the menu, so
  // nothing else may stand there but blanks and line ends.
  const size_t toc = page.find("<p class=MsoToc");
  if (toc != std::string::npos) {
    const size_t normal = page.find("<p class=MsoNormal", toc);
    Require(normal != std::string::npos, "a plain paragraph follows the table of contents");
    std::string_view rest = std::string_view(page).substr(toc, normal - toc);
    bool first = true;
    while (!rest.empty()) {
      if (rest.front() == ' ' || rest.front() == '\t' || StartsWith(rest, "\r\n")) {
        rest.remove_prefix(rest.front() == '\r' ? 2 : 1);
        continue;
      }
      const size_t end = rest.find("</p>");
      Require(end != std::string_view::npos, "an entry is a paragraph");
      const std::string_view entry = rest.substr(0, end + 4);
      if (!first || !StartsWith(entry, "<p class=MsoTocHeading>"))
        Require(StartsWith(entry, "<p class=MsoToc") &&
                    Holds(entry, "><span class=MsoHyperlink><a href=\"#") &&
                    EndsWith(entry, "</a></span></p>"),
                "a table of contents holds its entries only");
      first = false;
      rest.remove_prefix(entry.size());
    }
  }
  return 0;
}
