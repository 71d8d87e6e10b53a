#pragma once

#include "pictures/indexed_image.h"
#include "pictures/rgb_image.h"

namespace quarbel {

// The picture in at most 256 colours, ready for a GIF. A picture of 256 colours or fewer
// keeps every pixel's colour exactly (the palette is those colours in ascending RGB
// order). A picture of more colours gets a palette chosen by median cut and each pixel
// takes the palette colour nearest to its own, without dithering. A picture without
// pixels gives one black palette colour. The result depends on the pixels alone.
// Throws std::invalid_argument when the pixel bytes do not match the size.
IndexedImage QuantiseColours(const RgbImage& image);

} // namespace quarbel
