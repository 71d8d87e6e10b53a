#include "generator/word_page.h"

namespace quarbel {
namespace {

bool Holds(const std::string& line, const char* text) {
  return line.find(text) != std::string::npos;
}

} // namespace

void CleanUpWordPage(Lines& lines, int pageNumber, OutputEncoding encoding, bool styleFileInUse) {
  for (std::string& line : lines) {
    if (Holds(line, "charset")) {
      line = CharsetLine(encoding);
      break;
    }
  }

  for (size_t i = 0; i < lines.size(); ++i) {
    if (!Holds(lines[i], "<meta name"))
      continue;
    size_t end = i;
    while (end < lines.size() && Holds(lines[end], "<meta name"))
      ++end;
    lines.erase(lines.begin() + static_cast<long>(i), lines.begin() + static_cast<long>(end));
    break;
  }

  for (std::string& line : lines) {
    if (Holds(line, "<title>")) {
      line = "<Title>Page " + std::to_string(pageNumber) + "</Title>";
      break;
    }
  }

  if (styleFileInUse) {
    std::string text = JoinLines(lines);
    const size_t start = text.find("<style>");
    const size_t end = text.rfind("</style>");
    if (start != std::string::npos && end != std::string::npos && end > start) {
      text.erase(start, end + 8 - start);
      lines = SplitLines(text);
    }
  }
}

void FinishPage(Lines& lines, const std::string& styleSafeName, RgbColor pageColour) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] != "<head>")
      continue;
    const std::string line =
        styleSafeName.empty()
            ? "<body BGColor = " + HtmlColour(pageColour) + ">"
            : "<link type=\"text/css\" rel=\"StyleSheet\" href=\"" + styleSafeName + "\"/>";
    lines.insert(lines.begin() + static_cast<long>(i) + 1, line);
    return;
  }
}

} // namespace quarbel
