#pragma once

// The characters the XHTML writer works with: ASCII classes, case and blanks of markup, and
// single UTF-8 characters with the ones an XHTML page may hold.

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace quarbel::xhtml {

bool IsAsciiSpace(char c);
bool IsDigit(char c);
bool IsAsciiLetter(char c);

// The value of a hex digit, or -1.
int HexValue(char c);

// ASCII letters in lower case; every other byte as it is.
std::string Lower(std::string_view text);

// Without the ASCII blanks at either end.
std::string Trim(std::string_view text);

// Empty or only ASCII blanks.
bool IsBlank(std::string_view text);

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names);

// One UTF-8 character at `at`: its code point and length, or length 0 for a broken sequence.
struct Utf8Char {
  char32_t code = 0;
  size_t length = 0;
};

Utf8Char DecodeAt(std::string_view text, size_t at);

bool IsValidUtf8(std::string_view text);

// What an XHTML page may hold as text: XML's characters without the control characters it
// only tolerates.
bool IsWritable(char32_t c);

} // namespace quarbel::xhtml
