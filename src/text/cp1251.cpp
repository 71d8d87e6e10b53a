#include "text/cp1251.h"

#include "text/utf8.h"

#include <array>
#include <stdexcept>
#include <unordered_map>

namespace quarbel {
namespace {

// Code points of the bytes 0x80..0xFF of Windows-1251.
constexpr std::array<char16_t, 128> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, //
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, //
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, //
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, //
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, //
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, //
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, //
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, //
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, //
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, //
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, //
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, //
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, //
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, //
};

// Code points of the bytes 0x80..0xFF of KOI8-R.
constexpr std::array<char16_t, 128> kKoi8rHigh = {
    0x2500, 0x2502, 0x250C, 0x2510, 0x2514, 0x2518, 0x251C, 0x2524, //
    0x252C, 0x2534, 0x253C, 0x2580, 0x2584, 0x2588, 0x258C, 0x2590, //
    0x2591, 0x2592, 0x2593, 0x2320, 0x25A0, 0x2219, 0x221A, 0x2248, //
    0x2264, 0x2265, 0x00A0, 0x2321, 0x00B0, 0x00B2, 0x00B7, 0x00F7, //
    0x2550, 0x2551, 0x2552, 0x0451, 0x2553, 0x2554, 0x2555, 0x2556, //
    0x2557, 0x2558, 0x2559, 0x255A, 0x255B, 0x255C, 0x255D, 0x255E, //
    0x255F, 0x2560, 0x2561, 0x0401, 0x2562, 0x2563, 0x2564, 0x2565, //
    0x2566, 0x2567, 0x2568, 0x2569, 0x256A, 0x256B, 0x256C, 0x00A9, //
    0x044E, 0x0430, 0x0431, 0x0446, 0x0434, 0x0435, 0x0444, 0x0433, //
    0x0445, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, //
    0x043F, 0x044F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0436, 0x0432, //
    0x044C, 0x044B, 0x0437, 0x0448, 0x044D, 0x0449, 0x0447, 0x044A, //
    0x042E, 0x0410, 0x0411, 0x0426, 0x0414, 0x0415, 0x0424, 0x0413, //
    0x0425, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, //
    0x041F, 0x042F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0416, 0x0412, //
    0x042C, 0x042B, 0x0417, 0x0428, 0x042D, 0x0429, 0x0427, 0x042A, //
};

const std::unordered_map<char32_t, unsigned char>& Cp1251ByCodePoint() {
  static const auto* map = [] {
    auto* m = new std::unordered_map<char32_t, unsigned char>;
    for (int i = 0; i < 128; ++i)
      m->emplace(kCp1251High[i], static_cast<unsigned char>(0x80 + i));
    return m;
  }();
  return *map;
}

// For every Windows-1251 byte: its KOI8-R byte, or 0 when KOI8-R has no such character.
const std::array<unsigned char, 256>& Koi8rByCp1251() {
  static const std::array<unsigned char, 256> table = [] {
    std::array<unsigned char, 256> t{};
    for (int b = 0; b < 128; ++b)
      t[b] = static_cast<unsigned char>(b);
    for (int b = 128; b < 256; ++b) {
      for (int k = 0; k < 128; ++k) {
        if (kKoi8rHigh[k] == kCp1251High[b - 128]) {
          t[b] = static_cast<unsigned char>(0x80 + k);
          break;
        }
      }
    }
    return t;
  }();
  return table;
}

constexpr char32_t kInvalid = kInvalidUtf8;

// Walks `utf8`, calling fit(byte) for characters Windows-1251 holds and misfit(codePoint)
// for the others (kInvalid for a broken sequence). Stops early when a callback says so.
template <typename Fit, typename Misfit>
bool ForEachCp1251(std::string_view utf8, Fit fit, Misfit misfit) {
  const auto& map = Cp1251ByCodePoint();
  size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t cp = DecodeUtf8(utf8, pos);
    if (cp < 0x80) {
      fit(static_cast<unsigned char>(cp));
      continue;
    }
    const auto it = cp == kInvalid ? map.end() : map.find(cp);
    if (it != map.end()) {
      fit(it->second);
    } else if (!misfit(cp)) {
      return false;
    }
  }
  return true;
}

void AppendReference(std::string& out, char32_t cp) {
  out += "&#";
  out += std::to_string(static_cast<unsigned long>(cp));
  out += ';';
}

} // namespace

char32_t UnicodeOfCp1251(unsigned char byte) {
  return byte < 0x80 ? byte : kCp1251High[byte - 0x80];
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string Utf8FromCp1251(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (const char c : text)
    AppendUtf8(out, UnicodeOfCp1251(static_cast<unsigned char>(c)));
  return out;
}

std::optional<std::string> TryCp1251FromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  const bool ok = ForEachCp1251(
      utf8, [&](unsigned char b) { out += static_cast<char>(b); }, [](char32_t) { return false; });
  if (!ok)
    return std::nullopt;
  return out;
}

std::string Cp1251FromUtf8(std::string_view utf8) {
  auto text = TryCp1251FromUtf8(utf8);
  if (!text)
    throw std::invalid_argument("text does not fit Windows-1251: " + std::string(utf8));
  return std::move(*text);
}

std::string Cp1251FromUtf8Replacing(std::string_view utf8, std::string (*replacement)(char32_t)) {
  std::string out;
  out.reserve(utf8.size());
  ForEachCp1251(
      utf8, [&](unsigned char b) { out += static_cast<char>(b); },
      [&](char32_t cp) {
        out += replacement(cp == kInvalid ? 0xFFFD : cp);
        return true;
      });
  return out;
}

std::string Cp1251FromUtf8WithReferences(std::string_view utf8) {
  return Cp1251FromUtf8Replacing(utf8, [](char32_t cp) {
    std::string reference;
    AppendReference(reference, cp);
    return reference;
  });
}

std::string Utf8FromCp1251WithReferences(std::string_view text) {
  std::string utf8 = Utf8FromCp1251(text);
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (utf8.compare(i, 2, "&#") == 0) {
      size_t end = i + 2;
      char32_t cp = 0;
      while (end < utf8.size() && end - i < 10 && utf8[end] >= '0' && utf8[end] <= '9')
        cp = cp * 10 + static_cast<char32_t>(utf8[end++] - '0');
      std::string character;
      AppendUtf8(character, cp);
      // Only what the code page cannot hold came in as a reference.
      if (end > i + 2 && end < utf8.size() && utf8[end] == ';' && cp <= 0x10FFFF &&
          !TryCp1251FromUtf8(character)) {
        out += character;
        i = end;
        continue;
      }
    }
    out += utf8[i];
  }
  return out;
}

std::string Cp1251FromUtf8Lossy(std::string_view utf8) {
  return Cp1251FromUtf8Replacing(utf8, [](char32_t) { return std::string("?"); });
}

std::string Koi8rFromCp1251(std::string_view text) {
  const auto& table = Koi8rByCp1251();
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (table[b] != 0 || b == 0)
      out += static_cast<char>(table[b]);
    else
      AppendReference(out, UnicodeOfCp1251(b));
  }
  return out;
}

std::string Cp1251FromKoi8r(std::string_view koi8r) {
  std::string utf8;
  utf8.reserve(koi8r.size() * 2);
  for (const char c : koi8r) {
    const auto b = static_cast<unsigned char>(c);
    AppendUtf8(utf8, b < 0x80 ? b : kKoi8rHigh[b - 0x80]);
  }
  return Cp1251FromUtf8WithReferences(utf8);
}

} // namespace quarbel
