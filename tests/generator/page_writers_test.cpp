// The small page writers: clean-up and finishing of Word pages, wrapper pages, navigation,
// the style sheets, the frameset with the title page, and the author page.
#include "generator/navigation.h"
#include "generator/style_sheets.h"
#include "generator/title_page.h"
#include "generator/word_page.h"
#include "generator/wrapper_pages.h"

#include "support/test_support.h"
#include "text/file_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quarbel {
namespace {

using namespace testing;

std::string Show(const Lines& lines) {
  std::string out;
  for (const std::string& line : lines)
    out += U(line) + "\n";
  return out;
}

Lines L(std::initializer_list<const char*> utf8) {
  Lines lines;
  for (const char* line : utf8)
    lines.push_back(W(line));
  return lines;
}

TEST(WordPageCleanUp, ReplacesTheDeclarationDropsTheFirstMetaRunAndTitlesThePage) {
  Lines page =
      L({"<html>", "<head>",
         "<meta http-equiv=Content-Type content=\"text/html; charset=windows-1251\">",
         "<meta name=ProgId content=Word.Document>", "<meta name=Generator content=x>",
         "<link rel=File-List>", "<meta name=Originator content=y>", "<title>Лекція</title>",
         "<p>charset in text</p>", "<style>", "p {}", "</style>", "</head>", "<body>", "</body>"});
  CleanUpWordPage(page, 7, OutputEncoding::Utf8, false);
  EXPECT_EQ(Show(page),
            "<html>\n<head>\n<meta http-equiv=Content-Type content=\"text/html; charset=utf-8\">\n"
            "<link rel=File-List>\n<meta name=Originator content=y>\n<Title>Page 7</Title>\n"
            "<p>charset in text</p>\n<style>\np {}\n</style>\n</head>\n<body>\n</body>\n");
}

TEST(WordPageCleanUp, AStyleFileTakesEverythingFromTheFirstStyleToTheLastEndOfStyle) {
  Lines page = L({"<head>", "<TITLE>x</TITLE>", "<style>", "a{}", "</style>", "<p>between</p>",
                  "<style>b{}</style>", "</head>"});
  CleanUpWordPage(page, 1, OutputEncoding::Cp1251, true);
  EXPECT_EQ(Show(page), "<head>\n<TITLE>x</TITLE>\n\n</head>\n");
  // Every encoding the program offers declares itself in place of the page's own charset.
  for (const OutputEncoding encoding : kOutputEncodings) {
    Lines own = L({"<meta charset=x>"});
    CleanUpWordPage(own, 1, encoding, false);
    EXPECT_EQ(Show(own), CharsetLine(encoding) + "\n");
  }
}

TEST(PageFinishing, LinksTheStyleFileOrColoursTheBodyAfterTheHeadLine) {
  Lines page = L({"<html>", "<head> ", "<head>", "</head>"});
  FinishPage(page, "my_style.css", {});
  EXPECT_EQ(Show(page), "<html>\n<head> \n<head>\n<link type=\"text/css\" rel=\"StyleSheet\" "
                        "href=\"my_style.css\"/>\n</head>\n");
  Lines plain = L({"<head>"});
  FinishPage(plain, "", {255, 0, 128});
  EXPECT_EQ(Show(plain), "<head>\n<body BGColor = #ff0080>\n");
  Lines none = L({"<head >"});
  FinishPage(none, "", {});
  EXPECT_EQ(Show(none), "<head >\n");
}

TEST(WrapperPages, KindsComeFromWhatTheUpperCasedExtensionContains) {
  struct Case {
    const char* path;
    PageKind kind;
  } cases[] = {
      {"/a/x.doc", PageKind::Word},          {"/a/x.docx", PageKind::Word},
      {"/a/x.DOCM", PageKind::Word},         {"/a/x.Rtf", PageKind::Word},
      {"/a/x.mp4", PageKind::Video},         {"/a/x.pdf", PageKind::Pdf},
      {"/a/x.djvu", PageKind::DjVu},         {"/a/x.xmcd", PageKind::MathCad},
      {"/a/x.xlsx", PageKind::Excel},        {"/a/x.pptx", PageKind::PowerPoint},
      {"/a/x.pps", PageKind::PowerPoint},    {"/a/x.tiff", PageKind::Image},
      {"/a/Фото.JPEG", PageKind::Image},     {"/a/x.txt", PageKind::Unlisted},
      {"/a.pdf/README", PageKind::Unlisted},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PageKindOf(W(c.path)), c.kind) << c.path;
}

TEST(WrapperPages, IconImageAndVideoPagesLineByLine) {
  EXPECT_EQ(
      Show(IconPage(3, "lekcziya.pdf", PageKind::Pdf)),
      "<HTML>\n<head>\n<Title>Page 3</Title>\n<body>\n<Table Width = 100% Height = 100%>\n<TR>\n"
      "<TD Align = Center Valign = Middle>\n<A Href=\"other/lekcziya.pdf\"><IMG "
      "SRC=\"img/pdf.png\"></A>\n"
      "</TD>\n</TR>\n</Table>\n</head>\n</body>\n</HTML>\n");
  const Lines image = ImagePage(1, "foto_1.jpg");
  ASSERT_EQ(image.size(), 14u);
  EXPECT_EQ(image[7], "<IMG SRC=\"other/foto_1.jpg\">");
  EXPECT_EQ(
      Show(VideoPage(2, "film.mp4")),
      "<HTML>\n<head>\n<Title>Page 2</Title>\n<script type=\"text/javascript\" "
      "src=\"swfobject.js\"></script>\n"
      "<body>\n<Table Width = 100% Height = 100%>\n<TR>\n<TD Align = Center Valign = Middle>\n"
      "<P Align = Center ID=\"Player1\">\n"
      "<A Href = \"http://get.adobe.com/flashplayer/\">Для перегляду мультимедіа, необхідно "
      "встановити "
      "Adobe Flash Player</A></P>\n<script type=\"text/javascript\">\n"
      "var S1 = new SWFObject(\"mediaplayer.swf\", \"single\", \"640\", \"480\", \"7\");\n"
      "S1.addParam(\"allowfullscreen\", \"true\");\nS1.addParam(\"allowscriptaccess\", "
      "\"always\");\n"
      "S1.addVariable(\"wmode\", \"opaque\");\nS1.addVariable(\"autostart\", \"false\");\n"
      "S1.addVariable(\"file\", \"other/film.mp4\");\nS1.addVariable(\"stretching\", \"fill\");\n"
      "S1.addVariable(\"volume\", "
      "\"50\");\nS1.write(\"Player1\");\n</script>\n</TD>\n</TR>\n</Table>\n"
      "</head>\n</body>\n</HTML>\n");
  const std::string unlisted = Show(UnlistedPage(4, W("/a/Нотатки <1>.txt")));
  EXPECT_NE(
      unlisted.find("Документ \"Нотатки &lt;1&gt;.txt\" має тип, який посібник не може показати."),
      std::string::npos);
  EXPECT_NE(unlisted.find("<head>\n<Title>Page 4</Title>"), std::string::npos);
}

TEST(WrapperPages, ADocumentNameStaysInsideItsAttributeAndItsScriptString) {
  struct Case {
    const char* name;
    const char* attribute; // in the icon and image pages
    const char* script;    // in the video page
  } cases[] = {
      {"film.mp4", "film.mp4", "film.mp4"},
      {"lekcziya_\"vstup\".pdf", "lekcziya_&quot;vstup&quot;.pdf", "lekcziya_\\\"vstup\\\".pdf"},
      {"a\"onerror=\"alert(1)\".png", "a&quot;onerror=&quot;alert(1)&quot;.png",
       "a\\\"onerror=\\\"alert(1)\\\".png"},
      {"x\");alert(1);(\".mp4", "x&quot;);alert(1);(&quot;.mp4", "x\\\");alert(1);(\\\".mp4"},
      {"a\\b.mp4", "a\\b.mp4", "a\\\\b.mp4"},
      {"r&d_<1>.jpg", "r&d_<1>.jpg", "r&d_<1>.jpg"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IconPage(1, c.name, PageKind::Pdf)[7],
              std::string("<A Href=\"other/") + c.attribute + "\"><IMG SRC=\"img/pdf.png\"></A>");
    EXPECT_EQ(ImagePage(1, c.name)[7], std::string("<IMG SRC=\"other/") + c.attribute + "\">");
    const Lines video = VideoPage(1, c.name);
    EXPECT_NE(std::find(video.begin(), video.end(),
                        std::string("S1.addVariable(\"file\", \"other/") + c.script + "\");"),
              video.end());
  }
}

class WrittenFiles : public ::testing::Test {
protected:
  WrittenFiles() { folder.Prepare(); }
  std::string File(const char* name) { return U(ReadFileBytes(dir / name)); }
  TempDir dir;
  TextbookFolder folder{dir.path()};
};

TEST_F(WrittenFiles, NavigationLinksEachPageToItsNeighbours) {
  folder.WriteText("page1.html",
                   "<html>\r\n<body>\r\n<p>1</p>\r\n</div>\r\n\r\n</body>\r\n</html>\r\n",
                   OutputEncoding::Cp1251);
  folder.WriteText("page2.html",
                   W("<HTML>\r\n<head>\r\n</Table>\r\n</head>\r\n</body>\r\n</HTML>\r\n"),
                   OutputEncoding::Cp1251);
  folder.WriteText("page3.html", "<p>x</p></body>\r\n</BODY>\r\n", OutputEncoding::Cp1251);
  AddPageNavigation(folder, 3, OutputEncoding::Cp1251);
  EXPECT_EQ(
      File("page1.html"),
      "<html>\r\n<body>\r\n<p>1</p>\r\n</div>\r\n<P Align=Center>\r\n"
      "<A Href = \"page2.html\"><IMG SRC=\"img/forward.gif\"></A>\r\n\r\n</body>\r\n</html>\r\n");
  EXPECT_EQ(File("page2.html"),
            "<HTML>\r\n<head>\r\n</Table>\r\n<P Align=Center>\r\n"
            "<A Href = \"page1.html\"><IMG SRC=\"img/previous.gif\"></A>"
            "<A Href = \"page3.html\"><IMG "
            "SRC=\"img/forward.gif\"></A>\r\n</head>\r\n</body>\r\n</HTML>\r\n");
  EXPECT_EQ(File("page3.html"), "<p>x</p></body>\r\n</BODY>\r\n"); // no line is exactly </body>
}

TEST_F(WrittenFiles, MenuStyleSheetsInTheirTwoVariants) {
  WriteMenuStyleSheet(folder, {0xf2, 0xff, 0xbf}, OutputEncoding::Cp1251);
  const std::string menu = File("menu.css");
  EXPECT_EQ(menu.substr(0, menu.find("\r\n")), "body {background: #f2ffbf;} a {color: #FF6600; ");
  EXPECT_EQ(SplitLines(menu).size(), 15u);
  const std::string last = "\r\nbackground: #F9F9F9; padding: 4px; margin: 0px 20px 4px 4px;}\r\n";
  EXPECT_EQ(menu.substr(menu.size() - last.size()), last);

  WriteStockMenuStyleSheet(folder, OutputEncoding::Cp1251);
  const Lines stock = SplitLines(File("menu.css"));
  ASSERT_EQ(stock.size(), 136u);
  EXPECT_EQ(stock[0], "body, html {");
  EXPECT_EQ(stock[63], "line-height: 115%");
  EXPECT_EQ(stock[135], "}");
}

TEST_F(WrittenFiles, FramesetAndTitlePageWithTheDefaultStyle) {
  RecordValue title;
  title.texts[University] = W("Університет");
  title.texts[Faculty] = W("фізики");
  title.texts[Department] = W("оптики");
  title.texts[Discipline] = W("Фізика");
  title.texts[CityAndDate] = W("Київ 2026");
  title.checked = true;
  title.picture = RecordPicture{"GIF89a...", ".gif"};
  WriteTitlePage(folder, title, PageStyle{});
  EXPECT_EQ(
      File("index.html"),
      "<HTML>\r\n<Title>Електронний посібник з дисципліни: Фізика</Title>\r\n"
      "<meta http-equiv=Content-Type content=\"text/html; charset=windows-1251\">\r\n"
      "<FRAMESET COLS=\"300, *\">\r\n"
      "<FRAME Src=\"menu.html\" NAME=\"leftFrame\" Alt=\"5E0B9D27C4A1F6830D7E2B9C41A5F06E\">\r\n"
      "<FRAME Src=\"title.html\" NAME=\"mainFrame\">\r\n</FRAMESET> "
      "\r\n<NOFRAMES>\r\n</NOFRAMES>\r\n</HTML>\r\n");
  const Lines page = SplitLines(File("title.html"));
  ASSERT_EQ(page.size(), 26u); // with the logo, without a topic
  EXPECT_EQ(page[3], "<body BGColor = #f2ffbf Text=\"Black\">");
  EXPECT_EQ(page[6], "<Td Width = \"16%\">");
  EXPECT_EQ(page[7], "<P Align = \"Center\"><Img Src=\"img/logo.gif\" Border = \"0\"></P></Td>");
  EXPECT_EQ(page[9], "<H3 Class = MsoNormal Style = 'Text-Align:Center'><Font Face = "
                     "\"Arial\">Факультет фізики</Font></H3>");
  EXPECT_EQ(page[14], "<HR Color = \"#ffffbe\">");
  EXPECT_EQ(page[25],
            "<H3 Class = MsoBodyText2 Style = 'Margin-Bottom:0CM;Margin-Bottom:.0001PT;"
            "Text-Align:Center;Line-Height:Normal'><B><Span Lang = UK Style = "
            "'Font-Family:Arial;Mso-Ansi-Language:UK'>Київ 2026</Span></B></H3></body></Html>");
  EXPECT_EQ(ReadFileBytes(dir / "img" / "logo.gif"), "GIF89a...");
}

TEST_F(WrittenFiles, TitlePageWithAStyleFileATopicAndNoLogo) {
  RecordValue title;
  title.texts[Topic] = W("Лінзи");
  title.picture = RecordPicture{"bytes", ".jpg"}; // check box off: no logo
  WriteTitlePage(folder, title, PageStyle{OutputEncoding::Utf8, "my_style.css"});
  EXPECT_NE(ReadFileBytes(dir / "index.html").find("<Title>Електронний посібник</Title>"),
            std::string::npos);
  const Lines page = SplitLines(ReadFileBytes(dir / "title.html")); // UTF-8 as written
  ASSERT_EQ(page.size(), 25u);
  EXPECT_EQ(page[2], "<meta http-equiv=Content-Type content=\"text/html; charset=utf-8\">");
  EXPECT_EQ(page[3], "<link type=\"text/css\" rel=\"StyleSheet\" href=\"my_style.css\"/>");
  EXPECT_EQ(page[12], "<HR Color = \"#C8C8C8\">");
  EXPECT_NE(page[20].find(">Тема: Лінзи</Span>"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "img" / "logo.jpg"));
}

TEST_F(WrittenFiles, AuthorPageLineByLine) {
  RecordValue author;
  author.texts[Surname] = W("Іваненко");
  author.texts[FirstName] = W("Іван");
  author.texts[Patronymic] = W("Іванович");
  author.texts[Contacts] = W("\r\nivan@example.com");
  author.texts[Supplementary] = W("Рядок 1\r\nРядок 2");
  WriteAuthorPage(folder, author, PageStyle{});
  EXPECT_EQ(
      File("about.html"),
      "<HTML>\r\n<Title>Інформація про автора</Title>\r\n"
      "<meta http-equiv=Content-Type content=\"text/html; charset=windows-1251\">\r\n<body>\r\n"
      "<body BGColor = #f2ffbf>\r\n<Font Face=\"Arial\">\r\n<P Align=Center>\r\n"
      "<Font Size=3><B>Інформація про автора:</B>\r\n<Div Style=\"Margin-Top:50PX\"></Div>\r\n"
      "<P Align=Center>\r\n<Font Size=3><B></B>\r\n<P Align=Center>\r\n"
      "<Font Size=3><B>Іваненко Іван Іванович</B>\r\n<Div Style=\"Margin-Top:50PX\"></Div>\r\n"
      "<P Align=Center>\r\n<Font Size=3><B>Контактна інформація:</B>\r\n<P Align=Center>\r\n"
      "<Font Size=3><B>ivan@example.com</B>\r\n<Div Style=\"Margin-Top:50PX\"></Div>\r\n"
      "<P Align=Center>\r\n<Font Size=3><B>Додаткові відомості:</B>\r\n<P Align=Justify>\r\n"
      "<Font Size=3>Рядок 1\r\nРядок 2\r\n</Font>\r\n</body>\r\n</HTML>\r\n");

  author = RecordValue{};
  author.checked = true;
  author.picture = RecordPicture{"JPEG", ".jpg"};
  WriteAuthorPage(folder, author, PageStyle{OutputEncoding::Cp1251, "s.css"});
  const std::string page = File("about.html");
  EXPECT_NE(page.find("<body>\r\n<link type=\"text/css\" rel=\"StyleSheet\" href=\"s.css\"/>\r\n"),
            std::string::npos);
  EXPECT_NE(page.find("<P Align=Center>\r\n<IMG SRC=\"img/photo.jpg\">\r\n<Div Style"),
            std::string::npos);
  EXPECT_NE(page.find("<Font Size=3><B>  </B>"), std::string::npos);
  EXPECT_EQ(page.find("Контактна"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(dir / "img" / "photo.jpg"), "JPEG");
}

} // namespace
} // namespace quarbel
