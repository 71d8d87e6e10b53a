#include "generator/html_text.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

namespace quarbel {
namespace {

using testing::U;
using testing::W;

TEST(TypedTextAsHtml, KeepsInlineFormattingAndReferencesAndEscapesEverythingElse) {
  struct Case {
    const char* typed;
    const char* written; // nullptr: exactly as typed
  } cases[] = {
      // Harmless texts go in byte for byte.
      {"", nullptr},
      {"Лекція 1. Вступ", nullptr},
      {"Їжак, ґанок, Є, ё: \"лапки\" і 'апостроф' [1] (2) 50% #3", nullptr},
      {"CO<sub>2</sub>", nullptr},
      {"H<SUB>2</SUB>O і x<sup>2</sup>", nullptr},
      {"<b>жирний</b> <i>курсив</i> <u>підкреслений</u>", nullptr},
      {"<B>A</B><I>B</I><U>C</U><Em>D</Em><STRONG>E</STRONG><Sup>F</sUP>", nullptr},
      {"<em>наголос</em> <strong>сильний</strong>", nullptr},
      {"рядок<br>рядок<BR/>рядок<br />рядок<Br>", nullptr},
      {"R&amp;D", nullptr},
      {"&nbsp;&lt;&gt;&quot;&copy;&frac12;&sup2;", nullptr},
      {"&#1234; &#x4E00; &#X4e00; &#60;", nullptr},
      {"<b>незакритий", nullptr},
      {"перший рядок\r\nдругий рядок", nullptr},
      // Stray characters are escaped.
      {"R&D", "R&amp;D"},
      {"a < b > c", "a &lt; b &gt; c"},
      {"x<2", "x&lt;2"},
      {"&", "&amp;"},
      {"&;", "&amp;;"},
      {"&#;", "&amp;#;"},
      {"&#x;", "&amp;#x;"},
      {"&#12", "&amp;#12"},
      {"&#xZZ;", "&amp;#xZZ;"},
      {"&nbsp", "&amp;nbsp"},
      {"&1abc;", "&amp;1abc;"},
      {"Том & Джеррі", "Том &amp; Джеррі"},
      {"<", "&lt;"},
      {">", "&gt;"},
      {"<>", "&lt;&gt;"},
      {"</>", "&lt;/&gt;"},
      // Markup that is not the inline formatting never comes through live.
      {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
      {"<SCRIPT SRC=//x.js></SCRIPT>", "&lt;SCRIPT SRC=//x.js&gt;&lt;/SCRIPT&gt;"},
      {"<iframe src=\"http://x\"></iframe>", "&lt;iframe src=\"http://x\"&gt;&lt;/iframe&gt;"},
      {"<img src=x onerror=alert(1)>", "&lt;img src=x onerror=alert(1)&gt;"},
      {"<b onclick=\"go()\">x</b>", "&lt;b onclick=\"go()\"&gt;x</b>"},
      {"<b >x</b >", "&lt;b &gt;x&lt;/b &gt;"},
      {"<sub\r\n>2</sub>", "&lt;sub\r\n&gt;2</sub>"},
      {"<bold>x</bold>", "&lt;bold&gt;x&lt;/bold&gt;"},
      {"<subx>", "&lt;subx&gt;"},
      {"<a href=\"javascript:x()\">x</a>", "&lt;a href=\"javascript:x()\"&gt;x&lt;/a&gt;"},
      {"</p><p class=MsoToc1>", "&lt;/p&gt;&lt;p class=MsoToc1&gt;"},
      {"</span></p>", "&lt;/span&gt;&lt;/p&gt;"},
      {"</title><script>", "&lt;/title&gt;&lt;script&gt;"},
      {"<!-- x -->", "&lt;!-- x --&gt;"},
      {"<br onclick=x>", "&lt;br onclick=x&gt;"},
      {"</br>", "&lt;/br&gt;"},
      {"<br  />", "&lt;br  /&gt;"},
      {"<br/ >", "&lt;br/ &gt;"},
      {"<<b>>", "&lt;<b>&gt;"},
      {"<b", "&lt;b"},
      {"</b", "&lt;/b"},
      {"<br /", "&lt;br /"},
      {"<style>body{}</style>", "&lt;style&gt;body{}&lt;/style&gt;"},
      {"&<script>", "&amp;&lt;script&gt;"},
  };
  for (const Case& c : cases) {
    const std::string written = TypedTextAsHtml(W(c.typed));
    EXPECT_EQ(U(written), c.written ? c.written : c.typed) << c.typed;
    // What was written once is written again unchanged.
    EXPECT_EQ(TypedTextAsHtml(written), written) << c.typed;
  }
}

TEST(TypedTextAsHtml, EveryByteOtherThanTheThreeMarkupCharactersPassesUnchanged) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::string written = TypedTextAsHtml(byte);
    if (b == '<')
      EXPECT_EQ(written, "&lt;");
    else if (b == '>')
      EXPECT_EQ(written, "&gt;");
    else if (b == '&')
      EXPECT_EQ(written, "&amp;");
    else
      EXPECT_EQ(written, byte) << b;
  }
}

} // namespace
} // namespace quarbel
