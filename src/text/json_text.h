#pragma once

#include <string>
#include <string_view>

namespace quarbel {

// A JSON string literal, quotes included, of UTF-8 text, in plain ASCII: every character
// outside printable ASCII is written as \uXXXX (two of them beyond U+FFFF), and so are "<",
// ">" and "&", so the literal means the same in a page of any encoding and inside a script
// element. Bytes that are not UTF-8 become U+FFFD.
std::string JsonString(std::string_view utf8);

// The same literal with the characters beyond ASCII left as they are (UTF-8), for data files
// that start with a UTF-8 byte order mark: a browser reads such a script as UTF-8 whatever
// the page's own encoding, and Cyrillic text takes a third of the room. Line and paragraph
// separators are still escaped.
std::string JsonUtf8String(std::string_view utf8);

// The byte order mark that makes a browser read a script file as UTF-8.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

} // namespace quarbel
