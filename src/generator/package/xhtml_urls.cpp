#include "generator/package/xhtml_urls.h"

#include "generator/package/xhtml_body.h"
#include "generator/package/xhtml_text.h"
#include "text/percent_encoding.h"

#include <algorithm>
#include <cstddef>

namespace quarbel {
namespace xhtml {
namespace {

// A fragment with its "%XX" escapes decoded, unless they stand for broken UTF-8: then it stays
// as it is.
std::string DecodedFragment(std::string_view fragment) {
  std::string decoded = PercentDecoded(fragment);
  return IsValidUtf8(decoded) ? decoded : std::string(fragment);
}

} // namespace

std::string StripUrl(std::string_view url) {
  std::string stripped;
  for (char c : Trim(url))
    if (c != '\t' && c != '\n' && c != '\r')
      stripped += c;
  return stripped;
}

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

std::string WithIdFragment(const std::string& url) {
  const size_t hash = url.find('#');
  if (hash == std::string::npos || hash + 1 == url.size() || !SchemeOf(url).empty())
    return url;
  return url.substr(0, hash + 1) + XhtmlIdOf(DecodedFragment(url.substr(hash + 1)));
}

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

} // namespace xhtml

std::string XhtmlIdOf(std::string_view name) {
  static constexpr std::string_view kUnsafe = "\"#%<>\\^`{|}";
  std::string id;
  for (size_t i = 0; i < name.size();) {
    const xhtml::Utf8Char c = xhtml::DecodeAt(name, i);
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

} // namespace quarbel
