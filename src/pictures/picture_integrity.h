#pragma once

#include <string_view>

namespace quarbel {

// Whether a picture file's bytes are whole: a PNG that reaches its IEND chunk, a JPEG that
// reaches its end marker, a GIF that reaches its trailer. A picture cut short (a full disk,
// a size limit) fails; bytes of another kind pass when there are any.
bool PictureBytesAreWhole(std::string_view bytes);

} // namespace quarbel
