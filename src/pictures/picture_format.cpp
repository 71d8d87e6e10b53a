#include "pictures/picture_format.h"

#include "text/cp1251.h"

namespace quarbel {

std::optional<PictureFormat> PictureFormatOf(std::string_view bytes) {
  const auto startsWith = [bytes](std::string_view head) {
    return bytes.substr(0, head.size()) == head;
  };
  if (startsWith("GIF87a") || startsWith("GIF89a"))
    return PictureFormat::Gif;
  if (startsWith(std::string_view("\x89PNG\r\n\x1A\n", 8)))
    return PictureFormat::Png;
  if (startsWith("\xFF\xD8\xFF"))
    return PictureFormat::Jpeg;
  if (startsWith("BM"))
    return PictureFormat::Bmp;
  return std::nullopt;
}

std::string NotAnIconPictureText(std::string_view fileName) {
  return Cp1251FromUtf8("Файл \"") + std::string(fileName) +
         Cp1251FromUtf8(
             "\" не є малюнком: значок може бути лише малюнком GIF, PNG, JPEG або BMP !");
}

} // namespace quarbel
