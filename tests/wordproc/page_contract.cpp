#include "wordproc/page_contract.h"

#include <regex>

namespace quarbel::testing {
namespace {

std::vector<std::string> Lines(std::string_view page, std::string& problems) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < page.size()) {
    const size_t end = page.find("\r\n", start);
    if (end == std::string_view::npos) {
      problems += "the page does not end with CR LF\n";
      lines.emplace_back(page.substr(start));
      break;
    }
    lines.emplace_back(page.substr(start, end - start));
    start = end + 2;
  }
  for (const std::string& line : lines) {
    if (line.find_first_of("\r\n") != std::string::npos) {
      problems += "a line ends without CR LF\n";
      break;
    }
  }
  return lines;
}

} // namespace

std::vector<TocLine> TocLines(std::string_view page) {
  static const std::regex entry(
      R"re(^<p class=MsoToc([0-9]+)><span class=MsoHyperlink><a href="#([^"]+)">([^<]*)</a></span></p>$)re");
  std::vector<TocLine> out;
  std::string ignored;
  for (const std::string& line : Lines(page, ignored)) {
    std::smatch m;
    if (std::regex_match(line, m, entry))
      out.push_back({std::stoi(m[1]), m[2], m[3]});
  }
  return out;
}

std::string PageContractViolations(std::string_view page, bool tableOfContents) {
  std::string problems;
  const std::vector<std::string> lines = Lines(page, problems);
  const auto find = [&](auto predicate, size_t from = 0) {
    for (size_t i = from; i < lines.size(); ++i) {
      if (predicate(lines[i]))
        return i;
    }
    return lines.size();
  };
  const auto holds = [](const char* text) {
    return [text](const std::string& line) { return line.find(text) != std::string::npos; };
  };

  const size_t head = find([](const std::string& l) { return l == "<head>"; });
  if (head == lines.size())
    problems += "no line is exactly <head>\n";
  const size_t charset = find(holds("charset"));
  if (charset == lines.size() ||
      lines[charset] !=
          "<meta http-equiv=Content-Type content=\"text/html; charset=windows-1251\">")
    problems += "the first line with charset is not the windows-1251 declaration\n";
  if (charset < head && head != lines.size())
    problems += "the charset line comes before <head>\n";

  const size_t firstMeta = find(holds("<meta name"));
  if (firstMeta == lines.size()) {
    problems += "no <meta name line\n";
  } else {
    size_t end = firstMeta;
    while (end < lines.size() && holds("<meta name")(lines[end]))
      ++end;
    if (find(holds("<meta name"), end) != lines.size())
      problems += "the <meta name lines are not one run\n";
  }
  const size_t headEnd = find([](const std::string& l) { return l == "</head>"; });
  if (find(holds("<title>")) >= headEnd)
    problems += "no <title> line in the head\n";

  const size_t styleStart = page.find("<style>");
  const size_t styleEnd = page.rfind("</style>");
  const size_t headClose = page.find("</head>");
  if (styleStart == std::string_view::npos || styleEnd == std::string_view::npos ||
      styleEnd < styleStart || styleEnd > headClose)
    problems += "no <style> ... </style> section inside the head\n";

  const size_t body = find([](const std::string& l) { return l == "</body>"; });
  if (body == lines.size())
    problems += "no line is exactly </body>\n";
  else if (body == 0 || lines[body - 1].find("<p") != std::string::npos)
    problems += "the line before </body> holds document text\n";

  const size_t toc = page.find("<p class=MsoToc");
  const size_t normal = page.find("<p class=MsoNormal");
  if (tableOfContents) {
    if (toc == std::string_view::npos)
      problems += "no <p class=MsoToc entry\n";
    else if (normal == std::string_view::npos)
      problems += "no <p class=MsoNormal paragraph\n";
    else if (normal > toc) {
      // Between the entries and the paragraph after them stand only entries, after the
      // table's own title when it has one.
      std::string block(page.substr(toc, normal - toc));
      static const std::regex entries(
          R"re(^(<p class=MsoTocHeading>[^<]*</p>\r\n)?(<p class=MsoToc[0-9]+><span class=MsoHyperlink><a href="#[^"]+">[^<]*</a></span></p>\r\n)+$)re");
      if (!std::regex_match(block, entries))
        problems += "the table of contents holds more than its entries\n";
    }
  } else if (toc != std::string_view::npos) {
    problems += "a <p class=MsoToc entry in a page without a table of contents\n";
  }
  return problems;
}

} // namespace quarbel::testing
