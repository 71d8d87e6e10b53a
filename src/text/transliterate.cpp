#include "text/transliterate.h"

#include <array>

namespace quarbel {
namespace {

// Latin spelling of the small letters а..я (bytes 0xE0..0xFF) and of their capitals
// (0xC0..0xDF), in alphabet order.
constexpr std::array<const char*, 32> kSmall = {
    "a", "b", "v", "g", "d", "e", "zh", "z",  "i",  "j",    "k", "l", "m", "n", "o",  "p",
    "r", "s", "t", "u", "f", "x", "cz", "ch", "sh", "shch", "_", "y", "_", "e", "yu", "ya"};
constexpr std::array<const char*, 32> kCapital = {
    "A", "B", "V", "G", "D", "E", "Zh", "Z",  "I",  "J",    "K", "L", "M", "N", "O",  "P",
    "R", "S", "T", "U", "F", "X", "Cz", "Ch", "Sh", "Shch", "_", "Y", "_", "E", "Yu", "Ya"};

const char* LatinOf(unsigned char b) {
  if (b >= 0xE0)
    return kSmall[b - 0xE0];
  if (b >= 0xC0)
    return kCapital[b - 0xC0];
  switch (b) {
  case 0xB8: return "yo"; // ё
  case 0xA8: return "Yo"; // Ё
  case 0xBF: return "yi"; // ї
  case 0xAF: return "yi"; // Ї
  case 0xB3: return "i";  // і
  case 0xB2: return "i";  // І
  case 0xBA: return "ye"; // є
  case 0xAA: return "ye"; // Є
  default: return nullptr;
  }
}

} // namespace

std::string Transliterate(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (const char c : text) {
    if (const char* latin = LatinOf(static_cast<unsigned char>(c)))
      out += latin;
    else
      out += c;
  }
  return out;
}

} // namespace quarbel
