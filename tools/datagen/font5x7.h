#pragma once

#include <array>

namespace datagen {

// One character of a 5 x 7 pixel font: seven rows of five cells, '#' for ink.
using Glyph = std::array<const char*, 7>;

// The glyph of a character; a blank glyph for characters the font lacks.
const Glyph& GlyphOf(char c);

} // namespace datagen
