#include "wordproc/helper_protocol.h"

#include "text/percent_encoding.h"

namespace quarbel {

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
  return PercentDecoded(field);
}

} // namespace quarbel
