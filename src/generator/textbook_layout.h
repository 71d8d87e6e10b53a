#pragma once

#include <optional>
#include <string_view>

namespace quarbel {

// The look of the textbook: the classic frames with the tree menu, or standalone pages for
// phones with search (the modern look).
enum class TextbookLayout { Classic, Modern };

// "Classic" and "Modern", as the settings file and the converter's --layout (in any letter
// case) name them.
inline const char* TextbookLayoutName(TextbookLayout layout) {
  return layout == TextbookLayout::Modern ? "Modern" : "Classic";
}
std::optional<TextbookLayout> ParseTextbookLayout(std::string_view name);

} // namespace quarbel
