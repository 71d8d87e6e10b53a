#pragma once

#include "pictures/rgb_image.h"

#include <string>

namespace quarbel {

// Baseline JPEG bytes of a full-colour picture at its full size. `quality` runs from 1
// (smallest file) to 100 (best picture); values outside are brought to the nearer end.
// Throws quarbel::Error when the JPEG library cannot write the picture (one without
// pixels among them) and std::invalid_argument when the pixel bytes do not match the size.
std::string EncodeJpeg(const RgbImage& image, int quality);

} // namespace quarbel
