#pragma once

#include "pictures/indexed_image.h"

#include <string>

namespace quarbel {

// GIF89a bytes of an indexed picture (with a transparent colour when it has one).
// Throws std::invalid_argument for an inconsistent picture and std::runtime_error when
// the GIF library fails.
std::string EncodeGif(const IndexedImage& image);

} // namespace quarbel
