#pragma once

#include <string>
#include <string_view>

namespace quarbel {

// `text` with every occurrence of `from` (not empty) replaced by `to`, left to right; a
// replacement is never searched again.
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);

} // namespace quarbel
