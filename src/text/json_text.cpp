#include "text/json_text.h"

#include <cstdio>

namespace quarbel {
namespace {

void Escape(std::string& out, unsigned unit) {
  char code[8];
  std::snprintf(code, sizeof code, "\\u%04x", unit);
  out += code;
}

// The next code point of `text` from `at`, moving `at` past it; U+FFFD for a byte that does
// not start a whole, shortest UTF-8 sequence.
char32_t NextCodePoint(std::string_view text, size_t& at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  int length = lead < 0x80         ? 1
               : (lead >> 5) == 6  ? 2
               : (lead >> 4) == 14 ? 3
               : (lead >> 3) == 30 ? 4
                                   : 0;
  if (length == 0 || at + length > text.size()) {
    ++at;
    return 0xFFFD;
  }
  char32_t code = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) {
      ++at;
      return 0xFFFD;
    }
    code = (code << 6) | (byte(at + i) & 0x3F);
  }
  static const char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  at += length;
  if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
    return 0xFFFD;
  return code;
}

} // namespace

namespace {

std::string Literal(std::string_view utf8, bool ascii) {
  std::string out = "\"";
  for (size_t at = 0; at < utf8.size();) {
    const char32_t code = NextCodePoint(utf8, at);
    if (code == '"' || code == '\\') {
      out += '\\';
      out += static_cast<char>(code);
    } else if (code == '\n') {
      out += "\\n";
    } else if (code >= 0x20 && code < 0x7F && code != '<' && code != '>' && code != '&') {
      out += static_cast<char>(code);
    } else if (!ascii && code >= 0x80 && code != 0x2028 && code != 0x2029 && code != 0xFFFD) {
      const size_t length = code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
      out.append(utf8.substr(at - length, length));
    } else if (code > 0xFFFF) {
      const char32_t rest = code - 0x10000;
      Escape(out, 0xD800 + static_cast<unsigned>(rest >> 10));
      Escape(out, 0xDC00 + static_cast<unsigned>(rest & 0x3FF));
    } else {
      Escape(out, static_cast<unsigned>(code));
    }
  }
  return out + "\"";
}

} // namespace

std::string JsonString(std::string_view utf8) {
  return Literal(utf8, true);
}

std::string JsonUtf8String(std::string_view utf8) {
  return Literal(utf8, false);
}

} // namespace quarbel
