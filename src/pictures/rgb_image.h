#pragma once

#include <cstdint>
#include <vector>

namespace quarbel {

// A full-colour picture: three bytes per pixel (red, green, blue), rows top to bottom
// with no padding between them, so `pixels` holds width * height * 3 bytes.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
};

} // namespace quarbel
