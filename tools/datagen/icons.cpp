#include "icons.h"

namespace datagen {
namespace {

constexpr Rgba kPaperEdge{120, 128, 140};
constexpr Rgba kPaper{255, 255, 255};
constexpr Rgba kFold{214, 219, 226};
constexpr Rgba kTextLine{196, 202, 210};
constexpr Rgba kWhite{255, 255, 255};

} // namespace

Canvas DocumentTypeIcon(const std::string& label, Rgba band) {
  Canvas c(64, 64);
  // The sheet with its top right corner folded over.
  const Shape sheet = Polygon({{12, 3}, {42, 3}, {54, 15}, {54, 61}, {12, 61}});
  const Shape inner = Polygon({{14, 5}, {41.2, 5}, {52, 15.8}, {52, 59}, {14, 59}});
  c.Fill(sheet, kPaperEdge);
  c.Fill(inner, kPaper);
  c.Fill(Polygon({{41, 4}, {53, 16}, {41, 16}}), kFold);
  c.Fill(Polygon({{41, 3}, {42.5, 3}, {42.5, 15}, {54, 15}, {54, 16.5}, {41, 16.5}}), kPaperEdge);
  // Lines of text above and below the band.
  for (int y : {10, 15, 20})
    c.Fill(Rect(18, y, y < 16 ? 38 : 48, y + 2), kTextLine);
  for (int y : {52, 56})
    c.Fill(Rect(18, y, 48, y + 1.5), kTextLine);
  // The band with the kind's name, wider than the sheet so it reads at a glance.
  c.Fill(RoundedRect(4, 26, 60, 48, 4), band);
  const int scale = 2;
  const int width = Canvas::TextWidth(label, scale);
  c.Text(label, 32 - width / 2, 30, scale, kWhite);
  return c;
}

Canvas ApplicationIcon(int size) {
  Canvas c(size, size);
  const double factor = size / 128.0;
  const auto fill = [&](const Shape& shape, Rgba colour) { c.Fill(Scaled(shape, factor), colour); };
  // packaging/org.quarbel.Vorizareda.svg draws the same shapes: change both together.
  constexpr Rgba kCover{31, 78, 121};
  constexpr Rgba kPage{250, 248, 240};
  constexpr Rgba kLine{160, 170, 185};
  fill(RoundedRect(8, 20, 120, 112, 10), kCover);
  fill(Polygon({{16, 26}, {62, 32}, {62, 104}, {16, 98}}), kPage);
  fill(Polygon({{66, 32}, {112, 26}, {112, 98}, {66, 104}}), kPage);
  for (int i = 0; i < 5; ++i) {
    const double y = 44 + i * 11;
    fill(Polygon({{22, y}, {56, y + 3}, {56, y + 5}, {22, y + 2}}), kLine);
    fill(Polygon({{72, y + 3}, {106, y}, {106, y + 2}, {72, y + 5}}), kLine);
  }
  fill(Circle(96, 96, 20), Rgba{242, 193, 78});
  fill(TextShape("E", 90, 89, 2), kCover);
  return c;
}

Canvas HomeIcon() {
  Canvas c(48, 48);
  constexpr Rgba kRoof{178, 34, 34};
  constexpr Rgba kRoofEdge{120, 20, 20};
  constexpr Rgba kWall{250, 236, 204};
  constexpr Rgba kWallEdge{140, 100, 60};
  constexpr Rgba kDoor{139, 90, 43};
  constexpr Rgba kWindow{100, 170, 230};
  constexpr Rgba kChimney{150, 60, 50};
  c.Fill(Rect(32, 6, 38, 18), kChimney);
  c.Fill(Rect(9, 21, 39, 44), kWallEdge);
  c.Fill(Rect(11, 22, 37, 42), kWall);
  c.Fill(Polygon({{2, 24}, {24, 3}, {46, 24}, {41, 24}, {24, 9}, {7, 24}}), kRoofEdge);
  c.Fill(Polygon({{4, 22}, {24, 4}, {44, 22}, {40.5, 22}, {24, 7.5}, {7.5, 22}}), kRoof);
  c.Fill(Polygon({{9, 22}, {24, 9}, {39, 22}}), kRoof);
  c.Fill(Rect(15, 28, 23, 42), kDoor);
  c.Fill(Rect(21, 34, 22, 36), kWall);
  c.Fill(Rect(27, 27, 35, 35), kWallEdge);
  c.Fill(Rect(28, 28, 34, 34), kWindow);
  c.Fill(Rect(30.5, 28, 31.5, 34), kWall);
  c.Fill(Rect(28, 30.5, 34, 31.5), kWall);
  c.Fill(Rect(4, 42, 44, 45), Rgba{90, 140, 60});
  return c;
}

Canvas ArrowIcon(bool forward) {
  Canvas c(32, 32);
  constexpr Rgba kRing{30, 80, 150};
  constexpr Rgba kDisc{60, 130, 210};
  c.Fill(Circle(16, 16, 15), kRing);
  c.Fill(Circle(16, 16, 13.5), kDisc);
  std::vector<std::pair<double, double>> arrow = {{9, 16},  {17, 8},  {17, 13}, {24, 13},
                                                  {24, 19}, {17, 19}, {17, 24}};
  if (forward) {
    for (auto& [x, y] : arrow)
      x = 32 - x;
  }
  c.Fill(Polygon(arrow), kWhite);
  return c;
}

Canvas ExpanderIcon(bool plus) {
  Canvas c(10, 10);
  constexpr Rgba kBorder{110, 120, 135};
  constexpr Rgba kInk{30, 40, 60};
  c.Fill(Rect(0, 0, 10, 10), kBorder);
  c.Fill(Rect(1, 1, 9, 9), kWhite);
  c.Fill(Rect(2, 4, 8, 6), kInk);
  if (plus)
    c.Fill(Rect(4, 2, 6, 8), kInk);
  return c;
}

} // namespace datagen
