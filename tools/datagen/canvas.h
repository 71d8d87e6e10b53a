#pragma once

#include "pictures/indexed_image.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A small anti-aliased painter for the program's own icons.
namespace datagen {

struct Rgba {
  std::uint8_t r, g, b, a = 255;
};

// A shape is the set of points (x, y) for which it answers true; pixel (i, j) covers the
// square [i, i+1) x [j, j+1).
using Shape = std::function<bool(double x, double y)>;

Shape Rect(double x0, double y0, double x1, double y1);
Shape RoundedRect(double x0, double y0, double x1, double y1, double radius);
Shape Circle(double cx, double cy, double radius);
Shape Polygon(std::vector<std::pair<double, double>> points);
Shape Minus(Shape a, Shape b);
// `shape` drawn `factor` times larger, about the origin.
Shape Scaled(Shape shape, double factor);
// Text in the built-in 5 x 7 pixel font as a shape: each font pixel a square `scale` wide,
// the top left corner at (x, y).
Shape TextShape(const std::string& text, double x, double y, double scale);

class Canvas {
public:
  Canvas(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }

  // Paints `shape` with `colour` over what is there, sampling each pixel 4 x 4 times.
  void Fill(const Shape& shape, Rgba colour);

  // Draws text in the built-in 5 x 7 pixel font, each font pixel `scale` pixels wide,
  // with its top left corner at (x, y). Returns the width drawn.
  int Text(const std::string& text, int x, int y, int scale, Rgba colour);
  static int TextWidth(const std::string& text, int scale);

  // Straight RGBA bytes, rows top to bottom.
  std::vector<std::uint8_t> Rgba8() const;

  // The picture for a GIF: pixels less than half covered become the transparent colour,
  // the others keep their colour. Throws when more than 255 colours remain.
  quarbel::IndexedImage Indexed() const;

private:
  int width_;
  int height_;
  std::vector<float> pixels_; // premultiplied r, g, b, a in 0..1
};

} // namespace datagen
