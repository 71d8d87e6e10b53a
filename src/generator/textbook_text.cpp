#include "generator/textbook_text.h"

#include "text/cp1251.h"

#include <cstdio>

namespace quarbel {

std::string CharsetLine(OutputEncoding encoding) {
  return std::string("<meta http-equiv=Content-Type content=\"text/html; charset=") +
         OutputEncodingCharset(encoding) + "\">";
}

std::string EncodeForTextbook(std::string_view text, OutputEncoding encoding) {
  switch (encoding) {
  case OutputEncoding::Koi8r: return Koi8rFromCp1251(text);
  case OutputEncoding::Utf8: return Utf8FromCp1251(text);
  case OutputEncoding::Cp1251: break;
  }
  return std::string(text);
}

std::string DecodeFromTextbook(std::string_view bytes, OutputEncoding encoding) {
  switch (encoding) {
  case OutputEncoding::Koi8r: return Cp1251FromKoi8r(bytes);
  case OutputEncoding::Utf8: return Cp1251FromUtf8WithReferences(bytes);
  case OutputEncoding::Cp1251: break;
  }
  return std::string(bytes);
}

Lines SplitLines(std::string_view text) {
  Lines lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

std::string JoinLines(const Lines& lines) {
  size_t size = 0;
  for (const std::string& line : lines)
    size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::string HtmlColour(RgbColor colour) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%.2x%.2x%.2x", colour.r, colour.g, colour.b);
  return buffer;
}

} // namespace quarbel
