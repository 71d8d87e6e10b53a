#include "text/html_charset.h"

#include "text/cp1251.h"

#include <gtest/gtest.h>

namespace quarbel {
namespace {

TEST(HtmlCharset, EncodesInTheDeclaredCharsetWithReferencesForTheRest) {
  const std::string text = "Привіт ™ 中 <b>&amp;</b>";
  struct Case {
    const char* charset;
    std::string bytes;
  } cases[] = {
      {"windows-1251", Cp1251FromUtf8("Привіт ™ ") + "&#20013; <b>&amp;</b>"},
      {"Windows-1251", Cp1251FromUtf8("Привіт ™ ") + "&#20013; <b>&amp;</b>"},
      // KOI8-R lacks the Ukrainian "і" and the trade mark sign.
      {"KOI8-R", Koi8rFromCp1251(Cp1251FromUtf8("Прив")) + "&#1110;" +
                     Koi8rFromCp1251(Cp1251FromUtf8("т ")) + "&#8482; &#20013; <b>&amp;</b>"},
      {"UTF-8", text},
  };
  for (const Case& c : cases) {
    const auto bytes = EncodeForCharset(text, c.charset);
    ASSERT_TRUE(bytes) << c.charset;
    EXPECT_EQ(*bytes, c.bytes) << c.charset;
  }
  EXPECT_FALSE(EncodeForCharset(text, "ISO-8859-2"));
}

} // namespace
} // namespace quarbel
