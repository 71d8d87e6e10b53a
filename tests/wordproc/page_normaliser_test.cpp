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
      {"no-break spaces and comments between the entries and after them",
       Page("<p><a href=\"#a\">Перший</a>\t1</p>&nbsp;<!-- x --><p><a href=\"#b\">Третій</a> 2</p>"
            "\xC2\xA0 <p>Текст</p>" +
            headings),
       {1, 3},
       {"Перший", "Третій"}},
      {"a no-break space after LibreOffice's section",
       Page("<div id=\"Table of Contents1\"><p><a href=\"#a\">Перший\t1</a></p></div>&nbsp;"
            "<p>Текст</p>" +
            headings),
       {1},
       {"Перший"}},
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

TEST(PageNormaliser, PageNumbersLeaveTheEntriesWhateverStandsBeforeThem) {
  const std::string headings = "<h1><a name=\"a\"></a>1. Модель OSI</h1>"
                               "<h2><a name=\"b\"></a>Розділ 2</h2>"
                               "<h2><a name=\"c\"></a>Вступ</h2>";
  struct Case {
    const char* link;
    const char* title;
  } cases[] = {
      {"1. Модель OSI\t1", "1. Модель OSI"},
      {"1. Модель OSI 12", "1. Модель OSI"}, // the tab became a blank
      {"1. Модель OSI\xC2\xA0\xC2\xA0"
       "7",
       "1. Модель OSI"},             // no-break spaces
      {"Вступ ........ 5", "Вступ"}, // dot leaders
      {"Розділ 2", "Розділ 2"},      // the heading's own number stays
      {"Розділ 2\t9", "Розділ 2"},
  };
  for (const Case& c : cases) {
    const std::string href = std::string(c.title) == "Вступ" ? "c" : c.title[0] == '1' ? "a" : "b";
    const std::string page = NormaliseWebPage(
        Page("<p><a href=\"#" + href + "\">" + c.link + "</a></p><p>x</p>" + headings));
    const auto entries = TocLines(page);
    ASSERT_EQ(entries.size(), 1u) << c.link;
    EXPECT_EQ(U(entries[0].title), c.title) << c.link;
  }
}

TEST(PageNormaliser, TheTableTitleAndTheDocumentTitleDoNotHoldTheTableInThePage) {
  const std::string headings = "<h1><a name=\"a\"></a>Перший</h1><p>Текст</p>"
                               "<h2><a name=\"b\"></a>Другий</h2><p>Текст</p>";
  const std::string entries =
      "<p><a href=\"#a\">Перший\t1</a></p><p><a href=\"#b\">Другий\t2</a></p>";
  struct Case {
    const char* name;
    std::string html;
    bool lifted; // the table comes before the first plain paragraph
  } cases[] = {
      {"Word: title, subtitle and the table's title above the field",
       Page("<p align=center>Фізика</p><p>Конспект лекцій</p><p>Зміст</p><div>" + entries +
            "</div>" + headings),
       true},
      {"LibreOffice: the table's title in a section of its own inside the table",
       Page("<p>Фізика</p><div id=\"Table of Contents1\"><div id=\"TextSection\"><p>Contents:</p>"
            "</div>" +
            entries + "</div>" + headings),
       true},
      {"the table's title just before LibreOffice's section",
       Page("<p>Фізика</p><p><br></p><p>ЗМІСТ</p><div id=\"Table of Contents1\">" + entries +
            "</div>" + headings),
       true},
      {"ordinary text above the table's title",
       Page("<p>Цей посібник написано для студентів другого курсу.</p><p>Він має " +
            std::string(400, 'x') + "</p><p>Зміст</p>" + entries + headings),
       false},
      {"a paragraph that is no table title",
       Page("<p>Передмова до курсу.</p>" + entries + headings), false},
  };
  for (const Case& c : cases) {
    const std::string page = NormaliseWebPage(c.html);
    EXPECT_EQ(PageContractViolations(page, true), "") << c.name;
    EXPECT_EQ(TocLines(page).size(), 2u) << c.name;
    EXPECT_EQ(page.find("<p class=MsoToc") < page.find("<p class=MsoNormal"), c.lifted) << c.name;
    if (c.lifted) {
      EXPECT_NE(page.find("<p class=MsoTocHeading>"), std::string::npos) << c.name;
      EXPECT_TRUE(Holds(page, "<p class=MsoTitle>Фізика</p>") ||
                  Holds(page, "<p class=MsoTitle align=\"center\">Фізика</p>"))
          << c.name;
    }
  }
  // The title keeps its own words; it stands once, before the entries.
  const std::string page = NormaliseWebPage(cases[1].html);
  EXPECT_EQ(page.find("Contents:"), page.rfind("Contents:"));
  EXPECT_NE(page.find("<p class=MsoTocHeading>Contents:</p>\r\n<p class=MsoToc1>"),
            std::string::npos);
}

TEST(PageNormaliser, ATableWithoutLinksGetsThemAndItsHeadingsGetAnchors) {
  const std::string page = NormaliseWebPage(
      Page("<p>Зміст</p><div id=\"Table of Contents1\"><p>\tВступ\t1</p><p>1.1 Мета\t2</p>"
           "<p>Оптика ....... 3</p></div><h1>Вступ</h1><p>Текст</p><ol><li><h2>Мета</h2></li></ol>"
           "<h1><a name=\"bm\"></a>Оптика</h1><p>Текст</p>"));
  EXPECT_EQ(PageContractViolations(page, true), "");
  const auto entries = TocLines(page);
  // "Оптика ....... 3" has no tab: it is not read as an entry, and the table ends before it.
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(U(entries[0].title), "Вступ");
  EXPECT_EQ(entries[0].level, 1);
  EXPECT_EQ(U(entries[1].title), "1.1 Мета");
  EXPECT_EQ(entries[1].level, 2);
  EXPECT_TRUE(Holds(page, ("<h1><a name=\"" + entries[0].anchor + "\"></a>Вступ</h1>").c_str()));
  EXPECT_TRUE(Holds(page, ("<h2><a name=\"" + entries[1].anchor + "\"></a>Мета</h2>").c_str()));
  EXPECT_NE(entries[0].anchor, entries[1].anchor);

  // Paragraphs that end in a tab and a number but name no heading are left alone.
  const std::string prices =
      NormaliseWebPage(Page("<p>Зошит\t12</p><p>Ручка\t5</p><h1>Підсумок</h1><p>x</p>"));
  EXPECT_EQ(PageContractViolations(prices, false), "");
  EXPECT_TRUE(Holds(prices, "Зошит\t12"));
}

TEST(PageNormaliser, SpacesBetweenWordsStayWhereverTheyStand) {
  struct Case {
    const char* html;
    const char* expected;
  } cases[] = {
      {"<p>Перше<b> </b>друге</p>", "<p class=MsoNormal>Перше<b> </b>друге</p>"},
      {"<p><span>SECTION 1</span><span lang=\"en-US\"> </span><span>Introduction</span></p>",
       "<p class=MsoNormal><span>SECTION 1</span><span lang=\"en-US\"> </span>"
       "<span>Introduction</span></p>"},
      {"<p><i>один</i> <i>два</i></p>", "<p class=MsoNormal><i>один</i> <i>два</i></p>"},
      {"<p>слово<font face=\"Arial\"><span> </span></font>слово</p>",
       "<p class=MsoNormal>слово<font face=\"Arial\"><span> </span></font>слово</p>"},
      // Whitespace between blocks only lays out the markup.
      {"<div>\n  <p>а</p>\n  <p>б</p>\n</div>",
       "<div>\r\n<p class=MsoNormal>а</p>\r\n<p class=MsoNormal>б</p></div>"},
  };
  for (const Case& c : cases)
    EXPECT_TRUE(Holds(NormaliseWebPage(Page(c.html)), c.expected)) << c.html;
}

TEST(PageNormaliser, TheEmptyBoxPictureOfATextBoxIsLeftOut) {
  std::vector<std::string> dropped;
  const std::string page = NormaliseWebPage(
      Page("<p><img src=\"p_html_1.gif\" name=\"Shape1\" align=\"left\"><br clear=\"left\"/>"
           "</img><span id=\"Frame1\"><p>Рис. 1</p></span></p>"
           "<p><img src=\"p_html_2.gif\" name=\"Shape2\"></p>" // a drawing of its own
           "<p><img src=\"p_html_3.png\" name=\"Image1\"><span id=\"Frame2\">x</span></p>"),
      &dropped);
  EXPECT_EQ(dropped, std::vector<std::string>{"p_html_1.gif"});
  EXPECT_EQ(page.find("p_html_1.gif"), std::string::npos);
  EXPECT_TRUE(Holds(page, "<span id=\"Frame1\">"));
  EXPECT_TRUE(Holds(page, "Рис. 1"));
  EXPECT_TRUE(Holds(page, "p_html_2.gif"));
  EXPECT_TRUE(Holds(page, "p_html_3.png"));
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

TEST(PageNormaliser, NeitherStylesNorClassesNorMetaDataCanBreakThePageStructure) {
  struct Case {
    const char* name;
    std::string html;
    const char* expected;
  } cases[] = {
      {"style lines ended by CR alone",
       Page("<p>x</p>", "<style>p { color: red }\rh1 { color: blue }\r</style>"),
       "<style>\r\np { color: red }\r\nh1 { color: blue }\r\n</style>"},
      {"markup in a font name",
       Page("<p>x</p>", "<style>p { font-family: \"</head><p class=MsoToc1>\" }</style>"),
       "p { font-family: \"\\3C /head>\\3C p class=MsoToc1>\" }"},
      {"markup in a style section left open", Page("", "<style>p { margin: 0 }</head>"),
       "p { margin: 0 }\\3C /head>"},
      {"style rules inside a comment", Page("<p>x</p>", "<style><!-- p { margin: 0 } --></style>"),
       "<!-- p { margin: 0 } -->"},
      {"a paragraph style named like a table entry", Page("<p class=\"MsoToc1\">Не зміст</p>"),
       "<p class=MsoNormal>Не зміст</p>"},
      {"a meta element with its name last",
       Page("<p>x</p>", "<meta content=\"Іваненко\" name=\"author\">"),
       "<meta name=\"author\" content=\"Іваненко\">\r\n<title>"},
  };
  for (const Case& c : cases) {
    const std::string page = NormaliseWebPage(c.html);
    EXPECT_EQ(PageContractViolations(page, false), "") << c.name;
    EXPECT_TRUE(Holds(page, c.expected)) << c.name << "\n" << U(page);
  }
}

TEST(PageNormaliser, EvenAnEmptyOrBrokenExportGivesAWholePage) {
  for (const char* html : {"", "<html>", "\xFF\xFE garbage <<<", "<p>loose text"}) {
    const std::string page = NormaliseWebPage(html);
    EXPECT_EQ(PageContractViolations(page, false), "") << html;
  }
}

} // namespace
} // namespace quarbel
