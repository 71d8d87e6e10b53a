#pragma once

#include <string_view>

namespace quarbel {

// What DecodeUtf8 gives for a broken sequence.
inline constexpr char32_t kInvalidUtf8 = 0xFFFFFFFF;

// Decodes one code point at `pos`, advancing it. Rejects overlong forms, surrogates and
// values past U+10FFFF; on an invalid sequence advances one byte and gives kInvalidUtf8.
char32_t DecodeUtf8(std::string_view text, size_t& pos);

} // namespace quarbel
