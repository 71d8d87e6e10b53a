#include "generator/generate_textbook.h"

#include "generator/fake_word_processor.h"
#include "pictures/builtin_icons.h"
#include "support/test_support.h"
#include "text/file_bytes.h"

#include <gtest/gtest.h>

namespace quarbel {
namespace {

using namespace testing;
namespace fs = std::filesystem;

class NoProgress : public ProgressSink {
public:
  void SetMaximum(int maximum) override { this->maximum = maximum; }
  void SetPosition(int position) override { this->position = position; }
  void ProcessEvents() override { ++events; }
  int maximum = -1, position = -1, events = 0;
};

class GenerateTest : public ::testing::Test {
protected:
  GenerateTest() {
    fs::create_directories(sources / "B");
    for (const char* name : {"x.doc", "z.rtf", "toc.docx", "broken.doc", "Лекція 1. Вступ.PDF",
                             "Фото 1.JPG", "film.mp4", "B/y.pdf", "notes.txt"})
      WriteBytes(sources / name, std::string("content of ") + name);
    input.programFolder = QUARBEL_PROGRAM_DIR;
    input.outputFolder = out.path() / "book";
  }

  std::string Doc(const char* title, const char* name) {
    return W(title) + " [ " + W((sources.path() / name).string().c_str()) + " ]";
  }
  std::string File(const std::string& name) { return U(ReadFileBytes(out.path() / "book" / name)); }
  bool Exists(const std::string& name) { return fs::exists(out.path() / "book" / name); }

  GenerationResult Run() {
    folder = std::make_unique<TextbookFolder>(input.outputFolder);
    folder->Prepare();
    return GenerateTextbook(input, *folder, word, progress);
  }

  TempDir sources, out;
  GenerationInput input;
  FakeWordProcessor word;
  NoProgress progress;
  std::unique_ptr<TextbookFolder> folder;
};

TEST_F(GenerateTest, PagesFollowTheDocumentsInDisplayOrder) {
  input.outline = {
      {0, "A"}, {1, Doc("x", "x.doc")}, {0, "B"}, {1, Doc("y", "B/y.pdf")}, {0, Doc("z", "z.rtf")}};
  ASSERT_EQ(Run(), GenerationResult::Done);
  EXPECT_NE(File("page1.html").find("<Title>Page 1</Title>"), std::string::npos);
  EXPECT_NE(File("page1.html").find("Документ x.doc"), std::string::npos);
  EXPECT_NE(File("page2.html").find("<A Href=\"other/y.pdf\"><IMG SRC=\"img/pdf.png\"></A>"),
            std::string::npos);
  EXPECT_NE(File("page3.html").find("Документ z.rtf"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(out.path() / "book" / "other" / "y.pdf"), "content of B/y.pdf");
  EXPECT_FALSE(Exists("other/x.doc"));
  EXPECT_TRUE(Exists("img/pdf.png"));
  EXPECT_EQ(word.calls,
            (std::vector<std::string>{"start", "open x.doc", "save quarbelpage.html", "close",
                                      "open z.rtf", "save quarbelpage.html", "close", "quit"}));
  EXPECT_EQ(progress.maximum, 5);
  EXPECT_EQ(progress.position, 7);
  // Once per node, and more while a page is still being made.
  EXPECT_GE(progress.events, 5);

  // Word pages: cleaned, finished with the background, navigation from the second page on.
  const std::string page1 = File("page1.html");
  EXPECT_NE(page1.find("<head>\r\n<body BGColor = #f2ffbf>\r\n<meta http-equiv"),
            std::string::npos);
  EXPECT_EQ(page1.find("<meta name"), std::string::npos);
  EXPECT_NE(page1.find("<P Align=Center>\r\n<A Href = \"page2.html\"><IMG "
                       "SRC=\"img/forward.gif\"></A>\r\n\r\n</body>"),
            std::string::npos);
  // The frameset, the menu, its style sheets and the built-in icons.
  EXPECT_NE(File("index.html").find("<FRAME Src=\"page1.html\" NAME=\"mainFrame\">"),
            std::string::npos);
  EXPECT_TRUE(Exists("menu.html") && Exists("qcstyle.css") && Exists("menu.css"));
  EXPECT_FALSE(Exists("title.html") || Exists("about.html"));
  EXPECT_EQ(ReadFileBytes(out.path() / "book" / "img" / "minus.gif"),
            BuiltInIconGif(BuiltInIcon::Minus));
}

TEST_F(GenerateTest, EveryKindOfNonWordDocumentGetsItsPageAndCopy) {
  input.outline = {{0, Doc("l", "Лекція 1. Вступ.PDF")},
                   {0, Doc("f", "Фото 1.JPG")},
                   {0, Doc("v", "film.mp4")},
                   {0, Doc("v2", "film.mp4")},
                   {0, Doc("n", "notes.txt")}};
  ASSERT_EQ(Run(), GenerationResult::Done);
  EXPECT_TRUE(word.calls.empty()); // no Word document: the word processor is never started
  EXPECT_TRUE(Exists("other/lekcziya_1__vstup.pdf"));
  EXPECT_NE(File("page2.html").find("<IMG SRC=\"other/foto_1.jpg\">"), std::string::npos);
  EXPECT_NE(File("page3.html").find("S1.addVariable(\"file\", \"other/film.mp4\");"),
            std::string::npos);
  EXPECT_EQ(ReadFileBytes(out.path() / "book" / "swfobject.js").substr(0, 2), "//");
  EXPECT_NE(File("page5.html").find("notes.txt"), std::string::npos);
  EXPECT_FALSE(Exists("other/notes.txt"));
}

TEST_F(GenerateTest, StyleFilesIconsAndTogglesShapeTheTextbook) {
  WriteBytes(sources / "Blue Sky.css", "body {}");
  input.styleFile = W((sources.path() / "Blue Sky.css").string().c_str());
  input.outline = {{0, Doc("toc", "toc.docx")}};
  input.icons[HomeIcon] = {"JPEGDATA", ".JPG"};
  input.titlePage = true;
  input.title.texts[Discipline] = W("Фізика");
  input.authorPage = true;
  ASSERT_EQ(Run(), GenerationResult::Done);
  EXPECT_EQ(ReadFileBytes(out.path() / "book" / "blue_sky.css"), "body {}");
  EXPECT_FALSE(Exists("menu.css"));
  const std::string page = File("page1.html");
  EXPECT_NE(
      page.find("<head>\r\n<link type=\"text/css\" rel=\"StyleSheet\" href=\"blue_sky.css\"/>"),
      std::string::npos);
  EXPECT_EQ(page.find("<style>"), std::string::npos);
  EXPECT_EQ(page.find("MsoToc"), std::string::npos);         // moved into the menu
  EXPECT_EQ(page.find("P Align=Center"), std::string::npos); // one page: no navigation
  const std::string menu = File("menu.html");
  EXPECT_NE(menu.find("href=\"blue_sky.css\"/>"), std::string::npos);
  EXPECT_NE(menu.find("<IMG SRC=\"img/home.JPG\">"), std::string::npos);
  EXPECT_NE(menu.find("href=\"page1.html#_Toc2\">Мета</a>"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(out.path() / "book" / "img" / "home.JPG"), "JPEGDATA");
  EXPECT_TRUE(Exists("title.html") && Exists("about.html"));
  EXPECT_NE(File("index.html").find("з дисципліни: Фізика"), std::string::npos);
}

TEST_F(GenerateTest, DefaultCssStyleFileGetsTheStockMenuSheet) {
  WriteBytes(sources / "Default.CSS", "p {}");
  input.styleFile = W((sources.path() / "Default.CSS").string().c_str());
  input.outline = {{0, Doc("l", "Лекція 1. Вступ.PDF")}};
  ASSERT_EQ(Run(), GenerationResult::Done);
  EXPECT_TRUE(Exists("default.css"));
  EXPECT_EQ(SplitLines(File("menu.css")).size(), 136u);
  EXPECT_NE(File("menu.html").find("href=\"menu.css\"/>"), std::string::npos);
  EXPECT_NE(File("page1.html").find("href=\"default.css\"/>"), std::string::npos);
}

TEST_F(GenerateTest, AFailingDocumentEndsTheWalkAndTheMenuReportsTheMissingPage) {
  input.outline = {{0, Doc("x", "x.doc")}, {0, Doc("b", "broken.doc")}, {0, Doc("z", "z.rtf")}};
  EXPECT_THROW(Run(), std::exception);
  EXPECT_TRUE(Exists("page1.html"));
  EXPECT_FALSE(Exists("page2.html"));
  EXPECT_EQ(word.calls.back(), "quit");
}

TEST_F(GenerateTest, TheFailureNamesTheDocumentThatEndedTheWalk) {
  input.outline = {{0, Doc("x", "x.doc")}, {0, Doc("b", "broken.doc")}, {0, Doc("z", "z.rtf")}};
  EXPECT_EQ(ErrorOf([&] { Run(); }), "Документ \"" + (sources / "broken.doc").string() +
                                         "\" не вдалося перетворити на сторінку:\ncannot open");
}

TEST_F(GenerateTest, NamesWithLettersTheTransliterationKeepsAreLinkedToTheirCopies) {
  for (const char* name : {"Ґанок.pdf", "Схема_комп’ютера.jpg"})
    WriteBytes(sources / name, std::string("content of ") + name);
  input.outline = {{0, Doc("g", "Ґанок.pdf")}, {0, Doc("s", "Схема_комп’ютера.jpg")}};
  ASSERT_EQ(Run(), GenerationResult::Done);
  for (const char* page : {"page1.html", "page2.html"}) {
    SCOPED_TRACE(page);
    const std::string text = File(page); // UTF-8 of the 1251 page
    const size_t at = text.find("\"other/");
    ASSERT_NE(at, std::string::npos);
    const std::string link = text.substr(at + 1, text.find('"', at + 1) - at - 1);
    // The page's link, read as a browser reads it, leads to the copy.
    EXPECT_TRUE(fs::is_regular_file(out.path() / "book" / link)) << link;
  }
}

TEST_F(GenerateTest, AFailingOnlyDocumentFailsTheConversion) {
  input.outline = {{0, "A"}, {1, Doc("b", "broken.doc")}};
  EXPECT_THROW(Run(), std::exception);
  EXPECT_FALSE(Exists("page1.html"));
}

TEST_F(GenerateTest, AFailingLastDocumentWhosePageExistsStillCompletes) {
  input.outline = {{0, Doc("x", "x.doc")}, {0, Doc("b", "broken.doc")}};
  input.outputFolder = out.path() / "book";
  fs::create_directories(input.outputFolder);
  WriteBytes(input.outputFolder / "page2.html", "<html>\r\n<head>\r\n</body>\r\n");
  EXPECT_EQ(Run(), GenerationResult::Done);
}

TEST_F(GenerateTest, AMissingWordProcessorIsReportedOnlyWhenAWordDocumentComes) {
  word.installed = false;
  input.outline = {{0, Doc("l", "Лекція 1. Вступ.PDF")}, {0, Doc("x", "x.doc")}};
  EXPECT_EQ(Run(), GenerationResult::WordProcessorMissing);
}

TEST_F(GenerateTest, TypedTitlesAndRecordTextsKeepTheirFormattingButNoOtherMarkup) {
  struct Case {
    const char* typed;
    const char* written;
  } cases[] = {
      {"Лекція 1. Вступ", "Лекція 1. Вступ"},
      {"CO<sub>2</sub>", "CO<sub>2</sub>"},
      {"R&amp;D", "R&amp;D"},
      {"<b>Фізика</b> <i>і</i> хімія", "<b>Фізика</b> <i>і</i> хімія"},
      {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
      {"<iframe src=\"http://x\"></iframe>", "&lt;iframe src=\"http://x\"&gt;&lt;/iframe&gt;"},
      {"<img src=x onerror=alert(1)>", "&lt;img src=x onerror=alert(1)&gt;"},
      {"<b onclick=\"go()\">x</b>", "&lt;b onclick=\"go()\"&gt;x</b>"},
      {"</span></p><p class=MsoToc1>x", "&lt;/span&gt;&lt;/p&gt;&lt;p class=MsoToc1&gt;x"},
  };
  int run = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    const fs::path book = out.path() / ("book" + std::to_string(++run));
    input.outputFolder = book;
    input.outline = {{0, W(c.typed)}, {1, Doc(c.typed, "B/y.pdf")}};
    input.titlePage = true;
    for (const TitlePageText text : {University, Discipline, Topic, CityAndDate})
      input.title.texts[text] = W(c.typed);
    input.authorPage = true;
    for (const AuthorText text : {Regalia, Surname, Contacts, Supplementary})
      input.author.texts[text] = W(c.typed);
    ASSERT_EQ(Run(), GenerationResult::Done);

    const std::string written = c.written;
    const auto page = [&](const char* name) { return U(ReadFileBytes(book / name)); };
    const std::string menu = page("menu.html");
    const std::string index = page("index.html");
    const std::string title = page("title.html");
    const std::string about = page("about.html");
    for (const std::string& expected :
         {"<p><span class=MsoHyperlink>" + written + "</span></p><div id=\"subDiv1\"",
          "href=\"page1.html\">" + written + "</a></span></p></td></tr></table>\r\n"})
      EXPECT_NE(menu.find(expected), std::string::npos) << expected;
    EXPECT_NE(index.find("<Title>Електронний посібник з дисципліни: " + written + "</Title>"),
              std::string::npos);
    for (const std::string& expected :
         {"<Font Face = \"Arial\">" + written + "</Font></H2>",
          "<Span Style = \"Font-Family:Arial;\">" + written + "</Span></Font></B>",
          "<Span Style = \"Font-Family:Arial;\">Тема: " + written + "</Span></Font>",
          "'Font-Family:Arial;Mso-Ansi-Language:UK'>" + written + "</Span></B></H3>"})
      EXPECT_NE(title.find(expected), std::string::npos) << expected;
    for (const std::string& expected :
         {"<P Align=Center>\r\n<Font Size=3><B>" + written + "</B>\r\n",
          "<Font Size=3><B>" + written + "  </B>\r\n",
          "<B>Контактна інформація:</B>\r\n<P Align=Center>\r\n<Font Size=3><B>" + written +
              "</B>\r\n",
          "<P Align=Justify>\r\n<Font Size=3>" + written + "\r\n</Font>\r\n"})
      EXPECT_NE(about.find(expected), std::string::npos) << expected;
    // What would be live markup is nowhere as typed.
    if (written != c.typed) {
      for (const std::string* text : {&menu, &index, &title, &about})
        EXPECT_EQ(text->find(c.typed), std::string::npos) << *text;
    }
  }
}

TEST_F(GenerateTest, ADocumentNameCannotAddAttributesOrScriptToItsPage) {
  WriteBytes(sources / "Лекція \"Вступ\".mp4", "video");
  input.outline = {{0, Doc("v", "Лекція \"Вступ\".mp4")},
                   {0, Doc("gone", "a\"onerror=\"alert(1)\".png")}};
  ASSERT_EQ(Run(), GenerationResult::Done);
  EXPECT_EQ(ReadFileBytes(out.path() / "book" / "other" / "lekcziya_\"vstup\".mp4"), "video");
  EXPECT_NE(
      File("page1.html").find("S1.addVariable(\"file\", \"other/lekcziya_\\\"vstup\\\".mp4\");"),
      std::string::npos);
  EXPECT_NE(File("page2.html").find("<IMG SRC=\"other/a&quot;onerror=&quot;alert(1)&quot;.png\">"),
            std::string::npos);
  EXPECT_EQ(File("page2.html").find("onerror=\""), std::string::npos);
}

TEST_F(GenerateTest, PagesAreWrittenInTheChosenEncoding) {
  input.outline = {{0, Doc("x", "x.doc")}, {0, Doc("l", "Лекція 1. Вступ.PDF")}};
  input.authorPage = true;
  input.author.texts[Surname] = W("Їжакевич");
  input.encoding = OutputEncoding::Utf8;
  ASSERT_EQ(Run(), GenerationResult::Done);
  const std::string page = ReadFileBytes(out.path() / "book" / "page1.html");
  EXPECT_NE(page.find("charset=utf-8"), std::string::npos);
  EXPECT_NE(page.find("Документ x.doc"), std::string::npos); // UTF-8 bytes as they are
  EXPECT_NE(ReadFileBytes(out.path() / "book" / "about.html").find("Їжакевич"), std::string::npos);

  input.encoding = OutputEncoding::Koi8r;
  ASSERT_EQ(Run(), GenerationResult::Done);
  const std::string about = ReadFileBytes(out.path() / "book" / "about.html");
  EXPECT_NE(about.find("charset=koi8-r"), std::string::npos);
  EXPECT_NE(about.find("&#1031;\xD6\xC1\xCB"), std::string::npos); // Ї has no KOI8-R letter
}

} // namespace
} // namespace quarbel
