#include "text/text_case.h"

namespace quarbel {

std::string UpperCaseText(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'a' && b <= 'z') || b >= 0xE0)
      c = static_cast<char>(b - 32);
  }
  return out;
}

std::string LowerCaseText(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDF))
      c = static_cast<char>(b + 32);
  }
  return out;
}

std::string FoldCaseText(std::string_view text) {
  std::string out = LowerCaseText(text);
  for (char& c : out) {
    switch (static_cast<unsigned char>(c)) {
    case 0xB2: c = static_cast<char>(0xB3); break; // І
    case 0xAF: c = static_cast<char>(0xBF); break; // Ї
    case 0xAA: c = static_cast<char>(0xBA); break; // Є
    case 0xA5: c = static_cast<char>(0xB4); break; // Ґ
    case 0xA1: c = static_cast<char>(0xA2); break; // Ў
    case 0xA8: c = static_cast<char>(0xB8); break; // Ё
    default: break;
    }
  }
  return out;
}

int LastPos(std::string_view sub, std::string_view text) {
  if (sub.empty())
    return 0;
  const size_t at = text.rfind(sub);
  return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

} // namespace quarbel
