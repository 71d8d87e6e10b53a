#pragma once

#include <string>
#include <string_view>

namespace quarbel {

// A JSON string literal, quotes included, of UTF-8 text, in plain ASCII: every character
// outside printable ASCII is written as \uXXXX (two of them beyond U+FFFF), and so are "<",
// ">" and "&", so the literal means the same in a page of any encoding and inside a script
// element. Bytes that are not UTF-8 become U+FFFD.
std::string JsonString(std::string_view utf8);

} // namespace quarbel
