#include "wordproc/page_normaliser.h"

#include "support/test_support.h"
#include "support/word_fixtures.h"
#include "wordproc/page_contract.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace quarbel {
namespace {

using namespace testing;

// LibreOffice's own exports of the test documents, kept as they came out.
std::string StoredExport(const char* name) {
  std::ifstream in(std::string(QUARBEL_TEST_DATA_DIR "/") + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool Holds(const std::string& page, const char* utf8) {
  return page.find(W(utf8)) != std::string::npos;
}

TEST(PageNormaliser, AWordTableOfContentsBecomesMsoTocEntriesAtTheLevelsOfItsHeadings) {
  const std::string page = NormaliseWebPage(StoredExport("toc.html"));
  EXPECT_EQ(PageContractViolations(page, true), "");
  const std::vector<TocLine> entries = TocLines(page);
  ASSERT_EQ(entries.size(), FixtureHeadings().size());
  for (size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].level, FixtureHeadings()[i].level);
    EXPECT_EQ(entries[i].anchor, FixtureHeadings()[i].anchor);
    EXPECT_EQ(U(entries[i].title), FixtureHeadings()[i].title); // no page number, no tab
    EXPECT_TRUE(Holds(page, ("<a name=\"" + FixtureHeadings()[i].anchor + "\"></a>").c_str()));
  }
  // The table is the first thing of the page, so the menu takes it out.
  EXPECT_LT(page.find("<p class=MsoToc"), page.find("<p class=MsoNormal"));
}

TEST(PageNormaliser, EverythingElseOfTheDocumentSurvives) {
  const std::string page = NormaliseWebPage(StoredExport("toc.html"));
  for (const char* text :
       {"<b>енергія</b>", "<i>імпульс</i>", "ґрунтовні", "Євген", "Їжак", "&#960; &#8776; 3,14",
        "<ul>", "<li>\r\n<p class=MsoNormal", "Проводити досліди", "<table", "<td", "Величина",
        "метр", "<img src=\"fix_html_45a5918a81a8f82f.png\"", "sdfootnote1",
        "Закон відомий з античності.", "p.MsoNormal { font-family: \"Times New Roman\"",
        "h1.western", "<h1 class=western><a name=\"_Toc100\"></a>"}) {
    EXPECT_TRUE(Holds(page, text)) << text;
  }
  EXPECT_EQ(page.find("class=\"western\""), std::string::npos);
}

TEST(PageNormaliser, AParagraphBeforeTheTableKeepsItInThePage) {
  const std::string page = NormaliseWebPage(StoredExport("intro.html"));
  EXPECT_EQ(TocLines(page).size(), FixtureHeadings().size());
  EXPECT_LT(page.find("<p class=MsoNormal"), page.find("<p class=MsoToc"));
  EXPECT_TRUE(Holds(page, "Передмова до курсу."));
}

TEST(PageNormaliser, PagesWithoutTableOfContentsKeepTheContract) {
  EXPECT_EQ(PageContractViolations(NormaliseWebPage(StoredExport("notoc.html")), false), "");
  // A binary Word document leads to LibreOffice's own heading anchors.
  const std::string fromDoc = NormaliseWebPage(StoredExport("doc_toc.html"));
  EXPECT_EQ(PageContractViolations(fromDoc, true), "");
  ASSERT_EQ(TocLines(fromDoc).size(), 5u);
  EXPECT_EQ(TocLines(fromDoc)[1].anchor, "__RefHeading___Toc101");
  EXPECT_EQ(TocLines(fromDoc)[1].level, 2);
}

std::string Page(const std::string& body, const std::string& head = "") {
  return "<html><head><meta name=\"generator\" content=\"LibreOffice\"/>" + head + "</head><body>" +
         body + "</body></html>";
}

TEST(PageNormaliser, TablesOfContentsInOtherShapes) {
  const std::string headings = "<h1><a name=\"a\"></a>Перший</h1><h3><a name=\"b\"></a>Третій</h3>";
  struct Case {
    const char* name;
    std::string html;
    std::vector<int> levels;
    std::vector<const char*> titles;
  } cases[] = {
      {"loose paragraphs, page numbers outside the link",
       Page("<p><a href=\"#a\">Перший</a>\t1</p><p><a href=\"#b\">Третій</a> 2</p><p>Текст</p>" +
            headings),
       {1, 3},
       {"Перший", "Третій"}},
      {"Roman page numbers and a wrapped title",
       Page("<div><p><a href=\"#a\">Пер\n\tший\tiv</a></p></div><p>x</p>" + headings),
       {1},
       {"Пер ший"}},
      {"entries without page numbers",
       Page("<p><a href=\"#b\">Третій</a></p><p>x</p>" + headings),
       {3},
       {"Третій"}},
  };
  for (const Case& c : cases) {
    const std::string page = NormaliseWebPage(c.html);
    EXPECT_EQ(PageContractViolations(page, true), "") << c.name;
    const auto entries = TocLines(page);
    ASSERT_EQ(entries.size(), c.levels.size()) << c.name;
    for (size_t i = 0; i < entries.size(); ++i) {
      EXPECT_EQ(entries[i].level, c.levels[i]) << c.name;
      EXPECT_EQ(U(entries[i].title), c.titles[i]) << c.name;
    }
  }
}

TEST(PageNormaliser, ATableFollowedByAHeadingGetsAnEmptyParagraphAfterIt) {
  const std::string page = NormaliseWebPage(
      Page("<div id=\"Table of Contents1\"><p><a href=\"#a\">Перший\t1</a></p></div>"
           "<h1><a name=\"a\"></a>Перший</h1><p>Текст</p>"));
  EXPECT_EQ(PageContractViolations(page, true), "");
  EXPECT_NE(page.find("</span></p>\r\n<p class=MsoNormal></p>"), std::string::npos);
  EXPECT_LT(page.find("<p class=MsoNormal></p>"), page.find("<h1>"));
}

TEST(PageNormaliser, LinksToHeadingsInsideTextAreNoTableOfContents) {
  const std::string page = NormaliseWebPage(
      Page("<p>Див. розділ <a href=\"#a\">Перший</a> нижче.</p><h1><a name=\"a\"></a>Перший</h1>"));
  EXPECT_EQ(PageContractViolations(page, false), "");
  EXPECT_TRUE(Holds(page, "<p class=MsoNormal>Див. розділ <a href=\"#a\">Перший</a> нижче.</p>"));
}

TEST(PageNormaliser, NothingOfTheTextCanBreakThePageStructure) {
  const std::string page = NormaliseWebPage(
      Page("<p title='a \"b\" <c>'>&lt;/body&gt; &lt;p class=MsoToc1&gt; Ω &amp;</p>"
           "<style>p.x { color: red }</style><script>document.write('</p>')</script><!-- note -->"
           "<pre>рядок 1\nрядок 2</pre>",
           "<style>h1 { color: blue; font-family: \"Шрифт\u4e00\" }</style>"));
  EXPECT_EQ(PageContractViolations(page, false), "");
  EXPECT_TRUE(Holds(page, "title=\"a &quot;b&quot; &lt;c&gt;\""));
  EXPECT_TRUE(Holds(page, "&lt;/body&gt; &lt;p class=MsoToc1&gt; &#937; &amp;"));
  EXPECT_TRUE(Holds(page, "p.x { color: red }"));            // moved into the head
  EXPECT_TRUE(Holds(page, "font-family: \"Шрифт\\4E00 \"")); // CSS escape, not an HTML one
  EXPECT_TRUE(Holds(page, "<pre>рядок 1\r\nрядок 2</pre>"));
  EXPECT_EQ(page.find("script"), std::string::npos);
  EXPECT_EQ(page.find("note"), std::string::npos);
}

TEST(PageNormaliser, EvenAnEmptyOrBrokenExportGivesAWholePage) {
  for (const char* html : {"", "<html>", "\xFF\xFE garbage <<<", "<p>loose text"}) {
    const std::string page = NormaliseWebPage(html);
    EXPECT_EQ(PageContractViolations(page, false), "") << html;
  }
}

} // namespace
} // namespace quarbel
