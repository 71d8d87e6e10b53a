#include "text/cp1251.h"

#include "support/test_support.h"

#include <gtest/gtest.h>
#include <iconv.h>

namespace quarbel {
namespace {

using testing::W;

// glibc's converter is an independent reading of the same code pages.
std::string Iconv(const char* to, const char* from, std::string in) {
  iconv_t cd = iconv_open(to, from);
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
  std::string out(in.size() * 4 + 4, '\0');
  char* src = in.data();
  size_t srcLeft = in.size();
  char* dst = out.data();
  size_t dstLeft = out.size();
  const size_t result = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  if (result == static_cast<size_t>(-1))
    return "<unconvertible>";
  out.resize(out.size() - dstLeft);
  return out;
}

TEST(Cp1251, EveryByteAgreesWithTheSystemConverterAndComesBack) {
  for (int b = 1; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::string utf8 = Utf8FromCp1251(byte);
    if (b != 0x98) { // the one byte the code page leaves undefined
      EXPECT_EQ(utf8, Iconv("UTF-8", "CP1251", byte)) << "byte " << b;
    }
    EXPECT_EQ(TryCp1251FromUtf8(utf8), byte) << "byte " << b;
  }
  EXPECT_EQ(Utf8FromCp1251("\x98"), "\xC2\x98");
}

TEST(Cp1251, UkrainianTextRoundTrips) {
  const std::string text = "Ґанок, Їжак, Єва, Іван; ґ ї є і ё Ё № «» – — …";
  const auto bytes = TryCp1251FromUtf8(text);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(bytes->size(), 46u);
  EXPECT_EQ(Utf8FromCp1251(*bytes), text);
}

TEST(Cp1251, RefusesWhatItCannotHold) {
  const char* cases[] = {
      "日本",            // not in the code page
      "a\xC0\x80",       // overlong NUL
      "\xED\xA0\x80",    // surrogate
      "\xE2\x82",        // cut short
      "\x80",            // lone continuation byte
      "\xF5\x80\x80\x80" // past U+10FFFF
  };
  for (const char* c : cases) {
    EXPECT_FALSE(TryCp1251FromUtf8(c).has_value()) << c;
    EXPECT_THROW(Cp1251FromUtf8(c), std::invalid_argument);
  }
}

TEST(Cp1251, ReferencesAndLossyFormsKeepEveryOtherCharacter) {
  EXPECT_EQ(Cp1251FromUtf8WithReferences("Ab ї 日€"), "Ab \xBF &#26085;\x88");
  EXPECT_EQ(Cp1251FromUtf8WithReferences("x\xE2\x82y"), "x&#65533;&#65533;y");
  EXPECT_EQ(Cp1251FromUtf8WithReferences("😀"), "&#128512;");
  EXPECT_EQ(Cp1251FromUtf8Lossy("Файл 日本.doc"), W("Файл ??.doc"));
}

TEST(Koi8r, AgreesWithTheSystemConverterWhereKoi8rHasTheCharacter) {
  for (int b = 1; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::string expected = Iconv("KOI8-R", "CP1251", byte);
    if (expected == "<unconvertible>")
      EXPECT_EQ(Koi8rFromCp1251(byte), "&#" + std::to_string(UnicodeOfCp1251(b)) + ";")
          << "byte " << b;
    else
      EXPECT_EQ(Koi8rFromCp1251(byte), expected) << "byte " << b;
  }
}

TEST(Koi8r, UkrainianLettersBecomeReferences) {
  EXPECT_EQ(Koi8rFromCp1251(W("Привіт, Їжак")), "\xF0\xD2\xC9\xD7&#1110;\xD4, &#1031;\xD6\xC1\xCB");
  EXPECT_EQ(Koi8rFromCp1251(std::string("a\0b", 3)), std::string("a\0b", 3));
}

} // namespace
} // namespace quarbel

namespace quarbel {
namespace {

TEST(Cp1251References, TypedCharactersTheCodePageLacksComeBackAsTyped) {
  struct Case {
    const char* typed;
    const char* stored; // Windows-1251 shown as UTF-8
  } cases[] = {
      {"α-частинка", "&#945;-частинка"},
      {"3×4 м²", "3&#215;4 м&#178;"},
      {"комп\u02BCютер", "комп&#700;ютер"},
      {"R&D &#169; &amp;", "R&D &#169; &amp;"}, // typed references stay as typed
      {"звичайний текст", "звичайний текст"},
  };
  for (const Case& c : cases) {
    const std::string stored = Cp1251FromUtf8WithReferences(c.typed);
    EXPECT_EQ(Utf8FromCp1251(stored), c.stored) << c.typed;
    EXPECT_EQ(Utf8FromCp1251WithReferences(stored), c.typed) << c.typed;
  }
}

} // namespace
} // namespace quarbel
