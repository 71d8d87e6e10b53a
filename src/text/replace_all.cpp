#include "text/replace_all.h"

namespace quarbel {

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  if (from.empty())
    return text;
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

} // namespace quarbel
