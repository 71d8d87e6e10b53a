#include "pictures/builtin_icons.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>

namespace quarbel {
namespace {

struct Reader {
  std::string_view bytes;
  size_t pos = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int length) {
  auto* reader = static_cast<Reader*>(gif->UserData);
  const size_t n = std::min<size_t>(length, reader->bytes.size() - reader->pos);
  std::memcpy(out, reader->bytes.data() + reader->pos, n);
  reader->pos += n;
  return static_cast<int>(n);
}

TEST(BuiltInIcons, AreWholeTransparentGifsOfTheirSizes) {
  struct Case {
    BuiltInIcon icon;
    int size;
  } cases[] = {{BuiltInIcon::Home, 48},
               {BuiltInIcon::Previous, 32},
               {BuiltInIcon::Forward, 32},
               {BuiltInIcon::Minus, 10},
               {BuiltInIcon::Plus, 10}};
  for (const Case& c : cases) {
    const std::string_view bytes = BuiltInIconGif(c.icon);
    ASSERT_GE(bytes.size(), 13u);
    EXPECT_EQ(bytes.substr(0, 6), "GIF89a");

    Reader reader{bytes};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, ReadFromMemory, &error);
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK) << GifErrorString(gif->Error);
    EXPECT_EQ(gif->SWidth, c.size);
    EXPECT_EQ(gif->SHeight, c.size);
    ASSERT_EQ(gif->ImageCount, 1);
    GraphicsControlBlock control{};
    ASSERT_EQ(DGifSavedExtensionToGCB(gif, 0, &control), GIF_OK);
    ASSERT_NE(control.TransparentColor, NO_TRANSPARENT_COLOR);

    // Some pixels show and some let the background through.
    const SavedImage& image = gif->SavedImages[0];
    int seeThrough = 0;
    for (int i = 0; i < c.size * c.size; ++i)
      seeThrough += image.RasterBits[i] == control.TransparentColor;
    EXPECT_LT(seeThrough, c.size * c.size);
    if (c.icon != BuiltInIcon::Minus && c.icon != BuiltInIcon::Plus) {
      EXPECT_GT(seeThrough, 0);
    }
    DGifCloseFile(gif, &error);
  }
  EXPECT_NE(BuiltInIconGif(BuiltInIcon::Minus), BuiltInIconGif(BuiltInIcon::Plus));
  EXPECT_NE(BuiltInIconGif(BuiltInIcon::Previous), BuiltInIconGif(BuiltInIcon::Forward));
}

} // namespace
} // namespace quarbel
