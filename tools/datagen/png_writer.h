#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace datagen {

// PNG bytes of an 8-bit RGBA picture (rows top to bottom).
std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& rgba);

} // namespace datagen
