#pragma once

#include <optional>
#include <string>
#include <string_view>

// Conversions between the program's Windows-1251 text and Unicode encodings.
namespace quarbel {

// The Unicode code point of one Windows-1251 byte. Every byte has one: the single byte the
// code page leaves undefined (0x98) maps to U+0098, so no text is ever lost.
char32_t UnicodeOfCp1251(unsigned char byte);

// Windows-1251 bytes to UTF-8. Total: every byte sequence converts.
std::string Utf8FromCp1251(std::string_view text1251);

// UTF-8 to Windows-1251; nothing when the input is not valid UTF-8 or holds a character
// that Windows-1251 cannot hold.
std::optional<std::string> TryCp1251FromUtf8(std::string_view utf8);

// UTF-8 to Windows-1251 for texts known to fit (the program's own messages). Throws
// std::invalid_argument otherwise.
std::string Cp1251FromUtf8(std::string_view utf8);

// UTF-8 to Windows-1251 where every character that does not fit becomes the numeric
// character reference "&#N;" (decimal). Invalid UTF-8 bytes become "&#65533;".
std::string Cp1251FromUtf8WithReferences(std::string_view utf8);

// UTF-8 to Windows-1251 for showing a text in a message: every character that does not
// fit becomes "?".
std::string Cp1251FromUtf8Lossy(std::string_view utf8);

// The inverse of Cp1251FromUtf8WithReferences: UTF-8 with every "&#N;" of a character the
// code page lacks turned back into that character (other references stay as written).
std::string Utf8FromCp1251WithReferences(std::string_view text1251);

// UTF-8 to Windows-1251 where every character that does not fit is replaced by what
// `replacement` gives for its code point (0xFFFD for a broken sequence).
std::string Cp1251FromUtf8Replacing(std::string_view utf8, std::string (*replacement)(char32_t));

// Windows-1251 to KOI8-R for generated pages: characters that KOI8-R lacks (among them
// the Ukrainian letters Є, І, Ї, Ґ) become "&#N;".
std::string Koi8rFromCp1251(std::string_view text1251);

// KOI8-R to Windows-1251, the inverse of Koi8rFromCp1251: characters Windows-1251 lacks
// become "&#N;".
std::string Cp1251FromKoi8r(std::string_view koi8r);

// Appends the UTF-8 form of one code point.
void AppendUtf8(std::string& out, char32_t codePoint);

} // namespace quarbel
