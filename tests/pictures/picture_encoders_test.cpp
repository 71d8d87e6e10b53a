#include "pictures/colour_quantiser.h"
#include "pictures/gif_encoder.h"
#include "pictures/jpeg_encoder.h"
#include "text/cp1251.h"
#include "text/error.h"

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>

#include <cstdlib>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>

namespace quarbel {
namespace {

using PixelFunction = std::function<RgbColor(int x, int y)>;

RgbImage MakeImage(int width, int height, const PixelFunction& colour) {
  RgbImage image;
  image.width = width;
  image.height = height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const RgbColor c = colour(x, y);
      image.pixels.insert(image.pixels.end(), {c.r, c.g, c.b});
    }
  }
  return image;
}

// A fixed pseudo-random sequence, the same on every run.
struct Noise {
  std::uint32_t state;
  std::uint8_t next() {
    state = state * 1664525u + 1013904223u;
    return static_cast<std::uint8_t>(state >> 24);
  }
};

RgbImage NoisyImage(int width, int height, std::uint32_t seed) {
  Noise noise{seed};
  return MakeImage(width, height, [&](int, int) {
    return RgbColor{noise.next(), noise.next(), noise.next()};
  });
}

RgbColor PixelOf(const RgbImage& image, std::size_t i) {
  return RgbColor{image.pixels[3 * i], image.pixels[3 * i + 1], image.pixels[3 * i + 2]};
}

std::set<std::tuple<int, int, int>> DistinctColours(const RgbImage& image) {
  std::set<std::tuple<int, int, int>> colours;
  for (std::size_t i = 0; i < image.pixels.size() / 3; ++i) {
    const RgbColor c = PixelOf(image, i);
    colours.emplace(c.r, c.g, c.b);
  }
  return colours;
}

// Checks that the indexed picture is whole and returns it back in full colour.
RgbImage Expand(const IndexedImage& indexed) {
  RgbImage image;
  image.width = indexed.width;
  image.height = indexed.height;
  EXPECT_GE(indexed.palette.size(), 1u);
  EXPECT_LE(indexed.palette.size(), 256u);
  EXPECT_EQ(indexed.pixels.size(), static_cast<std::size_t>(indexed.width) * indexed.height);
  for (const std::uint8_t index : indexed.pixels) {
    if (index >= indexed.palette.size()) {
      ADD_FAILURE() << "index " << int{index} << " outside a palette of " << indexed.palette.size();
      image.pixels.insert(image.pixels.end(), {0, 0, 0});
      continue;
    }
    const RgbColor c = indexed.palette[index];
    image.pixels.insert(image.pixels.end(), {c.r, c.g, c.b});
  }
  return image;
}

double MeanAbsoluteError(const RgbImage& a, const RgbImage& b) {
  if (a.pixels.size() != b.pixels.size() || a.pixels.empty())
    return 1e9;
  double total = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i)
    total += std::abs(int{a.pixels[i]} - int{b.pixels[i]});
  return total / a.pixels.size();
}

TEST(ColourQuantiser, KeepsEveryColourOfAPictureOfAtMost256) {
  struct Case {
    const char* name;
    RgbImage image;
  } cases[] = {
      {"one pixel", MakeImage(1, 1,
                              [](int, int) {
                                return RgbColor{12, 34, 56};
                              })},
      {"one colour", MakeImage(7, 5,
                               [](int, int) {
                                 return RgbColor{255, 255, 255};
                               })},
      {"black and white",
       MakeImage(9, 4,
                 [](int x, int y) {
                   return (x + y) % 2 ? RgbColor{0, 0, 0} : RgbColor{255, 255, 255};
                 })},
      // Neighbours that differ in the lowest bits only, all in one coarse cell.
      {"near colours", MakeImage(8, 8,
                                 [](int x, int y) {
                                   return RgbColor{
                                       static_cast<std::uint8_t>(100 + x % 4),
                                       static_cast<std::uint8_t>(100 + y % 4),
                                       static_cast<std::uint8_t>(100 + (x / 4) * 2 + y / 4)};
                                 })},
      {"exactly 256", MakeImage(32, 16,
                                [](int x, int y) {
                                  const int n = (y * 32 + x) % 256;
                                  return RgbColor{static_cast<std::uint8_t>(n),
                                                  static_cast<std::uint8_t>(255 - n),
                                                  static_cast<std::uint8_t>((n * 37) % 256)};
                                })},
      {"one row", MakeImage(300, 1,
                            [](int x, int) {
                              return RgbColor{static_cast<std::uint8_t>(x % 200), 7, 9};
                            })},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const IndexedImage indexed = QuantiseColours(c.image);
    EXPECT_EQ(indexed.width, c.image.width);
    EXPECT_EQ(indexed.height, c.image.height);
    EXPECT_FALSE(indexed.transparentIndex.has_value());
    // The palette is the picture's colours, each once, in ascending order.
    const auto colours = DistinctColours(c.image);
    ASSERT_EQ(indexed.palette.size(), colours.size());
    std::size_t i = 0;
    for (const auto& [r, g, b] : colours) {
      EXPECT_EQ(indexed.palette[i],
                (RgbColor{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                          static_cast<std::uint8_t>(b)}))
          << "palette entry " << i;
      ++i;
    }
    const RgbImage back = Expand(indexed);
    EXPECT_EQ(back.pixels, c.image.pixels);
  }
}

TEST(ColourQuantiser, ChoosesAtMost256CloseColoursForAPictureOfMore) {
  struct Case {
    const char* name;
    RgbImage image;
    double maxMeanError; // per channel
  } cases[] = {
      // 16384 colours, every pixel its own.
      {"gradient",
       MakeImage(256, 64,
                 [](int x, int y) {
                   return RgbColor{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y * 4),
                                   static_cast<std::uint8_t>((x + y * 4) / 2)};
                 }),
       6},
      // 257 colours, one more than fits.
      {"257 colours",
       MakeImage(257, 3,
                 [](int x, int) {
                   return RgbColor{static_cast<std::uint8_t>(x % 256),
                                   static_cast<std::uint8_t>(x == 256 ? 1 : 0),
                                   static_cast<std::uint8_t>(x / 2)};
                 }),
       3},
      // Two tight clusters far apart with 300 colours each.
      {"two clusters",
       MakeImage(60, 10,
                 [](int x, int y) {
                   const int base = x < 30 ? 20 : 220;
                   return RgbColor{static_cast<std::uint8_t>(base + x % 30 / 3),
                                   static_cast<std::uint8_t>(base + y),
                                   static_cast<std::uint8_t>(base + x % 3)};
                 }),
       2},
      // Colours all over the cube: 256 boxes cannot be close to all of them.
      {"noise", NoisyImage(200, 150, 7), 16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_GT(DistinctColours(c.image).size(), 256u);
    const IndexedImage indexed = QuantiseColours(c.image);
    EXPECT_EQ(indexed.width, c.image.width);
    EXPECT_EQ(indexed.height, c.image.height);
    ASSERT_LE(indexed.palette.size(), 256u);
    const RgbImage back = Expand(indexed);
    EXPECT_LT(MeanAbsoluteError(back, c.image), c.maxMeanError);
  }
}

TEST(ColourQuantiser, LeavesNoPixelFarFromItsColour) {
  // 1024 occupied 5-bit cells in one plane share 256 palette colours: a few cells each, so
  // every pixel lands within about one cell's width of its own colour.
  const RgbImage image = MakeImage(64, 64, [](int x, int y) {
    return RgbColor{static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>(y * 4), 128};
  });
  const RgbImage back = Expand(QuantiseColours(image));
  ASSERT_EQ(back.pixels.size(), image.pixels.size());
  int worst = 0;
  for (std::size_t i = 0; i < image.pixels.size(); ++i)
    worst = std::max(worst, std::abs(int{back.pixels[i]} - int{image.pixels[i]}));
  EXPECT_LE(worst, 8);
}

TEST(ColourQuantiser, GivesTheSameResultEveryTime) {
  const RgbImage images[] = {
      NoisyImage(120, 90, 1), NoisyImage(33, 17, 99), MakeImage(10, 10, [](int x, int y) {
        return RgbColor{static_cast<std::uint8_t>(x * 25), static_cast<std::uint8_t>(y), 3};
      })};
  for (const RgbImage& image : images) {
    const IndexedImage first = QuantiseColours(image);
    const IndexedImage second = QuantiseColours(image);
    EXPECT_EQ(first.palette, second.palette);
    EXPECT_EQ(first.pixels, second.pixels);
  }
}

TEST(ColourQuantiser, GivesOneBlackColourForAPictureWithoutPixels) {
  const IndexedImage indexed = QuantiseColours(RgbImage{});
  EXPECT_EQ(indexed.width, 0);
  EXPECT_EQ(indexed.height, 0);
  EXPECT_EQ(indexed.palette, (std::vector<RgbColor>{RgbColor{0, 0, 0}}));
  EXPECT_TRUE(indexed.pixels.empty());
}

TEST(ColourQuantiser, RejectsPixelBytesThatDoNotMatchTheSize) {
  const RgbImage cases[] = {{2, 2, std::vector<std::uint8_t>(11)},
                            {2, 2, std::vector<std::uint8_t>(13)},
                            {0, 0, std::vector<std::uint8_t>(3)},
                            {-1, -3, std::vector<std::uint8_t>(9)}};
  for (const RgbImage& image : cases) {
    EXPECT_THROW(QuantiseColours(image), std::invalid_argument)
        << image.width << "x" << image.height << " with " << image.pixels.size() << " bytes";
  }
}

struct JpegErrors {
  jpeg_error_mgr base;
  std::jmp_buf back;
};

[[noreturn]] void JumpBack(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegErrors*>(cinfo->err)->back, 1);
}

struct Decoded {
  bool ok = false;
  int width = 0;
  int height = 0;
  int components = 0;
  bool progressive = true;
  std::vector<std::uint8_t> pixels;
};

// Reads JPEG bytes back with the library; `ok` stays false when it cannot. The buffers
// live in the caller's `out`, so nothing needs unwinding after a jump.
void DecodeInto(const std::string& bytes, Decoded& out, jpeg_decompress_struct& cinfo,
                JpegErrors& errors) {
  cinfo.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = JumpBack;
  if (setjmp(errors.back)) {
    jpeg_destroy_decompress(&cinfo);
    out.ok = false;
    return;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  jpeg_read_header(&cinfo, TRUE);
  out.progressive = cinfo.progressive_mode != FALSE;
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  out.width = static_cast<int>(cinfo.output_width);
  out.height = static_cast<int>(cinfo.output_height);
  out.components = cinfo.num_components;
  out.pixels.resize(static_cast<std::size_t>(out.width) * out.height * cinfo.output_components);
  const std::size_t stride = static_cast<std::size_t>(out.width) * cinfo.output_components;
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = out.pixels.data() + cinfo.output_scanline * stride;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  out.ok = true;
}

Decoded Decode(const std::string& bytes) {
  Decoded out;
  jpeg_decompress_struct cinfo{};
  JpegErrors errors{};
  DecodeInto(bytes, out, cinfo, errors);
  return out;
}

// A flat red band of one 16-pixel block column at the left, a smooth blend on the right.
constexpr int kRedBand = 16;

RgbColor BandedColour(int x, int y) {
  if (x < kRedBand)
    return {255, 0, 0};
  return {static_cast<std::uint8_t>(60 + x * 4), static_cast<std::uint8_t>(40 + y * 5), 150};
}

TEST(JpegEncoder, WritesABaselineColourPictureThatReadsBackClose) {
  constexpr int width = 40, height = 30;
  const RgbImage image = MakeImage(width, height, BandedColour);
  const std::string bytes = EncodeJpeg(image, 90);
  ASSERT_GE(bytes.size(), 4u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xD8");
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\xFF\xD9");

  const Decoded decoded = Decode(bytes);
  ASSERT_TRUE(decoded.ok);
  EXPECT_EQ(decoded.width, width);
  EXPECT_EQ(decoded.height, height);
  EXPECT_EQ(decoded.components, 3);
  EXPECT_FALSE(decoded.progressive);
  ASSERT_EQ(decoded.pixels.size(), image.pixels.size());
  // Colours near the edge of the band bleed into each other (the colour planes are kept at
  // half resolution); elsewhere they stay within 8.
  constexpr int margin = 4;
  const RgbImage back{width, height, decoded.pixels};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (std::abs(x - kRedBand) < margin)
        continue;
      const RgbColor expected = BandedColour(x, y);
      const RgbColor got = PixelOf(back, static_cast<std::size_t>(y) * width + x);
      EXPECT_NEAR(got.r, expected.r, 8) << x << "," << y;
      EXPECT_NEAR(got.g, expected.g, 8) << x << "," << y;
      EXPECT_NEAR(got.b, expected.b, 8) << x << "," << y;
    }
  }
}

TEST(JpegEncoder, WritesEveryQualityAndSizeAsBaseline) {
  struct Case {
    int width, height, quality;
  } cases[] = {{1, 1, 90}, {17, 9, 1},    {64, 48, 50}, {33, 65, 100},
               {8, 8, 0},  {5, 300, 150}, {300, 5, 75}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " at " +
                 std::to_string(c.quality));
    const RgbImage image = NoisyImage(c.width, c.height, static_cast<std::uint32_t>(c.quality));
    const Decoded decoded = Decode(EncodeJpeg(image, c.quality));
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.width, c.width);
    EXPECT_EQ(decoded.height, c.height);
    EXPECT_EQ(decoded.components, 3);
    EXPECT_FALSE(decoded.progressive);
  }
}

TEST(JpegEncoder, TradesSizeForQuality) {
  const RgbImage image = MakeImage(64, 64, [](int x, int y) {
    return RgbColor{static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>((x * y) % 256),
                    static_cast<std::uint8_t>(y * 4)};
  });
  const int qualities[] = {10, 50, 90, 100};
  std::size_t previousSize = 0;
  double previousError = 1e9;
  for (const int quality : qualities) {
    SCOPED_TRACE(quality);
    const std::string bytes = EncodeJpeg(image, quality);
    const Decoded decoded = Decode(bytes);
    ASSERT_TRUE(decoded.ok);
    const double error = MeanAbsoluteError(RgbImage{64, 64, decoded.pixels}, image);
    EXPECT_GT(bytes.size(), previousSize);
    EXPECT_LT(error, previousError);
    previousSize = bytes.size();
    previousError = error;
  }
}

TEST(JpegEncoder, ThrowsAUserErrorForAPictureItCannotWrite) {
  const RgbImage cases[] = {{0, 0, {}},
                            {0, 5, {}},
                            {5, 0, {}},
                            // Wider than a JPEG can be.
                            {70000, 1, std::vector<std::uint8_t>(70000 * 3, 128)}};
  for (const RgbImage& image : cases) {
    SCOPED_TRACE(std::to_string(image.width) + "x" + std::to_string(image.height));
    try {
      EncodeJpeg(image, 90);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.text(), Cp1251FromUtf8("Не вдалося записати зображення JPEG"));
    }
  }
}

TEST(JpegEncoder, RejectsPixelBytesThatDoNotMatchTheSize) {
  const RgbImage cases[] = {{2, 2, std::vector<std::uint8_t>(11)},
                            {0, 0, std::vector<std::uint8_t>(3)},
                            {-2, 2, std::vector<std::uint8_t>(12)}};
  for (const RgbImage& image : cases)
    EXPECT_THROW(EncodeJpeg(image, 90), std::invalid_argument);
}

TEST(PictureEncoders, QuantisedPictureOfManyColoursBecomesAGif) {
  const std::string gif = EncodeGif(QuantiseColours(NoisyImage(50, 40, 3)));
  EXPECT_EQ(gif.substr(0, 6), "GIF89a");
}

} // namespace
} // namespace quarbel
