#include "canvas.h"

#include "font5x7.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <tuple>

namespace datagen {

Shape Rect(double x0, double y0, double x1, double y1) {
  return [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; };
}

Shape RoundedRect(double x0, double y0, double x1, double y1, double r) {
  return [=](double x, double y) {
    if (x < x0 || x >= x1 || y < y0 || y >= y1)
      return false;
    const double cx = std::clamp(x, x0 + r, x1 - r);
    const double cy = std::clamp(y, y0 + r, y1 - r);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
  };
}

Shape Circle(double cx, double cy, double r) {
  return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

Shape Polygon(std::vector<std::pair<double, double>> points) {
  return [points = std::move(points)](double x, double y) {
    bool inside = false;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      const auto [xi, yi] = points[i];
      const auto [xj, yj] = points[j];
      if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
        inside = !inside;
    }
    return inside;
  };
}

Shape Minus(Shape a, Shape b) {
  return [=](double x, double y) { return a(x, y) && !b(x, y); };
}

Shape Scaled(Shape shape, double factor) {
  return [=](double x, double y) { return shape(x / factor, y / factor); };
}

Shape TextShape(const std::string& text, double x, double y, double scale) {
  std::vector<Shape> cells;
  double cursor = x;
  for (const char c : text) {
    const Glyph& glyph = GlyphOf(c);
    for (int row = 0; row < 7; ++row) {
      for (int col = 0; col < 5; ++col) {
        if (glyph[row][col] != ' ')
          cells.push_back(Rect(cursor + col * scale, y + row * scale, cursor + (col + 1) * scale,
                               y + (row + 1) * scale));
      }
    }
    cursor += 6 * scale;
  }
  return [cells = std::move(cells)](double px, double py) {
    return std::any_of(cells.begin(), cells.end(), [&](const Shape& s) { return s(px, py); });
  };
}

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height * 4, 0.f) {}

void Canvas::Fill(const Shape& shape, Rgba colour) {
  constexpr int kSamples = 4;
  const float alpha = colour.a / 255.f;
  for (int j = 0; j < height_; ++j) {
    for (int i = 0; i < width_; ++i) {
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          if (shape(i + (sx + 0.5) / kSamples, j + (sy + 0.5) / kSamples))
            ++hits;
        }
      }
      if (hits == 0)
        continue;
      const float cover = alpha * hits / (kSamples * kSamples);
      float* p = &pixels_[(static_cast<size_t>(j) * width_ + i) * 4];
      p[0] = colour.r / 255.f * cover + p[0] * (1 - cover);
      p[1] = colour.g / 255.f * cover + p[1] * (1 - cover);
      p[2] = colour.b / 255.f * cover + p[2] * (1 - cover);
      p[3] = cover + p[3] * (1 - cover);
    }
  }
}

int Canvas::TextWidth(const std::string& text, int scale) {
  return text.empty() ? 0 : static_cast<int>(text.size()) * 6 * scale - scale;
}

int Canvas::Text(const std::string& text, int x, int y, int scale, Rgba colour) {
  int cursor = x;
  for (const char c : text) {
    const Glyph& glyph = GlyphOf(c);
    for (int row = 0; row < 7; ++row) {
      for (int col = 0; col < 5; ++col) {
        if (glyph[row][col] != ' ')
          Fill(Rect(cursor + col * scale, y + row * scale, cursor + (col + 1) * scale,
                    y + (row + 1) * scale),
               colour);
      }
    }
    cursor += 6 * scale;
  }
  return cursor - x - scale;
}

std::vector<std::uint8_t> Canvas::Rgba8() const {
  std::vector<std::uint8_t> out(pixels_.size());
  for (size_t p = 0; p < pixels_.size(); p += 4) {
    const float a = pixels_[p + 3];
    for (int c = 0; c < 3; ++c) {
      const float straight = a > 0 ? pixels_[p + c] / a : 0.f;
      out[p + c] = static_cast<std::uint8_t>(std::lround(std::clamp(straight, 0.f, 1.f) * 255));
    }
    out[p + 3] = static_cast<std::uint8_t>(std::lround(std::clamp(a, 0.f, 1.f) * 255));
  }
  return out;
}

quarbel::IndexedImage Canvas::Indexed() const {
  const std::vector<std::uint8_t> rgba = Rgba8();
  quarbel::IndexedImage image;
  image.width = width_;
  image.height = height_;
  image.palette.push_back({255, 255, 255});
  image.transparentIndex = 0;
  std::map<std::tuple<int, int, int>, std::uint8_t> indexOf;
  for (size_t p = 0; p < rgba.size(); p += 4) {
    if (rgba[p + 3] < 128) {
      image.pixels.push_back(0);
      continue;
    }
    const auto key = std::make_tuple(rgba[p], rgba[p + 1], rgba[p + 2]);
    auto it = indexOf.find(key);
    if (it == indexOf.end()) {
      if (image.palette.size() == 256)
        throw std::runtime_error("icon has more than 255 colours");
      it = indexOf.emplace(key, static_cast<std::uint8_t>(image.palette.size())).first;
      image.palette.push_back({rgba[p], rgba[p + 1], rgba[p + 2]});
    }
    image.pixels.push_back(it->second);
  }
  return image;
}

} // namespace datagen
