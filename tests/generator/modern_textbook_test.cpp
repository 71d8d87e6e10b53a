#include "generator/generate_textbook.h"
#include "generator/html_plain_text.h"
#include "generator/modern_menu.h"

#include "generator/fake_word_processor.h"
#include "support/test_support.h"
#include "text/error.h"
#include "text/file_bytes.h"
#include "text/json_text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

namespace quarbel {
namespace {

using namespace testing;
namespace fs = std::filesystem;

TEST(JsonString, IsPlainAsciiThatMeansTheSameEverywhere) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain", "\"plain\""},
      {"Лекція", "\"\\u041b\\u0435\\u043a\\u0446\\u0456\\u044f\""},
      {"п’ять", "\"\\u043f\\u2019\\u044f\\u0442\\u044c\""},
      {"\xF0\x9F\x93\x9A", "\"\\ud83d\\udcda\""}, // a character beyond U+FFFF
      {"a\"b\\c\nd\te", "\"a\\\"b\\\\c\\nd\\u0009e\""},
      {"</script><b>&", "\"\\u003c/script\\u003e\\u003cb\\u003e\\u0026\""},
      {"\xFF\xC0\x80x", "\"\\ufffd\\ufffdx\""}, // not UTF-8, and an overlong form
      {"\xE2\x82", "\"\\ufffd\\ufffd\""},       // cut short
  };
  for (const auto& [text, json] : cases)
    EXPECT_EQ(JsonString(text), json) << text;
}

TEST(PlainTextOfHtml, GivesWhatAReaderSees) {
  EXPECT_EQ(PlainTextOfHtml("<p>Сила&nbsp;тяжіння&#8217;s</p><p>друга <b>частина</b></p>"),
            "Сила\u00a0тяжіння’s друга частина");
  EXPECT_EQ(PlainTextOfHtml("<style>p{color:red}</style><script>var x=1;</script>текст"), "текст");
  EXPECT_EQ(PlainTextOfHtml("<table><tr><td>a</td><td>b</td></tr></table>c<br>d"), "a b c d");
  EXPECT_EQ(PlainTextOfHtml(""), "");
}

TEST(ModernMenu, TablesOfContentsNestUnderTheirPage) {
  const std::string block = W(
      "<p class=MsoTocHeading>Зміст</p>\r\n"
      "<p class=MsoToc1><span class=MsoHyperlink><a href=\"#_Toc1\">1. Вступ</a></span></p>\r\n"
      "<p class=MsoToc2><span class=MsoHyperlink><a href=\"#_Toc2\">1.1 "
      "<b>Мета</b></a></span></p>\r\n"
      "<p class=MsoToc3><span class=MsoHyperlink><a href=\"#_Toc3\">1.1.1 Задачі</a></span></p>\r\n"
      "<p class=MsoToc1><span class=MsoHyperlink><a href=\"#_Toc4\">2. Висновки</a></span></p>\r\n"
      "<p class=MsoToc2><span class=MsoHyperlink>без посилання</span></p>\r\n");
  const std::vector<ContentsEntry> entries = ContentsEntriesOf(block);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[1], (ContentsEntry{2, "1.1 Мета", "_Toc2"}));
  EXPECT_EQ(entries[3], (ContentsEntry{1, "2. Висновки", "_Toc4"}));

  std::vector<std::pair<int, MenuEntry>> leveled;
  for (const ContentsEntry& entry : entries)
    leveled.push_back({entry.level, {entry.title, "page1.html#" + entry.anchor, {}}});
  leveled.push_back({4, {"a level too deep", "x", {}}}); // goes one step below, not three
  std::vector<MenuEntry> tree;
  AddNested(tree, leveled);
  ASSERT_EQ(tree.size(), 2u);
  ASSERT_EQ(tree[0].children.size(), 1u);
  EXPECT_EQ(tree[0].children[0].children[0].title, "1.1.1 Задачі");
  ASSERT_EQ(tree[1].children.size(), 1u);
  EXPECT_EQ(tree[1].children[0].title, "a level too deep");
  EXPECT_EQ(MenuScript("Курс", {{"A</script>", "page1.html", {{"B", "", {}}}}}),
            "\xEF\xBB\xBFwindow.QUARBEL_MENU = {\"title\":\"Курс\",\"entries\":"
            "[{\"t\":\"A\\u003c/script\\u003e\",\"h\":\"page1.html\",\"c\":[{\"t\":\"B\"}]}]};\n");
}

class ModernTextbookTest : public ::testing::Test {
protected:
  ModernTextbookTest() {
    for (const char* name :
         {"toc lecture.docx", "notes.pdf", "film.mp4", "photo.jpg", "x.doc", "broken.docx"})
      WriteBytes(sources / name, std::string("content of ") + name);
    input.programFolder = QUARBEL_PROGRAM_DIR;
    input.layout = TextbookLayout::Modern;
    input.outline = {{0, W("Розділ <b>1</b>")},         {1, Doc("Лекція 1", "toc lecture.docx")},
                     {1, Doc("Конспект", "notes.pdf")}, {0, W("Розділ 2")},
                     {1, Doc("Відео", "film.mp4")},     {1, Doc("Фото", "photo.jpg")},
                     {0, Doc("Підсумок", "x.doc")}};
    input.titlePage = true;
    input.title.texts[University] = W("Університет");
    input.title.texts[Discipline] = W("Фізика & астрономія");
    input.authorPage = true;
    input.author.texts[Surname] = W("Шевченко");
  }

  std::string Doc(const char* title, const char* name) {
    return W(title) + " [ " + (sources.path() / name).string() + " ]";
  }

  // Converts and gives the error, or "".
  std::string Convert() {
    input.outputFolder = out / "book";
    TextbookFolder folder(input.outputFolder);
    folder.Prepare();
    SilentProgress quiet;
    try {
      EXPECT_EQ(GenerateTextbook(input, folder, word, quiet), GenerationResult::Done);
    } catch (const Error& error) {
      return U(error.text());
    }
    return "";
  }
  std::string File(const char* name) { return ReadFileBytes(out / "book" / name); }
  std::string Utf8File(const char* name) { return U(File(name)); }

  TempDir sources, out;
  GenerationInput input;
  FakeWordProcessor word;
};

TEST_F(ModernTextbookTest, EveryPageStandsAloneWithItsNeighboursAndTheMenuData) {
  ASSERT_EQ(Convert(), "");
  for (const char* gone :
       {"menu.html", "title.html", "about.html", "mediaplayer.swf", "swfobject.js", "qcstyle.css"})
    EXPECT_FALSE(fs::exists(out / "book" / gone)) << gone;
  for (const char* asset : {"assets/quarbel.css", "assets/quarbel.js", "assets/lunr.js"})
    EXPECT_GT(File(asset).size(), 100u) << asset;

  struct Expected {
    const char* page;
    const char* previous;
    const char* next;
  };
  for (const Expected& e :
       {Expected{"index.html", "", "page1.html"},
        Expected{"page1.html", "index.html", "page2.html"},
        Expected{"page3.html", "page2.html", "page4.html"},
        Expected{"page5.html", "page4.html", ""}, Expected{"author.html", "", ""}}) {
    const std::string page = Utf8File(e.page);
    EXPECT_EQ(page.rfind("<!DOCTYPE html>\r\n<html lang=\"uk\">", 0), 0u) << e.page;
    EXPECT_NE(page.find("<meta charset=\"windows-1251\">"), std::string::npos) << e.page;
    EXPECT_NE(page.find(std::string("data-page=\"") + e.page + "\""), std::string::npos);
    EXPECT_EQ(page.find("data-prev=") != std::string::npos, *e.previous != 0) << e.page;
    if (*e.previous)
      EXPECT_NE(page.find(std::string("data-prev=\"") + e.previous + "\""), std::string::npos);
    if (*e.next)
      EXPECT_NE(page.find(std::string("<a rel=\"next\" href=\"") + e.next + "\">"),
                std::string::npos)
          << e.page;
    EXPECT_EQ(page.find("<frame"), std::string::npos);
    EXPECT_NE(page.find("<main id=\"content\">"), std::string::npos);
    EXPECT_NE(page.find("<title>"), std::string::npos);
  }
  // The Word page: its own body and style, its table of contents lifted into the menu.
  const std::string lecture = Utf8File("page1.html");
  EXPECT_NE(lecture.find("Документ toc lecture.docx"), std::string::npos);
  EXPECT_NE(lecture.find("<style>"), std::string::npos);
  EXPECT_EQ(lecture.find("MsoToc"), std::string::npos);
  EXPECT_NE(lecture.find("<title>Лекція 1 — Фізика &amp; астрономія</title>"), std::string::npos);
  // Other kinds: the file with its icon, the video element, the picture.
  EXPECT_NE(Utf8File("page2.html").find("<a href=\"other/notes.pdf\"><img src=\"img/pdf.png\""),
            std::string::npos);
  EXPECT_NE(
      Utf8File("page3.html").find("<video controls preload=\"metadata\" src=\"other/film.mp4\">"),
      std::string::npos);
  EXPECT_NE(Utf8File("page4.html").find("<img src=\"other/photo.jpg\" alt=\"photo.jpg\">"),
            std::string::npos);
  EXPECT_NE(Utf8File("index.html").find("<h1>Фізика &amp; астрономія</h1>"), std::string::npos);
  EXPECT_NE(Utf8File("author.html").find("Шевченко"), std::string::npos);

  const std::string menu = File("assets/menu.js");
  EXPECT_EQ(menu.rfind("\xEF\xBB\xBFwindow.QUARBEL_MENU = ", 0), 0u);
  EXPECT_NE(menu.find(JsonUtf8String("Розділ 1") + ",\"c\":[{\"t\":" + JsonUtf8String("Лекція 1") +
                      ",\"h\":\"page1.html\",\"c\":[{\"t\":" + JsonUtf8String("Вступ") +
                      ",\"h\":\"page1.html#_Toc1\",\"c\":[{\"t\":" + JsonUtf8String("Мета") +
                      ",\"h\":\"page1.html#_Toc2\"}]}]}"),
            std::string::npos)
      << menu;
  EXPECT_NE(menu.find("{\"t\":" + JsonUtf8String("Титульна сторінка") + ",\"h\":\"index.html\"}"),
            std::string::npos);
  const std::string search = File("assets/search.js");
  EXPECT_NE(search.find("{\"id\":\"page1.html\",\"t\":" + JsonUtf8String("Лекція 1") + ",\"x\":"),
            std::string::npos);
  EXPECT_NE(search.find(JsonUtf8String("Документ x.doc")), std::string::npos);
}

TEST_F(ModernTextbookTest, EveryEncodingIsDeclaredAsWritten) {
  for (const auto& [encoding, charset] :
       {std::pair{OutputEncoding::Utf8, "utf-8"}, std::pair{OutputEncoding::Koi8r, "koi8-r"}}) {
    input.encoding = encoding;
    ASSERT_EQ(Convert(), "");
    const std::string page = File("page1.html");
    EXPECT_NE(page.find(std::string("<meta charset=\"") + charset + "\">"), std::string::npos);
    const std::string words = encoding == OutputEncoding::Utf8
                                  ? std::string("Лекція 1")
                                  : EncodeForTextbook(W("Лекція 1"), encoding);
    EXPECT_NE(page.find(words), std::string::npos) << charset;
    fs::remove_all(out / "book");
  }
}

// What HTML Tidy says of a page: nothing for a valid HTML5 page.
std::string TidyReport(const fs::path& page, bool warnings) {
  const fs::path report = page.string() + ".tidy";
  const std::string command = std::string("tidy -q -e -utf8 --show-warnings ") +
                              (warnings ? "yes" : "no") + " '" + page.string() + "' 2>'" +
                              report.string() + "'";
  const int status = std::system(command.c_str());
  std::string text = ReadFileBytes(report);
  fs::remove(report);
  return WIFEXITED(status) && WEXITSTATUS(status) <= 1 ? text : "tidy failed: " + text;
}

TEST_F(ModernTextbookTest, WhatTheProgramWritesIsValidHtml) {
  input.encoding = OutputEncoding::Utf8;
  input.author.picture = RecordPicture{"GIF89a", ".gif"};
  input.author.checked = true;
  input.outline.push_back({0, Doc("Невідомий", "notes.xyz")});
  WriteBytes(sources / "notes.xyz", "x");
  ASSERT_EQ(Convert(), "");
  // The program's own pages, with every kind of content it writes.
  for (const char* page : {"index.html", "author.html", "page2.html", "page3.html", "page4.html",
                           "page5.html", "page6.html"})
    EXPECT_EQ(TidyReport(out / "book" / page, true), "") << page;
  // A Word page's body is the word processor's own markup; around it, nothing is wrong.
  EXPECT_EQ(TidyReport(out / "book" / "page1.html", false), "");
}

TEST_F(ModernTextbookTest, WithoutATitlePageTheTextbookOpensOnItsFirstPage) {
  input.titlePage = false;
  ASSERT_EQ(Convert(), "");
  EXPECT_NE(
      Utf8File("index.html").find("<meta http-equiv=\"refresh\" content=\"0; url=page1.html\">"),
      std::string::npos);
  EXPECT_EQ(Utf8File("page1.html").find("data-prev="), std::string::npos);
  EXPECT_EQ(File("assets/menu.js").find(JsonUtf8String("Титульна сторінка")), std::string::npos);
}

TEST_F(ModernTextbookTest, AFailingDocumentFailsTheConversionAsTheClassicLookDoes) {
  input.outline.insert(input.outline.begin() + 2, {1, Doc("Зламаний", "broken.docx")});
  const std::string modern = Convert();
  fs::remove_all(out / "book");
  input.layout = TextbookLayout::Classic;
  EXPECT_EQ(modern, Convert());
  EXPECT_NE(modern.find("broken.docx"), std::string::npos) << modern;
}

} // namespace
} // namespace quarbel
