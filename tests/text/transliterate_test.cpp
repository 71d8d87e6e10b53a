#include "text/safe_file_name.h"
#include "text/transliterate.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

namespace quarbel {
namespace {

using testing::W;

TEST(Transliterate, WholeAlphabet) {
  EXPECT_EQ(Transliterate(W("абвгдеёжзийклмнопрстуфхцчшщьыъэюяїієґ")),
            "abvgdeyozhzijklmnoprstufxczchshshch_y_eyuyayiiye" + W("ґ"));
  EXPECT_EQ(Transliterate(W("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЬЫЪЭЮЯЇІЄҐ")),
            "ABVGDEYoZhZIJKLMNOPRSTUFXCzChShShch_Y_EYuYayiiye" + W("Ґ"));
  EXPECT_EQ(Transliterate("09 az_'-.,"), "09 az_'-.,");
}

TEST(MakeSafeFileName, Examples) {
  struct Case {
    const char* path;
    const char* safe;
  } cases[] = {
      {"Лекція 1. Вступ.PDF", "lekcziya_1__vstup.pdf"},
      {"My File.part2.Pdf", "my_file_part2.pdf"},
      {"Ёлка, зима.MP4", "Yolka__zima.mp4"},
      {"Об'єкт.djvu", "ob'yekt.djvu"},
      {"/home/вчитель/Курс 1/Фото 1.JPG", "foto_1.jpg"},
      {"/tmp/Blue Sky.css", "blue_sky.css"},
      {"/tmp/a.b/Default.CSS", "default.css"},
      {"/tmp/Без крапки", "bez_krapki"},
      {"Щука.ТXT", "shchuka.txt"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MakeSafeFileName(W(c.path)), c.safe) << c.path;
}

} // namespace
} // namespace quarbel
