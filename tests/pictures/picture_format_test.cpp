#include "pictures/picture_format.h"

#include "pictures/builtin_icons.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace quarbel {
namespace {

using namespace std::string_literals;

TEST(PictureFormatOf, NamesTheFourPictureFormatsByTheirFirstBytes) {
  struct Case {
    std::string bytes;
    std::optional<PictureFormat> format;
  } cases[] = {
      {"GIF87a", PictureFormat::Gif},
      {"GIF89a\x01\x00\x01\x00"s, PictureFormat::Gif},
      {"\x89PNG\r\n\x1A\n\0\0\0\rIHDR"s, PictureFormat::Png},
      {"\xFF\xD8\xFF", PictureFormat::Jpeg},
      {"\xFF\xD8\xFF\xE0\0\x10JFIF"s, PictureFormat::Jpeg},
      {"BM", PictureFormat::Bmp},
      {"BM6\0\0\0"s, PictureFormat::Bmp},
      {std::string(BuiltInIconGif(BuiltInIcon::Home)), PictureFormat::Gif},
      // Anything else is no picture.
      {"", std::nullopt},
      {"G", std::nullopt},
      {"GIF8", std::nullopt},
      {"GIF88a", std::nullopt},
      {"gif89a", std::nullopt},
      {"GIF89", std::nullopt},
      {"\x89PNG\r\n\x1A"s, std::nullopt},
      {"\x89PNG\n\n\x1A\n"s, std::nullopt},
      {"PNG", std::nullopt},
      {"\xFF\xD8", std::nullopt},
      {"\xFF\xD8\xFE", std::nullopt},
      {"\xD8\xFF\xFF", std::nullopt},
      {"B", std::nullopt},
      {"bm", std::nullopt},
      {"MB", std::nullopt},
      {" BM", std::nullopt},
      {"JPEG", std::nullopt},
      {"P6\n1 1\n255\n\x01\x02\x03", std::nullopt},
      {"<svg xmlns=\"http://www.w3.org/2000/svg\"/>", std::nullopt},
      {"1\r\n\tx [ /x.pdf ]\r\n", std::nullopt},
      {"II*\0"s, std::nullopt},
      {"RIFF\0\0\0\0WEBP"s, std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PictureFormatOf(c.bytes), c.format) << ::testing::PrintToString(c.bytes);
}

TEST(PictureFormatOf, TheRefusalNamesTheFile) {
  EXPECT_EQ(testing::U(NotAnIconPictureText(testing::W("Лекція.QCT"))),
            "Файл \"Лекція.QCT\" не є малюнком: значок може бути лише малюнком GIF, PNG, JPEG або "
            "BMP !");
}

} // namespace
} // namespace quarbel
