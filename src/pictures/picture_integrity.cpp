#include "pictures/picture_integrity.h"

namespace quarbel {
namespace {

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

} // namespace

bool PictureBytesAreWhole(std::string_view bytes) {
  if (StartsWith(bytes, "\x89PNG\r\n\x1A\n")) {
    static constexpr std::string_view kEnd("\0\0\0\0IEND\xAE\x42\x60\x82", 12);
    return bytes.size() >= 8 + kEnd.size() && bytes.substr(bytes.size() - kEnd.size()) == kEnd;
  }
  if (StartsWith(bytes, "\xFF\xD8\xFF")) {
    // Some writers pad after the end marker; it must stand near the end.
    const size_t end = bytes.rfind("\xFF\xD9");
    return end != std::string_view::npos && end > 2 && bytes.size() - end <= 1024;
  }
  if (StartsWith(bytes, "GIF87a") || StartsWith(bytes, "GIF89a"))
    return bytes.size() > 13 && bytes.back() == '\x3B';
  return !bytes.empty();
}

} // namespace quarbel
