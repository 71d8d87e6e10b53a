#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace quarbel {

struct RgbColor {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const RgbColor&) const = default;
};

// A picture of at most 256 colours: one palette index per pixel, rows top to bottom.
struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<RgbColor> palette;       // 1..256 colours
  std::vector<std::uint8_t> pixels;    // width * height indices into the palette
  std::optional<int> transparentIndex; // palette entry that shows as see-through
};

} // namespace quarbel
