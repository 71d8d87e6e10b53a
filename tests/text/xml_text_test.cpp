#include "text/xml_text.h"

#include <gtest/gtest.h>

namespace quarbel {
namespace {

TEST(XmlTextTest, EscapesMarkupAndLeavesOutWhatXmlCannotHold) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"Фізика & хімія", "Фізика &amp; хімія"},
      {"<b>\"a\" 'b'</b>", "&lt;b&gt;&quot;a&quot; &apos;b&apos;&lt;/b&gt;"},
      {"a\tb\r\nc", "a\tb\r\nc"},
      {"bell\x07 and form feed\x0c", "bell and form feed"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(XmlEscaped(c.in), c.out) << c.in;
}

TEST(XmlTextTest, RelativeNamesBecomeUriReferences) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"other/lekcziya_1.pdf", "other/lekcziya_1.pdf"},
      {"other/Лекція 1.pdf", "other/%D0%9B%D0%B5%D0%BA%D1%86%D1%96%D1%8F%201.pdf"},
      {"a#b?c%d&e", "a%23b%3Fc%25d%26e"},
      {"~a-b_c.d", "~a-b_c.d"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(UriPathEncoded(c.in), c.out) << c.in;
}

} // namespace
} // namespace quarbel
