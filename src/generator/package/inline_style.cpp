#include "generator/package/inline_style.h"

#include "generator/package/xhtml_text.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace quarbel::xhtml {
namespace {

bool IsIdentifier(std::string_view name) {
  size_t i = name.size() > 1 && name[0] == '-' ? 1 : 0;
  if (i >= name.size() || !(IsAsciiLetter(name[i]) || name[i] == '_'))
    return false;
  for (; i < name.size(); ++i)
    if (!IsAsciiLetter(name[i]) && !IsDigit(name[i]) && name[i] != '-' && name[i] != '_')
      return false;
  return true;
}

// The declarations of a style attribute, split at the semicolons that end them; comments go.
std::vector<std::string> SplitDeclarations(std::string_view css) {
  std::vector<std::string> parts(1);
  char quote = 0;
  int depth = 0;
  for (size_t i = 0; i < css.size(); ++i) {
    const char c = css[i];
    if (quote) {
      parts.back() += c;
      if (c == quote)
        quote = 0;
      continue;
    }
    if (c == '/' && i + 1 < css.size() && css[i + 1] == '*') {
      const size_t end = css.find("*/", i + 2);
      i = end == std::string_view::npos ? css.size() : end + 1;
      parts.back() += ' ';
      continue;
    }
    if (c == '"' || c == '\'')
      quote = c;
    else if (c == '(')
      ++depth;
    else if (c == ')' && depth > 0)
      --depth;
    else if (c == ';' && depth == 0) {
      parts.emplace_back();
      continue;
    }
    parts.back() += c;
  }
  return parts;
}

// A value that a CSS reader takes as one: closed strings and brackets, no blocks, no escapes.
bool IsSoundValue(std::string_view value) {
  if (value.empty())
    return false;
  char quote = 0;
  int depth = 0;
  for (char c : value) {
    if (c == '\\' || c == '\n')
      return false;
    if (quote) {
      if (c == quote)
        quote = 0;
      continue;
    }
    if (c == '"' || c == '\'')
      quote = c;
    else if (c == '(')
      ++depth;
    else if (c == ')' && --depth < 0)
      return false;
    else if (c == '{' || c == '}' || c == '[' || c == ']' || c == '<' || c == '>' || c == ';')
      return false;
  }
  const std::string lower = Lower(value);
  return quote == 0 && depth == 0 && lower.find("expression(") == std::string::npos &&
         lower.find("javascript:") == std::string::npos &&
         lower.find("vbscript:") == std::string::npos;
}

// Every url(...) of a value rewritten; nothing when one of them is dropped or broken.
std::optional<std::string> RewriteUrls(const std::string& value, const UrlRewrite& rewrite) {
  std::string out;
  char quote = 0;
  for (size_t i = 0; i < value.size();) {
    const char c = value[i];
    if (quote) {
      out += c;
      quote = c == quote ? 0 : quote;
      ++i;
      continue;
    }
    const bool url = Lower(value.substr(i, 4)) == "url(" &&
                     (i == 0 || !(IsAsciiLetter(value[i - 1]) || value[i - 1] == '-'));
    if (!url) {
      if (c == '"' || c == '\'')
        quote = c;
      out += c;
      ++i;
      continue;
    }
    size_t at = i + 4;
    while (at < value.size() && value[at] == ' ')
      ++at;
    std::string target;
    if (at < value.size() && (value[at] == '"' || value[at] == '\'')) {
      const size_t end = value.find(value[at], at + 1);
      if (end == std::string::npos)
        return std::nullopt;
      target = value.substr(at + 1, end - at - 1);
      at = end + 1;
    } else {
      const size_t end = value.find(')', at);
      if (end == std::string::npos)
        return std::nullopt;
      target = value.substr(at, end - at);
      at = end;
    }
    while (at < value.size() && value[at] == ' ')
      ++at;
    if (at >= value.size() || value[at] != ')')
      return std::nullopt;
    const std::optional<std::string> mapped = rewrite(Trim(target));
    if (!mapped)
      return std::nullopt;
    out += "url(\"" + *mapped + "\")";
    i = at + 1;
  }
  return out;
}

} // namespace

bool Sets(const Style& style, std::string_view property) {
  return std::any_of(style.begin(), style.end(),
                     [&](const Declaration& d) { return d.property == property; });
}

void Hint(Style& hints, std::string property, std::string value) {
  if (!Sets(hints, property))
    hints.push_back({std::move(property), std::move(value)});
}

Style ParseStyle(std::string_view css, const UrlRewrite& rewrite) {
  Style style;
  for (std::string part : SplitDeclarations(css)) {
    for (char& c : part)
      if (IsAsciiSpace(c))
        c = ' ';
    const size_t colon = part.find(':');
    if (colon == std::string::npos)
      continue;
    const std::string property = Lower(Trim(std::string_view(part).substr(0, colon)));
    const std::string value = Trim(std::string_view(part).substr(colon + 1));
    if (!IsIdentifier(property) || !IsSoundValue(value) || property == "behavior" ||
        property == "-moz-binding" || property == "unicode-bidi")
      continue;
    const std::optional<std::string> rewritten = RewriteUrls(value, rewrite);
    if (!rewritten)
      continue;
    std::erase_if(style, [&](const Declaration& d) { return d.property == property; });
    style.push_back({property, *rewritten});
  }
  return style;
}

std::optional<std::string> Colour(std::string_view text) {
  const std::string value = Lower(Trim(text));
  const bool hex = std::all_of(value.begin() + (value.empty() || value[0] != '#' ? 0 : 1),
                               value.end(), [](char c) { return HexValue(c) >= 0; });
  const size_t digits = !value.empty() && value[0] == '#' ? value.size() - 1 : value.size();
  if (hex && (digits == 3 || digits == 6))
    return value[0] == '#' ? value : "#" + value;
  if (!value.empty() && std::all_of(value.begin(), value.end(), IsAsciiLetter))
    return value;
  return std::nullopt;
}

std::optional<std::string> Integer(std::string_view text, bool allowSign) {
  const std::string value = Trim(text);
  const size_t first = allowSign && !value.empty() && value[0] == '-' ? 1 : 0;
  if (value.size() <= first || value.size() - first > 9 ||
      !std::all_of(value.begin() + static_cast<std::ptrdiff_t>(first), value.end(), IsDigit))
    return std::nullopt;
  return value;
}

std::optional<std::string> Length(std::string_view text) {
  std::string value = Lower(Trim(text));
  std::string unit = "px";
  if (value.ends_with('%')) {
    unit = "%";
    value.pop_back();
  } else if (value.ends_with("px")) {
    value.resize(value.size() - 2);
  }
  const size_t dot = value.find('.');
  const std::string whole = value.substr(0, dot);
  const std::string fraction = dot == std::string::npos ? "" : value.substr(dot + 1);
  if (whole.empty() || whole.size() > 6 || !std::all_of(whole.begin(), whole.end(), IsDigit) ||
      (dot != std::string::npos &&
       (fraction.empty() || !std::all_of(fraction.begin(), fraction.end(), IsDigit))))
    return std::nullopt;
  return value + unit;
}

std::optional<std::string> FontSizeKeyword(std::string_view text) {
  const std::string value = Trim(text);
  const char sign = !value.empty() && (value[0] == '+' || value[0] == '-') ? value[0] : 0;
  const std::string digits = value.substr(sign ? 1 : 0);
  if (digits.empty() || digits.size() > 2 || !std::all_of(digits.begin(), digits.end(), IsDigit))
    return std::nullopt;
  int size = std::stoi(digits);
  if (sign)
    size = sign == '+' ? 3 + size : 3 - size;
  static constexpr std::array<const char*, 7> kKeywords = {
      "x-small", "small", "medium", "large", "x-large", "xx-large", "xxx-large"};
  return kKeywords[static_cast<size_t>(std::clamp(size, 1, 7) - 1)];
}

std::optional<std::string> FontFamily(std::string_view faces) {
  std::string family;
  size_t start = 0;
  while (start <= faces.size()) {
    size_t comma = faces.find(',', start);
    if (comma == std::string_view::npos)
      comma = faces.size();
    std::string face;
    for (char c : faces.substr(start, comma - start))
      if (static_cast<unsigned char>(c) >= 0x80 || IsAsciiLetter(c) || IsDigit(c) || c == ' ' ||
          c == '-' || c == '_' || c == '.')
        face += c;
    face = Trim(face);
    start = comma + 1;
    if (face.empty())
      continue;
    if (!family.empty())
      family += ", ";
    const std::string lower = Lower(face);
    const bool generic = lower == "serif" || lower == "sans-serif" || lower == "monospace" ||
                         lower == "cursive" || lower == "fantasy";
    family += generic ? lower : "\"" + face + "\"";
  }
  if (family.empty())
    return std::nullopt;
  return family;
}

std::string TextAlignOf(std::string_view align) {
  const std::string value = Lower(Trim(align));
  if (value == "left" || value == "right" || value == "center" || value == "justify")
    return value;
  return value == "middle" ? "center" : "";
}

std::string VerticalAlignOf(std::string_view valign) {
  const std::string value = Lower(Trim(valign));
  return value == "top" || value == "middle" || value == "bottom" || value == "baseline" ? value
                                                                                         : "";
}

} // namespace quarbel::xhtml
