#pragma once

#include <string>
#include <string_view>

namespace quarbel {

// Bytes from "%XX" escapes; a "%" not followed by two hex digits stands for itself.
std::string PercentDecoded(std::string_view text);

} // namespace quarbel
