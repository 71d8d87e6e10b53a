#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quarbel {

enum class PictureFormat { Gif, Png, Jpeg, Bmp };

// The picture format a file's first bytes name: "GIF87a" or "GIF89a", the PNG signature,
// FF D8 FF for JPEG, "BM" for BMP. Nothing for any other file.
std::optional<PictureFormat> PictureFormatOf(std::string_view bytes);

// The refusal of a file chosen as an icon that is not a picture, naming it (Windows-1251).
std::string NotAnIconPictureText(std::string_view fileName);

} // namespace quarbel
