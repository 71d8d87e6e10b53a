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

int LastPos(std::string_view sub, std::string_view text) {
  if (sub.empty())
    return 0;
  const size_t at = text.rfind(sub);
  return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

} // namespace quarbel
