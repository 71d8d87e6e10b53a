#include "generator/package/xhtml_body.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <deque>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quarbel {
namespace {

// ---- Characters ---------------------------------------------------------------------------

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

// One UTF-8 character at `at`: its code point and length, or length 0 for a broken sequence.
struct Utf8Char {
  char32_t code = 0;
  size_t length = 0;
};

Utf8Char DecodeAt(std::string_view text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80)
    return {lead, 1};
  size_t length = 0;
  char32_t code = 0;
  char32_t least = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07, least = 0x10000;
  } else {
    return {};
  }
  if (at + length > text.size())
    return {};
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80)
      return {};
    code = (code << 6) | (byte(at + i) & 0x3F);
  }
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
    return {};
  return {code, length};
}

// What an XHTML page may hold as text: XML's characters without the control characters it
// only tolerates.
bool IsWritable(char32_t c) {
  return c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c < 0x7F) ||
         (c >= 0xA0 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

// The page as the parser gets it: broken UTF-8 becomes U+FFFD, control characters go.
std::string CleanInput(std::string_view html) {
  std::string clean;
  clean.reserve(html.size());
  for (size_t i = 0; i < html.size();) {
    const Utf8Char c = DecodeAt(html, i);
    if (c.length == 0) {
      clean += "\xEF\xBF\xBD";
      ++i;
      continue;
    }
    if (c.code == '\f')
      clean += ' ';
    else if (IsWritable(c.code))
      clean.append(html.substr(i, c.length));
    i += c.length;
  }
  return clean;
}

// Word's own elements carry a prefix ("<o:p>", "<st1:place>", "<m:sup>"); the HTML parser would
// drop it and take <o:p> for a paragraph. With a hyphen instead, they are elements of no
// meaning, as they should be.
std::string WithoutPrefixedNames(std::string markup) {
  for (size_t at = markup.find('<'); at != std::string::npos; at = markup.find('<', at + 1)) {
    size_t i = at + 1;
    if (i < markup.size() && markup[i] == '/')
      ++i;
    const size_t name = i;
    while (i < markup.size() && (IsAsciiLetter(markup[i]) || IsDigit(markup[i])))
      ++i;
    if (i > name && IsAsciiLetter(markup[name]) && i + 1 < markup.size() && markup[i] == ':' &&
        IsAsciiLetter(markup[i + 1]))
      markup[i] = '-';
  }
  return markup;
}

void AppendEscaped(std::string& out, std::string_view text, bool attribute) {
  for (size_t i = 0; i < text.size();) {
    const Utf8Char c = DecodeAt(text, i);
    if (c.length == 0) {
      ++i;
      continue;
    }
    const std::string_view bytes = text.substr(i, c.length);
    i += c.length;
    if (!IsWritable(c.code))
      continue;
    switch (c.code) {
    case '&': out += "&amp;"; break;
    case '<': out += "&lt;"; break;
    case '>': out += "&gt;"; break;
    case '"': out += attribute ? "&quot;" : "\""; break;
    case '\t': out += attribute ? "&#9;" : "\t"; break;
    case '\n': out += attribute ? "&#10;" : "\n"; break;
    case '\r':
      // A line end of the page is one line feed, as an XML reader would make it anyway.
      if (i < text.size() && text[i] == '\n')
        break;
      out += attribute ? "&#10;" : "\n";
      break;
    default: out += bytes;
    }
  }
}

// ---- The page as it is written out --------------------------------------------------------

struct Declaration {
  std::string property;
  std::string value;
};
using Style = std::vector<Declaration>;

struct Node {
  std::string name; // empty for text
  std::string text;
  std::vector<std::pair<std::string, std::string>> attributes; // without style
  Style style;
  std::vector<Node> children;
  bool isText() const { return name.empty(); }
  bool isBlankText() const { return isText() && IsBlank(text); }
};

Node TextNode(std::string text) {
  Node node;
  node.text = std::move(text);
  return node;
}

Node ElementNode(std::string name) {
  Node node;
  node.name = std::move(name);
  return node;
}

const std::string* Find(const Node& node, std::string_view name) {
  for (const auto& [key, value] : node.attributes)
    if (key == name)
      return &value;
  return nullptr;
}

void Set(Node& node, const std::string& name, std::string value) {
  for (auto& [key, old] : node.attributes)
    if (key == name) {
      old = std::move(value);
      return;
    }
  node.attributes.emplace_back(name, std::move(value));
}

void Erase(Node& node, std::string_view name) {
  std::erase_if(node.attributes, [&](const auto& attribute) { return attribute.first == name; });
}

bool Sets(const Style& style, std::string_view property) {
  return std::any_of(style.begin(), style.end(),
                     [&](const Declaration& d) { return d.property == property; });
}

// A presentational hint: the first hint of a property counts.
void Hint(Style& hints, std::string property, std::string value) {
  if (!Sets(hints, property))
    hints.push_back({std::move(property), std::move(value)});
}

// The hints go before the element's own style, which wins over them.
void ApplyHints(Node& node, const Style& hints) {
  Style merged;
  for (const Declaration& hint : hints)
    if (!Sets(node.style, hint.property))
      merged.push_back(hint);
  merged.insert(merged.end(), node.style.begin(), node.style.end());
  node.style = std::move(merged);
}

bool IsGlobalAttribute(std::string_view name) {
  return name == "id" || name == "class" || name == "title" || name == "lang" || name == "dir";
}

void KeepGlobalAttributesOnly(Node& node) {
  std::erase_if(node.attributes,
                [](const auto& attribute) { return !IsGlobalAttribute(attribute.first); });
}

bool IsVoid(std::string_view name) {
  return name == "br" || name == "hr" || name == "img" || name == "col" || name == "wbr" ||
         name == "source";
}

void Write(const Node& node, std::string& out) {
  if (node.isText()) {
    AppendEscaped(out, node.text, false);
    return;
  }
  out += '<';
  out += node.name;
  const auto attribute = [&](std::string_view name, std::string_view value) {
    out += ' ';
    out += name;
    out += "=\"";
    AppendEscaped(out, value, true);
    out += '"';
  };
  if (const std::string* id = Find(node, "id"))
    attribute("id", *id);
  for (const auto& [name, value] : node.attributes)
    if (name != "id")
      attribute(name, value);
  if (!node.style.empty()) {
    std::string css;
    for (const Declaration& d : node.style) {
      if (!css.empty())
        css += "; ";
      css += d.property + ": " + d.value;
    }
    attribute("style", css);
  }
  if (IsVoid(node.name)) {
    out += "/>";
    return;
  }
  out += '>';
  for (const Node& child : node.children)
    Write(child, out);
  out += "</";
  out += node.name;
  out += '>';
}

// ---- References ---------------------------------------------------------------------------

// A URL attribute as browsers read it: no surrounding blanks, no tabs or line ends inside.
std::string StripUrl(std::string_view url) {
  std::string stripped;
  for (char c : Trim(url))
    if (c != '\t' && c != '\n' && c != '\r')
      stripped += c;
  return stripped;
}

// The scheme of an absolute URL, lower case; empty for a relative one.
std::string SchemeOf(std::string_view url) {
  if (url.empty() || !IsAsciiLetter(url[0]))
    return {};
  for (size_t i = 1; i < url.size(); ++i) {
    const char c = url[i];
    if (c == ':')
      return Lower(url.substr(0, i));
    if (!IsAsciiLetter(c) && !IsDigit(c) && c != '+' && c != '-' && c != '.')
      return {};
  }
  return {};
}

int HexValue(char c) {
  if (IsDigit(c))
    return c - '0';
  const char lower = Lower(std::string(1, c))[0];
  return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
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

std::string PercentDecoded(std::string_view text) {
  std::string decoded;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
        HexValue(text[i + 2]) >= 0) {
      decoded += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      decoded += text[i];
    }
  }
  return IsValidUtf8(decoded) ? decoded : std::string(text);
}

// A relative link's fragment names an id of the target page as XhtmlIdOf writes it.
std::string WithIdFragment(const std::string& url) {
  const size_t hash = url.find('#');
  if (hash == std::string::npos || hash + 1 == url.size() || !SchemeOf(url).empty())
    return url;
  return url.substr(0, hash + 1) + XhtmlIdOf(PercentDecoded(url.substr(hash + 1)));
}

// A reference as the page may hold it: what a URL cannot hold as it is gets percent-encoded
// (blanks, quotes, angle brackets, a "%" that starts no escape, a second "#").
std::string WritableUrl(std::string_view url) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  bool fragment = false;
  for (size_t i = 0; i < url.size(); ++i) {
    const auto c = static_cast<unsigned char>(url[i]);
    const bool escape =
        c <= 0x20 || c == 0x7F || c == '"' || c == '<' || c == '>' || c == '\\' || c == '^' ||
        c == '`' || c == '{' || c == '|' || c == '}' || (c == '#' && fragment) ||
        (c == '%' && (i + 2 >= url.size() || HexValue(url[i + 1]) < 0 || HexValue(url[i + 2]) < 0));
    if (c == '#')
      fragment = true;
    if (escape) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

// ---- Style sheets of single elements ------------------------------------------------------

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

using UrlRewrite = std::function<std::optional<std::string>(const std::string&)>;

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

// The declarations of a style attribute that a CSS reader takes; broken ones are left out.
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

// ---- Presentational attributes ------------------------------------------------------------

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

// A non-negative integer as the page wrote it, or nothing.
std::optional<std::string> Integer(std::string_view text, bool allowSign = false) {
  const std::string value = Trim(text);
  const size_t first = allowSign && !value.empty() && value[0] == '-' ? 1 : 0;
  if (value.size() <= first || value.size() - first > 9 ||
      !std::all_of(value.begin() + static_cast<std::ptrdiff_t>(first), value.end(), IsDigit))
    return std::nullopt;
  return value;
}

// A length of a presentational attribute as CSS writes it: "120" is pixels, "50%" stays.
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

// ---- Elements -----------------------------------------------------------------------------

bool IsHeading(std::string_view name) {
  return name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6';
}

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

enum class Role { Keep, Drop, Unwrap };

// HTML5 elements kept as they are; obsolete ones become the element that looks the same;
// elements that only work with scripts, plug-ins or forms go with their content; any other
// element gives way to its content.
const std::map<std::string_view, std::string_view>& ElementNames() {
  static const std::map<std::string_view, std::string_view> names = [] {
    std::map<std::string_view, std::string_view> kept;
    for (std::string_view name :
         {"p",        "div",    "span",       "h1",    "h2",    "h3",     "h4",         "h5",
          "h6",       "a",      "b",          "i",     "u",     "s",      "em",         "strong",
          "sub",      "sup",    "small",      "br",    "hr",    "img",    "table",      "caption",
          "colgroup", "col",    "thead",      "tbody", "tfoot", "tr",     "td",         "th",
          "ul",       "ol",     "li",         "dl",    "dt",    "dd",     "blockquote", "pre",
          "code",     "figure", "figcaption", "video", "audio", "source", "abbr",       "bdi",
          "bdo",      "cite",   "dfn",        "kbd",   "mark",  "q",      "samp",       "var",
          "wbr",      "ruby",   "rt",         "rp",    "del",   "ins"})
      kept[name] = name;
    const std::pair<std::string_view, std::string_view> renamed[] = {
        {"font", "span"},   {"center", "div"},   {"strike", "s"},      {"tt", "code"},
        {"big", "span"},    {"acronym", "abbr"}, {"dir", "ul"},        {"menu", "ul"},
        {"listing", "pre"}, {"xmp", "pre"},      {"plaintext", "pre"}, {"time", "span"},
        {"data", "span"},   {"address", "div"},  {"section", "div"},   {"article", "div"},
        {"aside", "div"},   {"nav", "div"},      {"header", "div"},    {"footer", "div"},
        {"main", "div"},    {"hgroup", "div"},   {"fieldset", "div"},  {"legend", "div"},
        {"details", "div"}, {"summary", "div"},  {"dialog", "div"}};
    for (const auto& [from, to] : renamed)
      kept[from] = to;
    return kept;
  }();
  return names;
}

Role RoleOf(std::string_view name) {
  if (ElementNames().contains(name))
    return Role::Keep;
  const bool dropped =
      IsOneOf(name, {"script", "style",    "link",     "meta",   "title",    "object",   "embed",
                     "iframe", "frame",    "frameset", "applet", "param",    "form",     "input",
                     "button", "select",   "textarea", "option", "optgroup", "datalist", "keygen",
                     "output", "progress", "meter",    "canvas", "area",     "track",    "head",
                     "base",   "basefont", "template", "spacer", "isindex"});
  return dropped ? Role::Drop : Role::Unwrap;
}

// Elements that never have content in HTML5.
bool IsEmptyInHtml(std::string_view name) {
  return IsOneOf(name, {"area", "base", "br", "col", "embed", "hr", "img", "input", "keygen",
                        "link", "meta", "param", "source", "track", "wbr", "basefont", "frame",
                        "isindex", "spacer"});
}

using Attributes = std::map<std::string, std::string>;

Attributes ReadAttributes(xmlNode* node) {
  Attributes attributes;
  for (xmlAttr* attribute = node->properties; attribute; attribute = attribute->next) {
    std::string name = Lower(reinterpret_cast<const char*>(attribute->name));
    if (attribute->ns && attribute->ns->prefix)
      name = Lower(reinterpret_cast<const char*>(attribute->ns->prefix)) + ":" + name;
    xmlChar* value = xmlNodeGetContent(reinterpret_cast<xmlNode*>(attribute));
    attributes.emplace(name, value ? reinterpret_cast<const char*>(value) : "");
    xmlFree(value);
  }
  return attributes;
}

const std::string* Get(const Attributes& attributes, const std::string& name) {
  const auto found = attributes.find(name);
  return found == attributes.end() ? nullptr : &found->second;
}

// A language tag as xsd:language has it: "en", "uk-UA", "zh-Hant-TW"; empty says "unknown".
bool IsLanguageTag(std::string_view tag) {
  size_t start = 0;
  while (start <= tag.size() && !tag.empty()) {
    size_t end = tag.find('-', start);
    if (end == std::string_view::npos)
      end = tag.size();
    const std::string_view part = tag.substr(start, end - start);
    if (part.empty() || part.size() > 8)
      return false;
    for (char c : part)
      if (!IsAsciiLetter(c) && (start == 0 || !IsDigit(c)))
        return false;
    start = end + 1;
  }
  return true;
}

// What converting an element hands down to the elements inside it.
struct Scope {
  Style cellHints;      // from the attributes of the table the cells belong to
  bool inMedia = false; // inside a kept video or audio: its fallback content
};

class Converter {
public:
  explicit Converter(const ReferenceMap& map) : map_(map) {}

  void Children(xmlNode* parent, std::vector<Node>& out, const Scope& scope) {
    for (xmlNode* child = parent->children; child; child = child->next)
      Convert(child, out, scope);
  }

private:
  std::optional<std::string> Map(const std::string& reference, ReferenceKind kind) {
    std::string url = StripUrl(reference);
    const std::string scheme = SchemeOf(url);
    if (scheme == "javascript" || scheme == "vbscript")
      return std::nullopt;
    if (kind == ReferenceKind::Link)
      url = WithIdFragment(url);
    else if (url.empty())
      return std::nullopt;
    const std::optional<std::string> mapped = map_(url, kind);
    if (!mapped || (kind != ReferenceKind::Link && mapped->empty()))
      return std::nullopt;
    return WritableUrl(*mapped);
  }

  Style StyleOf(const Attributes& attributes) {
    const std::string* css = Get(attributes, "style");
    if (!css)
      return {};
    return ParseStyle(*css, [this](const std::string& url) {
      return url.empty() ? std::nullopt : Map(url, ReferenceKind::Picture);
    });
  }

  // id and class come first in the element.
  void Leading(const Attributes& attributes, std::string_view tag, Node& node) {
    const std::string* id = Get(attributes, "id");
    if ((!id || Trim(*id).empty()) && tag == "a")
      id = Get(attributes, "name");
    if (id && !XhtmlIdOf(*id).empty())
      Set(node, "id", XhtmlIdOf(*id));
    if (const std::string* classes = Get(attributes, "class"); classes && !IsBlank(*classes))
      Set(node, "class", Trim(*classes));
  }

  // title, lang, dir and the style come last; a style's direction becomes dir, which is the
  // only way an EPUB page may set it.
  void Trailing(const Attributes& attributes, Node& node, const Style& hints) {
    if (const std::string* title = Get(attributes, "title"))
      Set(node, "title", *title);
    const std::string* lang = Get(attributes, "lang");
    if (!lang)
      lang = Get(attributes, "xml:lang");
    if (lang && IsLanguageTag(Trim(*lang)))
      Set(node, "lang", Trim(*lang));
    if (const std::string* dir = Get(attributes, "dir")) {
      const std::string value = Lower(Trim(*dir));
      if (value == "ltr" || value == "rtl" || value == "auto")
        Set(node, "dir", value);
    }
    node.style = StyleOf(attributes);
    ApplyHints(node, hints);
    for (const Declaration& d : node.style) {
      const std::string value = Lower(d.value);
      if (d.property == "direction" && !Find(node, "dir") && (value == "ltr" || value == "rtl"))
        Set(node, "dir", value);
    }
    std::erase_if(node.style, [](const Declaration& d) { return d.property == "direction"; });
  }

  void Convert(xmlNode* source, std::vector<Node>& out, const Scope& scope) {
    if (source->type == XML_TEXT_NODE || source->type == XML_CDATA_SECTION_NODE) {
      if (source->content)
        out.push_back(TextNode(reinterpret_cast<const char*>(source->content)));
      return;
    }
    if (source->type != XML_ELEMENT_NODE)
      return;
    const std::string tag = Lower(reinterpret_cast<const char*>(source->name));
    ConvertElement(source, tag, out, scope);
    // The parser knows only the empty elements of HTML 4: what follows a <wbr>, <source> or
    // <embed> ends up inside it, though it comes after it.
    if (IsEmptyInHtml(tag))
      Children(source, out, scope);
  }

  void ConvertElement(xmlNode* source, const std::string& tag, std::vector<Node>& out,
                      const Scope& scope) {
    const Role role = RoleOf(tag);
    if (role == Role::Drop || tag == "source")
      return;
    const Attributes attributes = ReadAttributes(source);
    if (tag == "img") {
      Image(attributes, out);
      return;
    }
    if (tag == "video" || tag == "audio") {
      Media(source, tag, attributes, out, scope);
      return;
    }
    if (role == Role::Unwrap) {
      // An element of no meaning to a reader gives way to its content; one that carries an id
      // stays as a span, so that links to it keep working.
      const std::string* id = Get(attributes, "id");
      if (!id || XhtmlIdOf(*id).empty()) {
        Children(source, out, scope);
        return;
      }
      Node span = ElementNode("span");
      Leading(attributes, tag, span);
      Trailing(attributes, span, {});
      Children(source, span.children, scope);
      out.push_back(std::move(span));
      return;
    }

    Node node = ElementNode(std::string(ElementNames().at(tag)));
    Leading(attributes, tag, node);
    Style hints;
    Scope inner = scope;
    OwnAttributes(tag, attributes, node, hints, inner);
    Trailing(attributes, node, hints);
    Children(source, node.children, inner);

    if (node.name == "pre" && !node.children.empty() && node.children.front().isText()) {
      // A line end right after <pre> is no part of the text in HTML, and would be in XHTML.
      std::string& text = node.children.front().text;
      text.erase(0, text.starts_with("\r\n") ? 2 : text.starts_with('\n') ? 1 : 0);
    }
    if (node.name == "bdo" && !Find(node, "dir"))
      node.name = "span";
    if (node.name == "a" && !Find(node, "href") && !Find(node, "id")) {
      std::move(node.children.begin(), node.children.end(), std::back_inserter(out));
      return;
    }
    out.push_back(std::move(node));
  }

  void OwnAttributes(const std::string& tag, const Attributes& attributes, Node& node, Style& hints,
                     Scope& inner) {
    const auto attribute = [&](const char* name) { return Get(attributes, name); };
    const auto copyInteger = [&](const char* name, bool positive, bool allowSign) {
      const std::string* value = attribute(name);
      if (!value)
        return;
      const std::optional<std::string> number = Integer(*value, allowSign);
      if (number && (!positive || std::stol(*number) > 0))
        Set(node, name, *number);
    };
    const auto lengthHint = [&](const char* name, const char* property) {
      if (const std::string* value = attribute(name))
        if (const std::optional<std::string> length = Length(*value))
          Hint(hints, property, *length);
    };
    const auto colourHint = [&](const char* name, const char* property) {
      if (const std::string* value = attribute(name))
        if (const std::optional<std::string> colour = Colour(*value))
          Hint(hints, property, *colour);
    };
    const std::string align = attribute("align") ? Lower(Trim(*attribute("align"))) : "";

    if (tag == "a") {
      if (const std::string* href = attribute("href"))
        if (const std::optional<std::string> mapped = Map(*href, ReferenceKind::Link))
          Set(node, "href", *mapped);
    } else if (tag == "font") {
      if (const std::string* face = attribute("face"))
        if (const std::optional<std::string> family = FontFamily(*face))
          Hint(hints, "font-family", *family);
      colourHint("color", "color");
      if (const std::string* size = attribute("size"))
        if (const std::optional<std::string> keyword = FontSizeKeyword(*size))
          Hint(hints, "font-size", *keyword);
    } else if (tag == "center") {
      Hint(hints, "text-align", "center");
    } else if (tag == "big") {
      Hint(hints, "font-size", "larger");
    } else if (tag == "address") {
      Hint(hints, "font-style", "italic");
    } else if (tag == "table") {
      lengthHint("width", "width");
      lengthHint("height", "height");
      colourHint("bgcolor", "background-color");
      if (align == "left" || align == "right") {
        Hint(hints, "float", align);
      } else if (align == "center") {
        Hint(hints, "margin-left", "auto");
        Hint(hints, "margin-right", "auto");
      }
      inner.cellHints.clear();
      if (const std::string* border = attribute("border")) {
        const std::optional<std::string> width = Integer(*border);
        if (!width || std::stol(*width) > 0) {
          Hint(hints, "border", (width ? *width : "1") + "px outset");
          Hint(inner.cellHints, "border", "1px inset");
        }
      }
      if (const std::string* colour = attribute("bordercolor"))
        if (const std::optional<std::string> value = Colour(*colour)) {
          Hint(hints, "border-color", *value);
          Hint(inner.cellHints, "border-color", *value);
        }
      if (const std::string* spacing = attribute("cellspacing"))
        if (const std::optional<std::string> pixels = Integer(*spacing))
          Hint(hints, "border-spacing", *pixels + "px");
      if (const std::string* padding = attribute("cellpadding"))
        if (const std::optional<std::string> pixels = Integer(*padding))
          Hint(inner.cellHints, "padding", *pixels + "px");
    } else if (tag == "td" || tag == "th") {
      copyInteger("colspan", true, false);
      copyInteger("rowspan", false, false);
      if (const std::string* scope = attribute("scope"); scope && tag == "th") {
        const std::string value = Lower(Trim(*scope));
        if (IsOneOf(value, {"row", "col", "rowgroup", "colgroup"}))
          Set(node, "scope", value);
      }
      lengthHint("width", "width");
      lengthHint("height", "height");
      colourHint("bgcolor", "background-color");
      if (attribute("nowrap"))
        Hint(hints, "white-space", "nowrap");
      for (const Declaration& d : inner.cellHints)
        Hint(hints, d.property, d.value);
      inner.cellHints.clear();
    } else if (tag == "tr" || tag == "thead" || tag == "tbody" || tag == "tfoot") {
      if (tag == "tr")
        lengthHint("height", "height");
      colourHint("bgcolor", "background-color");
    } else if (tag == "col" || tag == "colgroup") {
      copyInteger("span", true, false);
      lengthHint("width", "width");
    } else if (tag == "ol") {
      copyInteger("start", false, true);
      if (const std::string* type = attribute("type");
          type && IsOneOf(Trim(*type), {"1", "a", "A", "i", "I"}))
        Set(node, "type", Trim(*type));
      if (attribute("reversed"))
        Set(node, "reversed", "reversed");
    } else if (tag == "ul" || tag == "li" || tag == "dir" || tag == "menu") {
      if (tag == "li")
        copyInteger("value", false, true);
      if (const std::string* type = attribute("type")) {
        static const std::map<std::string, std::string> styles = {
            {"disc", "disc"},     {"circle", "circle"}, {"square", "square"}, {"1", "decimal"},
            {"a", "lower-alpha"}, {"A", "upper-alpha"}, {"i", "lower-roman"}, {"I", "upper-roman"}};
        const std::string value = Trim(*type);
        const auto found = styles.find(value.size() > 1 ? Lower(value) : value);
        if (found != styles.end())
          Hint(hints, "list-style-type", found->second);
      }
    } else if (tag == "hr") {
      lengthHint("width", "width");
      if (const std::string* size = attribute("size"))
        if (const std::optional<std::string> pixels = Integer(*size))
          Hint(hints, "height", *pixels + "px");
      colourHint("color", "color");
      colourHint("color", "background-color");
      if (align == "left" || align == "right" || align == "center") {
        Hint(hints, "margin-left", align == "left" ? "0" : "auto");
        Hint(hints, "margin-right", align == "right" ? "0" : "auto");
      }
    } else if (tag == "br") {
      if (const std::string* clear = attribute("clear")) {
        const std::string value = Lower(Trim(*clear));
        if (value == "left" || value == "right" || value == "both")
          Hint(hints, "clear", value);
        else if (value == "all")
          Hint(hints, "clear", "both");
      }
    }

    if (tag == "caption" && (align == "top" || align == "bottom"))
      Hint(hints, "caption-side", align);
    if (IsHeading(tag) || IsOneOf(tag, {"p", "div", "caption", "td", "th", "tr", "thead", "tbody",
                                        "tfoot", "col", "colgroup"}))
      if (const std::string value = TextAlignOf(align); !value.empty())
        Hint(hints, "text-align", value);
    if (IsOneOf(tag, {"td", "th", "tr", "thead", "tbody", "tfoot", "col", "colgroup"}))
      if (const std::string* valign = attribute("valign"))
        if (const std::string value = VerticalAlignOf(*valign); !value.empty())
          Hint(hints, "vertical-align", value);
  }

  void Image(const Attributes& attributes, std::vector<Node>& out) {
    const std::string* alt = Get(attributes, "alt");
    const std::string* src = Get(attributes, "src");
    const std::optional<std::string> mapped =
        src ? Map(*src, ReferenceKind::Picture) : std::nullopt;
    if (!mapped) {
      if (alt && !alt->empty())
        out.push_back(TextNode(*alt));
      return;
    }
    Node image = ElementNode("img");
    Leading(attributes, "img", image);
    Set(image, "src", *mapped);
    Set(image, "alt", alt ? *alt : "");
    Style hints;
    for (const char* dimension : {"width", "height"})
      if (const std::string* value = Get(attributes, dimension)) {
        const std::optional<std::string> length = Length(*value);
        if (length && length->ends_with("px") && length->find('.') == std::string::npos)
          Set(image, dimension, length->substr(0, length->size() - 2));
        else if (length)
          Hint(hints, dimension, *length);
      }
    const std::string align =
        Lower(Trim(Get(attributes, "align") ? *Get(attributes, "align") : ""));
    if (align == "left" || align == "right")
      Hint(hints, "float", align);
    else if (align == "top" || align == "bottom" || align == "middle" || align == "baseline" ||
             align == "texttop" || align == "absmiddle" || align == "absbottom" ||
             align == "center")
      Hint(hints, "vertical-align",
           align == "bottom"                           ? "baseline"
           : align == "absmiddle" || align == "center" ? "middle"
           : align == "texttop"                        ? "text-top"
           : align == "absbottom"                      ? "bottom"
                                                       : align);
    if (const std::string* border = Get(attributes, "border"))
      if (const std::optional<std::string> width = Integer(*border); width && std::stol(*width) > 0)
        Hint(hints, "border", *width + "px solid");
    if (const std::string* hspace = Get(attributes, "hspace"))
      if (const std::optional<std::string> pixels = Integer(*hspace)) {
        Hint(hints, "margin-left", *pixels + "px");
        Hint(hints, "margin-right", *pixels + "px");
      }
    if (const std::string* vspace = Get(attributes, "vspace"))
      if (const std::optional<std::string> pixels = Integer(*vspace)) {
        Hint(hints, "margin-top", *pixels + "px");
        Hint(hints, "margin-bottom", *pixels + "px");
      }
    Trailing(attributes, image, hints);
    out.push_back(std::move(image));
  }

  // A video or audio keeps the sources the book has; without any, its fallback content takes
  // its place.
  void Media(xmlNode* source, const std::string& tag, const Attributes& attributes,
             std::vector<Node>& out, const Scope& scope) {
    std::vector<xmlNode*> sources;
    std::vector<xmlNode*> content;
    MediaChildren(source, sources, content);
    const auto fallback = [&](std::vector<Node>& into, const Scope& within) {
      for (xmlNode* child : content)
        Convert(child, into, within);
    };
    if (scope.inMedia) {
      fallback(out, scope);
      return;
    }
    Node media = ElementNode(tag);
    Leading(attributes, tag, media);
    bool playable = false;
    if (const std::string* src = Get(attributes, "src"); src && !StripUrl(*src).empty()) {
      if (const std::optional<std::string> mapped = Map(*src, ReferenceKind::Media)) {
        Set(media, "src", *mapped);
        playable = true;
      }
    } else {
      for (xmlNode* child : sources) {
        const Attributes sourceAttributes = ReadAttributes(child);
        const std::string* childSrc = Get(sourceAttributes, "src");
        const std::optional<std::string> mapped =
            childSrc ? Map(*childSrc, ReferenceKind::Media) : std::nullopt;
        if (!mapped)
          continue;
        Node kept = ElementNode("source");
        Set(kept, "src", *mapped);
        if (const std::string* type = Get(sourceAttributes, "type")) {
          const std::string value = Trim(*type);
          const size_t slash = value.find('/');
          if (slash != std::string::npos && slash > 0 && slash + 1 < value.size() &&
              value.find_first_of(" \"<>") == std::string::npos)
            Set(kept, "type", value);
        }
        media.children.push_back(std::move(kept));
        playable = true;
      }
    }
    if (!playable) {
      fallback(out, scope);
      return;
    }
    if (tag == "video")
      if (const std::string* poster = Get(attributes, "poster"))
        if (const std::optional<std::string> mapped = Map(*poster, ReferenceKind::Picture))
          Set(media, "poster", *mapped);
    for (const char* flag : {"controls", "autoplay", "loop", "muted"})
      if (Get(attributes, flag))
        Set(media, flag, flag);
    if (const std::string* preload = Get(attributes, "preload")) {
      const std::string value = Lower(Trim(*preload));
      if (IsOneOf(value, {"none", "metadata", "auto"}))
        Set(media, "preload", value);
    }
    if (tag == "video")
      for (const char* dimension : {"width", "height"})
        if (const std::string* value = Get(attributes, dimension))
          if (const std::optional<std::string> number = Integer(*value))
            Set(media, dimension, *number);
    Trailing(attributes, media, {});
    Scope within = scope;
    within.inMedia = true;
    fallback(media.children, within);
    out.push_back(std::move(media));
  }

  // The sources of a video or audio and the rest of its content, which a reader shows when it
  // cannot play it. The parser nests what follows a <source> or <track> inside it.
  static void MediaChildren(xmlNode* parent, std::vector<xmlNode*>& sources,
                            std::vector<xmlNode*>& content) {
    for (xmlNode* child = parent->children; child; child = child->next) {
      const std::string name = child->type == XML_ELEMENT_NODE
                                   ? Lower(reinterpret_cast<const char*>(child->name))
                                   : std::string();
      if (name == "source")
        sources.push_back(child);
      if (name == "source" || name == "track")
        MediaChildren(child, sources, content);
      else
        content.push_back(child);
    }
  }

  const ReferenceMap& map_;
};

// No open row, group or item.
constexpr size_t kNone = static_cast<size_t>(-1);

// ---- Tables -------------------------------------------------------------------------------

bool IsTablePart(std::string_view name) {
  return IsOneOf(name, {"tr", "td", "th", "thead", "tbody", "tfoot", "caption", "colgroup", "col"});
}

bool FitsIn(std::string_view parent, std::string_view part) {
  if (part == "tr")
    return IsOneOf(parent, {"table", "thead", "tbody", "tfoot"});
  if (part == "td" || part == "th")
    return parent == "tr";
  if (part == "col")
    return parent == "colgroup";
  return parent == "table";
}

bool HoldsTable(const Node& node) {
  return std::any_of(node.children.begin(), node.children.end(),
                     [](const Node& child) { return child.name == "table" || HoldsTable(child); });
}

// What a table holds that is no part of it goes before the table, as browsers show it.
class TableShaper {
public:
  std::vector<Node> fostered;

  void Row(Node& row) {
    std::vector<Node> cells;
    for (Node& child : row.children) {
      if (child.name == "td" || child.name == "th" || child.isBlankText())
        cells.push_back(std::move(child));
      else
        fostered.push_back(std::move(child));
    }
    row.children = std::move(cells);
  }

  // Rows, and cells outside rows gathered into rows.
  std::vector<Node> Rows(std::vector<Node>& children) {
    std::vector<Node> rows;
    size_t openRow = kNone;
    for (Node& child : children) {
      if (child.isBlankText()) {
        rows.push_back(std::move(child));
      } else if (child.name == "tr") {
        Row(child);
        rows.push_back(std::move(child));
        openRow = kNone;
      } else if (child.name == "td" || child.name == "th") {
        if (openRow == kNone) {
          rows.push_back(ElementNode("tr"));
          openRow = rows.size() - 1;
        }
        rows[openRow].children.push_back(std::move(child));
      } else {
        fostered.push_back(std::move(child));
        openRow = kNone;
      }
    }
    return rows;
  }

  // caption, column groups, head, body rows or groups, foot: the order XHTML wants.
  void Shape(Node& table) {
    std::optional<Node> caption, head, foot;
    std::vector<Node> columns;
    std::vector<Node> body;
    std::vector<Node>* last = &columns;
    size_t openColumns = kNone;
    std::vector<Node> loose; // rows and cells straight in the table, in order
    const auto flushLoose = [&] {
      for (Node& row : Rows(loose))
        body.push_back(std::move(row));
      loose.clear();
    };
    for (Node& child : table.children) {
      if (child.isBlankText()) {
        (loose.empty() ? *last : loose).push_back(std::move(child));
        continue;
      }
      if (child.name != "col")
        openColumns = kNone;
      if (child.name == "tr" || child.name == "td" || child.name == "th") {
        loose.push_back(std::move(child));
        last = &body;
        continue;
      }
      flushLoose();
      if (child.name == "caption" && !caption && !HoldsTable(child)) {
        caption = std::move(child);
      } else if (child.name == "colgroup") {
        std::vector<Node> kept;
        for (Node& column : child.children)
          (column.name == "col" || column.isBlankText() ? kept : fostered)
              .push_back(std::move(column));
        child.children = std::move(kept);
        columns.push_back(std::move(child));
        last = &columns;
      } else if (child.name == "col") {
        if (openColumns == kNone) {
          columns.push_back(ElementNode("colgroup"));
          openColumns = columns.size() - 1;
        }
        columns[openColumns].children.push_back(std::move(child));
        last = &columns;
      } else if (child.name == "thead" || child.name == "tbody" || child.name == "tfoot") {
        child.children = Rows(child.children);
        if (child.name == "thead" && !head)
          head = std::move(child);
        else if (child.name == "tfoot" && !foot)
          foot = std::move(child);
        else {
          child.name = "tbody";
          body.push_back(std::move(child));
        }
        last = &body;
      } else {
        if (child.name == "caption")
          child.name = "div";
        fostered.push_back(std::move(child));
      }
    }
    flushLoose();

    // Rows straight in the table and row groups do not mix: loose rows get a group.
    const bool groups =
        std::any_of(body.begin(), body.end(), [](const Node& n) { return n.name == "tbody"; });
    const bool rows =
        std::any_of(body.begin(), body.end(), [](const Node& n) { return n.name == "tr"; });
    if (groups && rows) {
      std::vector<Node> grouped;
      size_t open = kNone;
      for (Node& item : body) {
        if (item.name == "tr") {
          if (open == kNone) {
            grouped.push_back(ElementNode("tbody"));
            open = grouped.size() - 1;
          }
          grouped[open].children.push_back(std::move(item));
        } else if (item.isBlankText() && open != kNone) {
          grouped[open].children.push_back(std::move(item));
        } else {
          if (!item.isText())
            open = kNone;
          grouped.push_back(std::move(item));
        }
      }
      body = std::move(grouped);
    }

    table.children.clear();
    if (caption)
      table.children.push_back(std::move(*caption));
    std::move(columns.begin(), columns.end(), std::back_inserter(table.children));
    if (head)
      table.children.push_back(std::move(*head));
    std::move(body.begin(), body.end(), std::back_inserter(table.children));
    if (foot)
      table.children.push_back(std::move(*foot));
    std::erase_if(fostered, [](const Node& n) { return n.isBlankText(); });
  }
};

void FixTables(Node& node) {
  std::deque<Node> queue(std::make_move_iterator(node.children.begin()),
                         std::make_move_iterator(node.children.end()));
  node.children.clear();
  while (!queue.empty()) {
    Node child = std::move(queue.front());
    queue.pop_front();
    if (!child.isText() && IsTablePart(child.name) && !FitsIn(node.name, child.name)) {
      // A cell, row or group outside its table: its content stays where it is.
      if (child.name != "col" && child.name != "colgroup")
        queue.insert(queue.begin(), std::make_move_iterator(child.children.begin()),
                     std::make_move_iterator(child.children.end()));
      continue;
    }
    if (child.name == "table") {
      TableShaper shaper;
      shaper.Shape(child);
      if (!shaper.fostered.empty()) {
        queue.push_front(std::move(child));
        queue.insert(queue.begin(), std::make_move_iterator(shaper.fostered.begin()),
                     std::make_move_iterator(shaper.fostered.end()));
        continue;
      }
    }
    node.children.push_back(std::move(child));
  }
  for (Node& child : node.children)
    if (!child.isText())
      FixTables(child);
}

// ---- Lists and other groups ---------------------------------------------------------------

// Content of a list that is not an item joins the item before it (or a new one).
void WrapInItems(Node& list, std::initializer_list<std::string_view> items, const char* wrapper) {
  std::vector<Node> children;
  size_t open = kNone;
  for (Node& child : list.children) {
    if (!child.isText() && IsOneOf(child.name, items)) {
      children.push_back(std::move(child));
      open = children.size() - 1;
    } else if (child.isBlankText()) {
      children.push_back(std::move(child));
    } else {
      if (open == kNone) {
        children.push_back(ElementNode(wrapper));
        open = children.size() - 1;
      }
      children[open].children.push_back(std::move(child));
    }
  }
  list.children = std::move(children);
}

// A definition list is runs of terms, each followed by a run of definitions: a definition
// without a term gets an empty one, and so does a term without a definition.
void PairTermsAndDefinitions(Node& list) {
  WrapInItems(list, {"dt", "dd"}, "dd");
  std::vector<Node> children;
  std::string last;
  for (Node& child : list.children) {
    if (child.name == "dd" && last != "dt" && last != "dd")
      children.push_back(ElementNode("dt"));
    if (!child.isText())
      last = child.name;
    children.push_back(std::move(child));
  }
  if (last == "dt")
    children.push_back(ElementNode("dd"));
  list.children = std::move(children);
}

// List items outside a list get one.
void GatherStrayItems(Node& node) {
  std::vector<Node> children;
  size_t open = kNone;
  for (Node& child : node.children) {
    const char* list = child.name == "li"                         ? "ul"
                       : child.name == "dt" || child.name == "dd" ? "dl"
                                                                  : nullptr;
    if (list) {
      if (open == kNone || children[open].name != list) {
        children.push_back(ElementNode(list));
        open = children.size() - 1;
      }
      children[open].children.push_back(std::move(child));
    } else if (child.isBlankText() && open != kNone) {
      children[open].children.push_back(std::move(child));
    } else {
      open = kNone;
      children.push_back(std::move(child));
    }
  }
  node.children = std::move(children);
}

// Ruby as XHTML has it: runs of base text, each followed by its annotations, either rt
// elements alone or between rp elements that hold only text.
bool IsWellFormedRuby(const Node& ruby) {
  std::vector<const Node*> items;
  for (const Node& child : ruby.children)
    if (!child.isBlankText())
      items.push_back(&child);
  const auto is = [&](size_t i, std::string_view name) {
    return i < items.size() && items[i]->name == name;
  };
  for (const Node* item : items)
    if (item->name == "rp" && !std::all_of(item->children.begin(), item->children.end(),
                                           [](const Node& n) { return n.isText(); }))
      return false;
  size_t i = 0;
  while (i < items.size()) {
    const size_t base = i;
    while (i < items.size() && !is(i, "rt") && !is(i, "rp"))
      ++i;
    if (i == base || i == items.size())
      return false;
    if (is(i, "rt")) {
      while (is(i, "rt"))
        ++i;
      continue;
    }
    ++i;
    const size_t pairs = i;
    while (is(i, "rt") && is(i + 1, "rp"))
      i += 2;
    if (i == pairs)
      return false;
  }
  return !items.empty();
}

void FixGroups(Node& node) {
  if (std::any_of(node.children.begin(), node.children.end(),
                  [](const Node& n) { return n.name == "ruby" && !IsWellFormedRuby(n); })) {
    // Ruby of another shape gives way to its text; its annotations follow as spans.
    std::vector<Node> children;
    for (Node& child : node.children) {
      if (child.name == "ruby" && !IsWellFormedRuby(child))
        std::move(child.children.begin(), child.children.end(), std::back_inserter(children));
      else
        children.push_back(std::move(child));
    }
    node.children = std::move(children);
  }
  if (node.name == "ul" || node.name == "ol")
    WrapInItems(node, {"li"}, "li");
  else if (node.name == "dl")
    PairTermsAndDefinitions(node);
  else
    GatherStrayItems(node);

  std::vector<Node*> elements;
  for (Node& child : node.children)
    if (!child.isText())
      elements.push_back(&child);
  for (size_t i = 0; i < elements.size(); ++i) {
    Node& child = *elements[i];
    if (node.name == "ul" && child.name == "li")
      Erase(child, "value");
    // A figure's caption is its first or last child.
    const bool captionPlace = node.name == "figure" && (i == 0 || i + 1 == elements.size());
    if (child.name == "figcaption" && !captionPlace)
      child.name = "div";
    if ((child.name == "rt" || child.name == "rp") && node.name != "ruby")
      child.name = "span";
  }
  if (node.name == "figure" && elements.size() > 1 && elements.front()->name == "figcaption" &&
      elements.back()->name == "figcaption")
    elements.back()->name = "div";
  for (Node& child : node.children)
    if (!child.isText())
      FixGroups(child);
}

// ---- Nesting --------------------------------------------------------------------------------

// No link inside a link, no media controls inside a link, no definition inside a definition.
void FixNesting(Node& node, bool inLink, bool inDefinition) {
  for (Node& child : node.children) {
    if (child.isText())
      continue;
    if ((child.name == "a" && inLink) || (child.name == "dfn" && inDefinition)) {
      child.name = "span";
      KeepGlobalAttributesOnly(child);
    }
    if ((child.name == "video" || child.name == "audio") && inLink)
      Erase(child, "controls");
    FixNesting(child, inLink || child.name == "a", inDefinition || child.name == "dfn");
  }
}

bool IsPhrasing(std::string_view name) {
  return IsOneOf(name, {"a",    "abbr",  "b",    "bdi",    "bdo",   "br",    "cite", "code", "del",
                        "dfn",  "em",    "i",    "img",    "ins",   "kbd",   "mark", "q",    "s",
                        "samp", "small", "span", "strong", "sub",   "sup",   "u",    "var",  "wbr",
                        "ruby", "rt",    "rp",   "audio",  "video", "source"});
}

// Elements whose content is whatever their parent may hold.
bool IsTransparent(std::string_view name) {
  return IsOneOf(name, {"a", "del", "ins", "audio", "video"});
}

bool HoldsFlow(const Node& node) {
  return std::any_of(node.children.begin(), node.children.end(), [](const Node& child) {
    return !child.isText() && (!IsPhrasing(child.name) || HoldsFlow(child));
  });
}

// A phrase element around blocks becomes a division that looks the same.
void MakeDivision(Node& node) {
  static const std::map<std::string_view, Style> looks = {
      {"b", {{"font-weight", "bold"}}},
      {"strong", {{"font-weight", "bold"}}},
      {"i", {{"font-style", "italic"}}},
      {"em", {{"font-style", "italic"}}},
      {"cite", {{"font-style", "italic"}}},
      {"dfn", {{"font-style", "italic"}}},
      {"var", {{"font-style", "italic"}}},
      {"u", {{"text-decoration", "underline"}}},
      {"s", {{"text-decoration", "line-through"}}},
      {"code", {{"font-family", "monospace"}}},
      {"kbd", {{"font-family", "monospace"}}},
      {"samp", {{"font-family", "monospace"}}},
      {"small", {{"font-size", "smaller"}}},
      {"sub", {{"vertical-align", "sub"}, {"font-size", "smaller"}}},
      {"sup", {{"vertical-align", "super"}, {"font-size", "smaller"}}},
      {"mark", {{"background-color", "yellow"}}}};
  if (const auto look = looks.find(node.name); look != looks.end())
    ApplyHints(node, look->second);
  KeepGlobalAttributesOnly(node);
  node.name = "div";
}

// A block inside a phrase becomes a span that shows as the block did.
void MakeSpan(Node& node) {
  static const std::map<std::string_view, Style> looks = {
      {"li", {{"display", "list-item"}}},
      {"table", {{"display", "table"}}},
      {"caption", {{"display", "table-caption"}}},
      {"thead", {{"display", "table-header-group"}}},
      {"tbody", {{"display", "table-row-group"}}},
      {"tfoot", {{"display", "table-footer-group"}}},
      {"tr", {{"display", "table-row"}}},
      {"td", {{"display", "table-cell"}}},
      {"th", {{"display", "table-cell"}, {"font-weight", "bold"}}},
      {"colgroup", {{"display", "table-column-group"}}},
      {"col", {{"display", "table-column"}}},
      {"pre", {{"display", "block"}, {"white-space", "pre"}, {"font-family", "monospace"}}},
      {"hr", {{"display", "block"}, {"border-top", "1px solid"}}}};
  const auto look = looks.find(node.name);
  Style hints = look != looks.end() ? look->second : Style{{"display", "block"}};
  if (IsHeading(node.name))
    hints.push_back({"font-weight", "bold"});
  ApplyHints(node, hints);
  KeepGlobalAttributesOnly(node);
  node.name = "span";
}

enum class Content { Flow, Phrasing };

void FixContent(Node& node, Content content) {
  for (Node& child : node.children) {
    if (child.isText())
      continue;
    if (IsTransparent(child.name)) {
      FixContent(child, content);
    } else if (IsPhrasing(child.name)) {
      const bool blocks = content == Content::Flow && HoldsFlow(child);
      if (blocks)
        MakeDivision(child);
      FixContent(child, blocks ? Content::Flow : Content::Phrasing);
    } else if (content == Content::Phrasing) {
      MakeSpan(child);
      FixContent(child, Content::Phrasing);
    } else {
      if (child.name == "p" && HoldsFlow(child))
        child.name = "div"; // a paragraph around blocks (a text frame) holds them as a division
      const bool phrases = child.name == "p" || child.name == "pre" || IsHeading(child.name);
      FixContent(child, phrases ? Content::Phrasing : Content::Flow);
    }
  }
}

// ---- ids ----------------------------------------------------------------------------------

// The first element of an id keeps it; an anchor left with neither id nor link gives way to
// its content.
void SettleIds(Node& node, std::set<std::string>& ids) {
  std::vector<Node> children;
  for (Node& child : node.children) {
    if (child.isText()) {
      children.push_back(std::move(child));
      continue;
    }
    if (const std::string* id = Find(child, "id"); id && !ids.insert(*id).second)
      Erase(child, "id");
    SettleIds(child, ids);
    if (child.name == "a" && !Find(child, "id") && !Find(child, "href"))
      std::move(child.children.begin(), child.children.end(), std::back_inserter(children));
    else
      children.push_back(std::move(child));
  }
  node.children = std::move(children);
}

xmlNode* FindBody(xmlNode* node) {
  for (; node; node = node->next) {
    if (node->type != XML_ELEMENT_NODE)
      continue;
    if (Lower(reinterpret_cast<const char*>(node->name)) == "body")
      return node;
    if (xmlNode* body = FindBody(node->children))
      return body;
  }
  return nullptr;
}

} // namespace

std::string XhtmlIdOf(std::string_view name) {
  static constexpr std::string_view kUnsafe = "\"#%<>\\^`{|}";
  std::string id;
  for (size_t i = 0; i < name.size();) {
    const Utf8Char c = DecodeAt(name, i);
    const size_t length = std::max<size_t>(c.length, 1);
    const bool unsafe =
        c.length == 0 || c.code <= 0x20 || (c.code >= 0x7F && c.code <= 0xA0) ||
        (c.code < 0x80 && kUnsafe.find(static_cast<char>(c.code)) != std::string_view::npos);
    if (unsafe)
      id += '_';
    else
      id.append(name.substr(i, length));
    i += length;
  }
  return id;
}

XhtmlBody XhtmlBodyOf(const std::string& html, const ReferenceMap& map) {
  std::string page = WithoutPrefixedNames(CleanInput(html));
  // A fragment is parsed inside a body, so that text at its start stays text and is not taken
  // for a paragraph.
  if (Lower(page).find("<body") == std::string::npos)
    page = "<html><body>" + page + "</body></html>";
  std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> document(
      htmlReadMemory(page.data(), static_cast<int>(page.size()), nullptr, "UTF-8",
                     HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                         HTML_PARSE_NONET | HTML_PARSE_IGNORE_ENC),
      xmlFreeDoc);
  XhtmlBody result;
  xmlNode* body = document ? FindBody(document->children) : nullptr;
  if (!body)
    return result;

  Node root = ElementNode("body");
  Converter(map).Children(body, root.children, Scope{});
  FixTables(root);
  FixGroups(root);
  FixNesting(root, false, false);
  FixContent(root, Content::Flow);
  SettleIds(root, result.ids);
  for (const Node& child : root.children)
    Write(child, result.markup);
  return result;
}

} // namespace quarbel
