#include "generator/page_pictures.h"

#include "pictures/picture_integrity.h"
#include "support/test_support.h"
#include "text/error.h"

#include <gtest/gtest.h>

namespace quarbel {
namespace {

using namespace testing;

const std::string kPng = std::string("\x89PNG\r\n\x1A\n", 8) + "IHDR....." +
                         std::string("\0\0\0\0IEND\xAE\x42\x60\x82", 12);
const std::string kJpeg = "\xFF\xD8\xFF\xE0JFIF....\xFF\xD9";
const std::string kGif("GIF89a\x01\x00\x01\x00\x80\x00\x00....;", 18);

TEST(PictureIntegrity, APictureCutShortIsNotWhole) {
  struct Case {
    const char* name;
    std::string bytes;
    bool whole;
  } cases[] = {
      {"png", kPng, true},
      {"png cut short", kPng.substr(0, kPng.size() - 5), false},
      {"jpeg", kJpeg, true},
      {"jpeg padded after its end", kJpeg + std::string(100, '\0'), true},
      {"jpeg cut short", kJpeg.substr(0, kJpeg.size() - 2), false},
      {"gif", kGif, true},
      {"gif cut short", kGif.substr(0, kGif.size() - 1), false},
      {"empty", "", false},
      {"another kind", "BM some bitmap", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PictureBytesAreWhole(c.bytes), c.whole) << c.name;
}

TEST(PagePictures, ThePicturesOfAPageAreItsOwnImgSources) {
  EXPECT_EQ(PagePictures("<p><IMG SRC=\"p_html_1.png\" name=\"a\"><img alt=x src=\"sub/p%202.gif\">"
                         "<img src=\"http://example.org/x.png\"><img src=\"/etc/x.png\">"
                         "<img src=\"../x.png\"><img name=\"no source\"><a src=\"not.png\">"),
            (std::vector<std::string>{"p_html_1.png", "sub/p 2.gif"}));
}

TEST(PagePictures, AMissingOrShortPictureFailsThePage) {
  TempDir dir;
  TextbookFolder folder(dir.path());
  WriteBytes(dir / "whole.png", kPng);
  WriteBytes(dir / "short.png", kPng.substr(0, 20));
  const auto check = [&](const std::string& page) {
    return ErrorOf([&] { CheckPagePictures(folder, page); });
  };
  EXPECT_EQ(check("<img src=\"whole.png\">"), "<no error>");
  EXPECT_EQ(check("<img src=\"whole.png\"><img src=\"short.png\">"),
            "Малюнок \"short.png\" сторінки не записано повністю; можливо, на диску немає "
            "вільного місця.");
  EXPECT_EQ(check("<img src=\"gone.png\">"),
            "Малюнок \"gone.png\" сторінки не записано повністю; можливо, на диску немає "
            "вільного місця.");
}

} // namespace
} // namespace quarbel
