#include "structure/node_text.h"

#include "text/paths.h"

namespace quarbel {

std::string ComposeDocumentText(std::string_view title, std::string_view path) {
  std::string text;
  text.reserve(title.size() + path.size() + 5);
  text.append(title).append(" [ ").append(path).append(" ]");
  return text;
}

bool IsDocumentText(std::string_view text) {
  return text.find('[') != std::string_view::npos;
}

std::string PathFromNodeText(std::string_view text) {
  const size_t bracket = text.find('[');
  if (bracket == std::string_view::npos)
    return {};
  // Drop the title, the blank, the "[" and the blank after it; then the closing " ]".
  const size_t start = bracket + 2;
  if (start >= text.size())
    return {};
  std::string_view rest = text.substr(start);
  rest.remove_suffix(rest.size() < 2 ? rest.size() : 2);
  return std::string(rest);
}

std::string TitleFromNodeText(std::string_view text) {
  const size_t bracket = text.find('[');
  if (bracket == std::string_view::npos)
    return std::string(text);
  return std::string(text.substr(0, bracket < 1 ? 0 : bracket - 1));
}

std::string TitleFromPath(std::string_view path) {
  const std::string_view name = FileNameOf(path);
  const size_t dot = name.rfind('.');
  std::string title(dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot));
  for (char& c : title) {
    if (c == '[')
      c = '(';
    else if (c == ']')
      c = ')';
  }
  return title;
}

} // namespace quarbel
