#include "pictures/colour_quantiser.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <stdexcept>
#include <unordered_map>

namespace quarbel {
namespace {

constexpr std::size_t kMaxColours = 256;

// The histogram keeps 5 bits of each channel: 32 * 32 * 32 cells.
constexpr int kCellBits = 5;
constexpr int kCellSide = 1 << kCellBits;
constexpr int kCellCount = kCellSide * kCellSide * kCellSide;

std::uint32_t PackedColour(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
}

RgbColor UnpackedColour(std::uint32_t packed) {
  return RgbColor{static_cast<std::uint8_t>(packed >> 16), static_cast<std::uint8_t>(packed >> 8),
                  static_cast<std::uint8_t>(packed)};
}

int CellOf(const std::uint8_t* p) {
  constexpr int shift = 8 - kCellBits;
  return ((p[0] >> shift) << (2 * kCellBits)) | ((p[1] >> shift) << kCellBits) | (p[2] >> shift);
}

// The cell's position along channel 0 (red), 1 (green) or 2 (blue).
int CellCoordinate(int cell, int channel) {
  return (cell >> ((2 - channel) * kCellBits)) & (kCellSide - 1);
}

// What the histogram knows about the pixels of one cell or of a set of cells: how many
// there are and the sums of their channels and of the channels' squares.
struct Tally {
  std::uint64_t count = 0;
  std::array<std::uint64_t, 3> sum{};
  std::array<std::uint64_t, 3> squares{};

  void add(const Tally& other) {
    count += other.count;
    for (int c = 0; c < 3; ++c) {
      sum[c] += other.sum[c];
      squares[c] += other.squares[c];
    }
  }

  double variance(int channel) const {
    const double mean = static_cast<double>(sum[channel]) / static_cast<double>(count);
    return static_cast<double>(squares[channel]) / static_cast<double>(count) - mean * mean;
  }

  // Sum of squared distances of the pixels from their mean colour.
  double squaredError() const {
    return (variance(0) + variance(1) + variance(2)) * static_cast<double>(count);
  }

  RgbColor mean() const {
    std::array<std::uint8_t, 3> channels{};
    for (int c = 0; c < 3; ++c)
      channels[c] = static_cast<std::uint8_t>((sum[c] + count / 2) / count);
    return RgbColor{channels[0], channels[1], channels[2]};
  }
};

// A box of median cut: the non-empty histogram cells it holds and their pixels together.
struct Box {
  std::vector<int> cells;
  Tally tally;
  double error = 0; // squaredError() of the tally; -1 for a box that cannot be split
};

Box MakeBox(std::vector<int> cells, const std::vector<Tally>& histogram) {
  Box box;
  box.cells = std::move(cells);
  for (const int cell : box.cells)
    box.tally.add(histogram[cell]);
  box.error = box.cells.size() > 1 ? box.tally.squaredError() : -1;
  return box;
}

// Splits the box across the channel where its pixels spread the most, at the plane that
// puts about half of its pixels on either side. Returns false when every cell of the box
// sits on one plane of every channel, which only happens for a box of one cell.
bool SplitBox(Box& box, const std::vector<Tally>& histogram, Box& upper) {
  int axis = -1;
  double widest = -1;
  for (int c = 0; c < 3; ++c) {
    const auto [low, high] =
        std::minmax_element(box.cells.begin(), box.cells.end(), [c](int a, int b) {
          return CellCoordinate(a, c) < CellCoordinate(b, c);
        });
    if (CellCoordinate(*low, c) == CellCoordinate(*high, c))
      continue;
    const double spread = box.tally.variance(c);
    if (spread > widest) {
      widest = spread;
      axis = c;
    }
  }
  if (axis < 0)
    return false;

  std::vector<int>& cells = box.cells;
  std::sort(cells.begin(), cells.end(), [axis](int a, int b) {
    const int ca = CellCoordinate(a, axis), cb = CellCoordinate(b, axis);
    return ca != cb ? ca < cb : a < b;
  });
  // The cut goes after the plane where the running count reaches half the box, but never
  // after the last plane, so that both halves keep some cells.
  const int lastPlane = CellCoordinate(cells.back(), axis);
  std::uint64_t seen = 0;
  std::size_t cut = 0;
  while (cut < cells.size()) {
    const int plane = CellCoordinate(cells[cut], axis);
    if (plane == lastPlane)
      break;
    while (cut < cells.size() && CellCoordinate(cells[cut], axis) == plane)
      seen += histogram[cells[cut++]].count;
    if (2 * seen >= box.tally.count)
      break;
  }
  if (cut == 0 || cut == cells.size())
    return false; // cannot happen with two planes or more, kept as a guard

  upper = MakeBox(std::vector<int>(cells.begin() + cut, cells.end()), histogram);
  cells.resize(cut);
  box = MakeBox(std::move(cells), histogram);
  return true;
}

IndexedImage ExactColours(const RgbImage& image, std::unordered_map<std::uint32_t, int>& slots) {
  IndexedImage out;
  out.width = image.width;
  out.height = image.height;
  std::vector<std::uint32_t> colours;
  colours.reserve(slots.size());
  for (const auto& entry : slots)
    colours.push_back(entry.first);
  std::sort(colours.begin(), colours.end());
  out.palette.reserve(colours.size());
  for (std::size_t i = 0; i < colours.size(); ++i) {
    out.palette.push_back(UnpackedColour(colours[i]));
    slots[colours[i]] = static_cast<int>(i);
  }

  const std::size_t count = image.pixels.size() / 3;
  out.pixels.resize(count);
  std::uint32_t previous = std::numeric_limits<std::uint32_t>::max();
  std::uint8_t previousIndex = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t colour = PackedColour(&image.pixels[3 * i]);
    if (colour != previous) {
      previous = colour;
      previousIndex = static_cast<std::uint8_t>(slots.find(colour)->second);
    }
    out.pixels[i] = previousIndex;
  }
  return out;
}

IndexedImage MedianCut(const RgbImage& image) {
  const std::size_t count = image.pixels.size() / 3;
  std::vector<Tally> histogram(kCellCount);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* p = &image.pixels[3 * i];
    Tally& cell = histogram[CellOf(p)];
    ++cell.count;
    for (int c = 0; c < 3; ++c) {
      cell.sum[c] += p[c];
      cell.squares[c] += std::uint32_t{p[c]} * p[c];
    }
  }

  std::vector<int> used;
  for (int cell = 0; cell < kCellCount; ++cell) {
    if (histogram[cell].count != 0)
      used.push_back(cell);
  }
  std::vector<Box> boxes;
  boxes.reserve(kMaxColours);
  boxes.push_back(MakeBox(std::move(used), histogram));
  // Always split the box whose pixels lie farthest from its mean colour (the first such
  // box on a tie); a box of one cell stays as it is.
  while (boxes.size() < kMaxColours) {
    std::size_t worst = 0;
    for (std::size_t i = 1; i < boxes.size(); ++i) {
      if (boxes[i].error > boxes[worst].error)
        worst = i;
    }
    if (boxes[worst].error < 0)
      break;
    Box upper;
    if (!SplitBox(boxes[worst], histogram, upper)) {
      boxes[worst].error = -1;
      continue;
    }
    boxes.push_back(std::move(upper));
  }

  IndexedImage out;
  out.width = image.width;
  out.height = image.height;
  for (const Box& box : boxes)
    out.palette.push_back(box.tally.mean());

  // Every cell takes the palette colour nearest to the mean of its own pixels.
  std::vector<std::uint8_t> nearest(kCellCount, 0);
  for (int cell = 0; cell < kCellCount; ++cell) {
    if (histogram[cell].count == 0)
      continue;
    const RgbColor mean = histogram[cell].mean();
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < out.palette.size(); ++i) {
      const RgbColor& colour = out.palette[i];
      const int dr = int{mean.r} - colour.r, dg = int{mean.g} - colour.g,
                db = int{mean.b} - colour.b;
      const int distance = dr * dr + dg * dg + db * db;
      if (distance < bestDistance) {
        bestDistance = distance;
        best = static_cast<int>(i);
      }
    }
    nearest[cell] = static_cast<std::uint8_t>(best);
  }
  out.pixels.resize(count);
  for (std::size_t i = 0; i < count; ++i)
    out.pixels[i] = nearest[CellOf(&image.pixels[3 * i])];
  return out;
}

} // namespace

IndexedImage QuantiseColours(const RgbImage& image) {
  if (image.width < 0 || image.height < 0 ||
      image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 3)
    throw std::invalid_argument("RGB picture bytes do not match its size");
  if (image.pixels.empty()) {
    IndexedImage out;
    out.width = image.width;
    out.height = image.height;
    out.palette.push_back(RgbColor{});
    return out;
  }

  // Gather the distinct colours until there are too many to keep them all.
  std::unordered_map<std::uint32_t, int> slots;
  std::uint32_t previous = std::numeric_limits<std::uint32_t>::max();
  for (std::size_t i = 0; i < image.pixels.size() && slots.size() <= kMaxColours; i += 3) {
    const std::uint32_t colour = PackedColour(&image.pixels[i]);
    if (colour != previous) {
      previous = colour;
      slots.emplace(colour, 0);
    }
  }
  return slots.size() <= kMaxColours ? ExactColours(image, slots) : MedianCut(image);
}

} // namespace quarbel
