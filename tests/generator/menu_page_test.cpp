#include "generator/menu_page.h"

#include "support/test_support.h"
#include "text/file_bytes.h"

#include <gtest/gtest.h>

namespace quarbel {
namespace {

using namespace testing;

const std::string kRow = "<table><tr><td valign=\"top\" width=\"18\" height=\"18\">";
const std::string kLeaf = "<div></div></td>";
const std::string kContent = "<td valign=\"top\"><p>";
const std::string kRowEnd = "</td></tr></table>";
const std::string kClose = "</div></td></tr></table>";

std::string Toggle(int n) {
  const std::string id = std::to_string(n);
  return "<div id=\"subBtn" + id + "\" onClick=\"shiftSubDiv(" + id +
         ")\" style=\"background:url(img/plus.gif) no-repeat "
         "center;height:18px;width:18px\"></div></td>";
}
std::string SubList(int n) {
  return "<div id=\"subDiv" + std::to_string(n) + "\" style=\"display:none\">";
}
std::string Item(int level, const char* title) {
  return "<p class=MsoTocX" + std::to_string(level) + "><span class=MsoHyperlink>" + title +
         "</span></p>";
}
std::string Content(const char* title) {
  return "<span class=MsoHyperlink>" + std::string(title) + "</span></p>";
}

TEST(MenuBody, NestsEntriesByLevel) {
  // Item A holding D1 and D2, then item E.
  const Lines body = MenuBody(Item(1, "A") + "\r\n" + Item(2, "D1") + "\r\n" + Item(2, "D2") +
                                  "\r\n" + Item(1, "E") + "\r\n",
                              ".gif");
  const Lines expected = {kRow + Toggle(1) + kContent + Content("A") + SubList(1),
                          kRow + kLeaf + kContent + Content("D1") + kRowEnd,
                          kRow + kLeaf + kContent + Content("D2") + kRowEnd + kClose,
                          kRow + kLeaf + kContent + Content("E") + kRowEnd, kClose};
  EXPECT_EQ(body, expected);
}

TEST(MenuBody, TopLevelOnlyAndJumpsOfTwoLevels) {
  EXPECT_EQ(MenuBody(Item(1, "a") + Item(1, "b"), ".gif"),
            (Lines{kRow + kLeaf + kContent + Content("a") + kRowEnd,
                   kRow + kLeaf + kContent + Content("b") + kRowEnd, kClose}));
  const std::string filler =
      "<table><tr><td valign=\"top\" width=\"18\" height=\"0\"><div></div></td>"
      "<td valign=\"top\"><p><div id=\"subDiv1\">";
  const Lines jump = MenuBody(Item(1, "a") + Item(3, "c"), ".gif");
  ASSERT_EQ(jump.size(), 3u);
  EXPECT_EQ(jump[0], kRow + Toggle(1) + kContent + Content("a") + SubList(1) + filler);
  EXPECT_EQ(jump[2], kClose + kClose + kClose);
}

TEST(MenuBody, TableOfContentsEntriesHangUnderTheirDocumentAndKeepTheirSpan) {
  const std::string doc = "<p class=MsoTocX1><span class=MsoHyperlink><a target=\"mainFrame\" "
                          "href=\"page3.html\">Doc</a></span></p>";
  const std::string toc1 =
      "<p class=MsoToc1><span\r\nclass=MsoHyperlink><a href=\"#_Toc1\">T1</a></span></p>";
  const std::string toc2 = "<p class=MsoToc2 style=x><b>junk</b> <span class=MsoHyperlink><a "
                           "href=\"#_Toc2\">T2</a></span></p>";
  const Lines body = MenuBody(doc + "\r\n" + toc1 + "\r\n" + toc2 + "\r\n", ".gif");
  ASSERT_EQ(body.size(), 4u);
  EXPECT_EQ(body[1], kRow + Toggle(2) + kContent +
                         "<span\r\nclass=MsoHyperlink><a href=\"#_Toc1\">T1</a></span></p>" +
                         SubList(2));
  EXPECT_EQ(body[2], kRow + kLeaf + kContent +
                         "<span class=MsoHyperlink><a href=\"#_Toc2\">T2</a></span></p>" + kRowEnd);
  EXPECT_EQ(body[3], kClose + kClose + kClose);
}

TEST(MenuBody, TheTitleOfATableOfContentsIsNoEntry) {
  const std::string doc = "<p class=MsoTocX1><span class=MsoHyperlink><a target=\"mainFrame\" "
                          "href=\"page1.html\">Doc</a></span></p>";
  const std::string title = W("<p class=MsoTocHeading>Зміст</p>");
  const std::string toc1 =
      "<p class=MsoToc1><span class=MsoHyperlink><a href=\"#_Toc1\">T1</a></span></p>";
  const Lines with = MenuBody(doc + "\r\n" + title + "\r\n" + toc1 + "\r\n", ".gif");
  EXPECT_EQ(with, MenuBody(doc + "\r\n" + toc1 + "\r\n", ".gif"));
  for (const std::string& line : with)
    EXPECT_EQ(line.find(W("Зміст")), std::string::npos) << U(line);
}

TEST(TakeTableOfContents, TakesTheEntriesUpToTheFirstPlainParagraph) {
  struct Case {
    const char* page;
    std::optional<std::string> block;
    const char* left;
  } cases[] = {
      {"<head>\r\n<p class=MsoToc1>a</p>\r\n<p class=MsoNormal>x</p>",
       std::string("<p class=MsoToc1>a</p>\r\n"), "<head>\r\n<p class=MsoNormal>x</p>"},
      {"<p class=MsoNormal>x</p><p class=MsoToc1>a</p>", std::string(),
       "<p class=MsoNormal>x</p><p class=MsoToc1>a</p>"},
      {"<p class=MsoToc1>a</p>", std::string(), "<p class=MsoToc1>a</p>"},
      {"<p class=MsoNormal>x</p>", std::nullopt, "<p class=MsoNormal>x</p>"},
  };
  for (const Case& c : cases) {
    std::string page = c.page;
    EXPECT_EQ(TakeTableOfContents(page), c.block) << c.page;
    EXPECT_EQ(page, c.left) << c.page;
  }
}

TEST(MenuTitle, IsTheTextBeforeTheBlankAndBracket) {
  EXPECT_EQ(MenuTitle("Lecture [ /a/b.doc ]"), "Lecture");
  EXPECT_EQ(MenuTitle("a[b] c [ /x.pdf ]"), "a[b] c");
  EXPECT_EQ(MenuTitle("Heading"), "Heading");
}

class MenuPageTest : public ::testing::Test {
protected:
  std::string File(const char* name) { return U(ReadFileBytes(dir / name)); }
  TempDir dir;
  TextbookFolder folder{dir.path()};
};

TEST_F(MenuPageTest, MovesAWordTableOfContentsIntoTheMenu) {
  const std::string page =
      "<head>\r\n<p class=MsoToc1><span class=MsoHyperlink><a href=\"#_Toc1\">T1</a></span></p>\r\n"
      "<p class=MsoToc2><span class=MsoHyperlink><a href=\"#_Toc2\">T2</a></span></p>\r\n"
      "<p class=MsoNormal>Body</p>\r\n</body>\r\n";
  folder.WriteText("page1.html", "<p class=MsoNormal>first</p>", OutputEncoding::Cp1251);
  folder.WriteText("page2.html", "<p class=MsoNormal>x</p><p class=MsoToc1>stays</p>",
                   OutputEncoding::Cp1251);
  folder.WriteText("page3.html", page, OutputEncoding::Cp1251);
  const Outline outline = {{0, "Part"},
                           {1, "One [ /a/one.pdf ]"},
                           {1, "Two [ /a/two.doc ]"},
                           {0, W("Три [ /a/three.docx ]")}};
  MenuOptions options;
  options.titlePage = true;
  options.authorPage = true;
  options.homeExtension = ".JPG";
  WriteMenuPage(outline, folder, options);

  EXPECT_EQ(File("page3.html"), "<head>\r\n<p class=MsoNormal>Body</p>\r\n</body>\r\n");
  EXPECT_EQ(File("page2.html"), "<p class=MsoNormal>x</p><p class=MsoToc1>stays</p>");
  const std::string menu = File("menu.html");
  for (const std::string& expected :
       {std::string("<link type=\"text/css\" rel=\"StyleSheet\" href=\"menu.css\"/>\r\n<script"),
        std::string("<body>\r\n<P Align=Center>\r\n<A Target=\"mainFrame\" "
                    "Href=\"title.html\"><IMG SRC=\"img/home.JPG\"></A><BR></P>\r\n"),
        kRow + Toggle(2) + kContent +
            "<span class=MsoHyperlink><a target=\"mainFrame\" "
            "href=\"page3.html\">Три</a></span></p>" +
            SubList(2),
        kRow + Toggle(3) + kContent +
            "<span class=MsoHyperlink><a target=\"mainFrame\" "
            "href=\"page3.html#_Toc1\">T1</a></span></p>" +
            SubList(3),
        kRow + kLeaf + kContent +
            "<span class=MsoHyperlink><a target=\"mainFrame\" "
            "href=\"page3.html#_Toc2\">T2</a></span></p>" +
            kRowEnd + "\r\n" + kClose + kClose + kClose + "\r\n",
        std::string("<A Target=\"mainFrame\" Href=\"about.html\">Інформація про "
                    "автора</A><BR>\r\n</body>\r\n</Html>\r\n")})
    EXPECT_NE(menu.find(expected), std::string::npos) << expected;
  EXPECT_EQ(File("qcstyle.css"), "body, td {font-family:Verdana,Tahoma;font-size:13px;} \r\n"
                                 ".MsoToc0 {margin:4px;text-decoration:none;}\r\n.MsoToc1 "
                                 "{margin:4px;text-decoration:none;}\r\n"
                                 ".MsoToc2 {margin:4px;text-decoration:none;}\r\n.MsoToc3 "
                                 "{margin:4px;text-decoration:none;}\r\n"
                                 ".MsoToc4 {margin:4px;text-decoration:none;}\r\n.MsoToc5 "
                                 "{margin:4px;text-decoration:none;}\r\n"
                                 ".MsoToc6 {margin:4px;text-decoration:none;}\r\n.MsoToc7 "
                                 "{margin:4px;text-decoration:none;}\r\n");
}

TEST_F(MenuPageTest, WithoutToggleButtonsForAFlatCourseAndWithoutHomeOrAuthorLinks) {
  folder.WriteText("page1.html", "x", OutputEncoding::Cp1251);
  folder.WriteText("page2.html", "y", OutputEncoding::Cp1251);
  WriteMenuPage({{0, "a [ /a.pdf ]"}, {0, "b [ /b.pdf ]"}}, folder, MenuOptions{});
  const std::string menu = File("menu.html");
  EXPECT_EQ(menu.find("id=\"subBtn"), std::string::npos);
  EXPECT_EQ(menu.find("title.html"), std::string::npos);
  EXPECT_EQ(menu.find("about.html"), std::string::npos);
  EXPECT_NE(menu.find("\r\n" + kClose + "\r\n</body>"), std::string::npos);
}

TEST_F(MenuPageTest, APageThatWasNotWrittenIsAnError) {
  folder.WriteText("page1.html", "x", OutputEncoding::Cp1251);
  EXPECT_THROW(WriteMenuPage({{0, "a [ /a.pdf ]"}, {0, "b [ /b.pdf ]"}}, folder, MenuOptions{}),
               std::exception);
}

} // namespace
} // namespace quarbel
