#include "text/text_case.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

namespace quarbel {
namespace {

using testing::W;

TEST(TextCase, ChangesOnlyLatinAndTheRussianAlphabet) {
  struct Case {
    const char* text;
    const char* upper;
    const char* lower;
  } cases[] = {
      {"Лекція 1.doc", "ЛЕКЦіЯ 1.DOC", "лекція 1.doc"},
      {"ЇЖАК їжак", "ЇЖАК їЖАК", "Їжак їжак"},
      {"Ґанок є Є ё Ё ґ", "ҐАНОК є Є ё Ё ґ", "Ґанок є Є ё Ё ґ"},
      {"aZ[]_09", "AZ[]_09", "az[]_09"},
      {"абвгдеёжзийклмнопрстуфхцчшщъыьэюя", "АБВГДЕёЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ",
       "абвгдеёжзийклмнопрстуфхцчшщъыьэюя"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(testing::U(UpperCaseText(W(c.text))), c.upper);
    EXPECT_EQ(testing::U(LowerCaseText(W(c.text))), c.lower);
  }
}

TEST(TextCase, EveryByteMovesByThirtyTwoOrStays) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const int up = static_cast<unsigned char>(UpperCaseText(byte)[0]);
    const int low = static_cast<unsigned char>(LowerCaseText(byte)[0]);
    const bool small = (b >= 97 && b <= 122) || b >= 224;
    const bool capital = (b >= 65 && b <= 90) || (b >= 192 && b <= 223);
    EXPECT_EQ(up, small ? b - 32 : b) << b;
    EXPECT_EQ(low, capital ? b + 32 : b) << b;
  }
}

TEST(TextCase, LastPosIsOneBasedAndZeroWhenAbsent) {
  struct Case {
    const char* sub;
    const char* text;
    int pos;
  } cases[] = {
      {".", "a.b.c", 4}, {".", "abc", 0}, {"ab", "abab", 3}, {"abab", "ab", 0},
      {"", "abc", 0},    {"a", "a", 1},   {"/", "/x/y", 3},  {"aa", "aaa", 2},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LastPos(c.sub, c.text), c.pos) << c.sub << " in " << c.text;
}

} // namespace
} // namespace quarbel
