#include "generator/package/xhtml_text.h"

#include "text/utf8.h"

#include <algorithm>

namespace quarbel::xhtml {

bool IsAsciiSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

std::string Trim(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsAsciiSpace(text[begin]))
    ++begin;
  while (end > begin && IsAsciiSpace(text[end - 1]))
    --end;
  return std::string(text.substr(begin, end - begin));
}

bool IsBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), IsAsciiSpace);
}

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

Utf8Char DecodeAt(std::string_view text, size_t at) {
  size_t next = at;
  const char32_t code = DecodeUtf8(text, next);
  if (code == kInvalidUtf8)
    return {};
  return {code, next - at};
}

bool IsValidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const Utf8Char c = DecodeAt(text, i);
    if (c.length == 0)
      return false;
    i += c.length;
  }
  return true;
}

bool IsWritable(char32_t c) {
  return c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c < 0x7F) ||
         (c >= 0xA0 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

int HexValue(char c) {
  if (IsDigit(c))
    return c - '0';
  const char lower = Lower(std::string(1, c))[0];
  return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

} // namespace quarbel::xhtml
