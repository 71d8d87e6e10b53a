#include "generator/html_text.h"

#include <array>

namespace quarbel {
namespace {

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameLetters(std::string_view text, std::string_view lowerName) {
  if (text.size() != lowerName.size())
    return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (Lower(text[i]) != lowerName[i])
      return false;
  }
  return true;
}

constexpr std::array<std::string_view, 7> kInlineTags = {"b",      "i",   "u",  "em",
                                                         "strong", "sub", "sup"};

// The length of the formatting tag or line break that `text` starts with ("<" included),
// or 0 when it starts with anything else.
size_t KeptTagLength(std::string_view text) {
  size_t i = 1;
  const bool closing = i < text.size() && text[i] == '/';
  if (closing)
    ++i;
  const size_t nameStart = i;
  while (i < text.size() && IsLetter(text[i]))
    ++i;
  const std::string_view name = text.substr(nameStart, i - nameStart);
  const std::string_view rest = text.substr(i);
  if (SameLetters(name, "br")) {
    if (closing)
      return 0;
    for (const std::string_view end : {">", "/>", " />"}) {
      if (rest.substr(0, end.size()) == end)
        return i + end.size();
    }
    return 0;
  }
  for (const std::string_view tag : kInlineTags) {
    if (SameLetters(name, tag))
      return !rest.empty() && rest[0] == '>' ? i + 1 : 0;
  }
  return 0;
}

// The length of the character reference that `text` starts with ("&" and ";" included), or
// 0 when its "&" stands alone.
size_t ReferenceLength(std::string_view text) {
  size_t i = 1;
  if (i < text.size() && text[i] == '#') {
    ++i;
    const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
    if (hex)
      ++i;
    const size_t digits = i;
    while (i < text.size() && (hex ? IsHexDigit(text[i]) : IsDigit(text[i])))
      ++i;
    if (i == digits)
      return 0;
  } else {
    if (i >= text.size() || !IsLetter(text[i]))
      return 0;
    while (i < text.size() && (IsLetter(text[i]) || IsDigit(text[i])))
      ++i;
  }
  return i < text.size() && text[i] == ';' ? i + 1 : 0;
}

} // namespace

std::string TypedTextAsHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    const std::string_view rest = text.substr(i);
    size_t kept = 0;
    if (c == '<')
      kept = KeptTagLength(rest);
    else if (c == '&')
      kept = ReferenceLength(rest);
    if (kept > 0) {
      out.append(rest.substr(0, kept));
      i += kept;
      continue;
    }
    switch (c) {
    case '<': out += "&lt;"; break;
    case '>': out += "&gt;"; break;
    case '&': out += "&amp;"; break;
    default: out += c;
    }
    ++i;
  }
  return out;
}

std::string QuotedAttributeText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c == '"')
      out += "&quot;";
    else
      out += c;
  }
  return out;
}

std::string ScriptStringText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c == '"' || c == '\\')
      out += '\\';
    out += c;
  }
  return out;
}

std::string HtmlEscaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
    case '&': out += "&amp;"; break;
    case '<': out += "&lt;"; break;
    case '>': out += "&gt;"; break;
    case '"': out += "&quot;"; break;
    default: out += c;
    }
  }
  return out;
}

} // namespace quarbel
