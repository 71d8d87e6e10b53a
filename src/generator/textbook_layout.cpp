#include "generator/textbook_layout.h"

#include "text/text_case.h"

namespace quarbel {

std::optional<TextbookLayout> ParseTextbookLayout(std::string_view name) {
  const std::string lower = LowerCaseText(name);
  if (lower == "modern")
    return TextbookLayout::Modern;
  if (lower == "classic")
    return TextbookLayout::Classic;
  return std::nullopt;
}

} // namespace quarbel
