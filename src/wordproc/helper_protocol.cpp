#include "wordproc/helper_protocol.h"

namespace quarbel {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  return -1;
}

} // namespace

std::string EncodeHelperField(std::string_view bytes) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F || c == '%') {
      out += '%';
      out += hex[b >> 4];
      out += hex[b & 15];
    } else {
      out += c;
    }
  }
  return out;
}

std::string DecodeHelperField(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '%' && i + 2 < field.size() && HexValue(field[i + 1]) >= 0 &&
        HexValue(field[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(field[i + 1]) * 16 + HexValue(field[i + 2]));
      i += 2;
    } else {
      out += field[i];
    }
  }
  return out;
}

} // namespace quarbel
