#include "structure/node_text.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

namespace quarbel {
namespace {

using testing::U;
using testing::W;

TEST(NodeText, ComposeAndTakeApart) {
  struct Case {
    const char* text;
    bool document;
    const char* title;
    const char* path;
  } cases[] = {
      {"Лекція 1 [ D:\\Курс\\Лекція 1.doc ]", true, "Лекція 1", "D:\\Курс\\Лекція 1.doc"},
      {"a [ D:\\x [1]\\b.doc ]", true, "a", "D:\\x [1]\\b.doc"},
      {"Розділ 1", false, "Розділ 1", ""},
      {"", false, "", ""},
      {"[", true, "", ""},
      {"x[abc]", true, "", "b"},
      {" [ /a ]", true, "", "/a"},
  };
  for (const Case& c : cases) {
    const std::string text = W(c.text);
    EXPECT_EQ(IsDocumentText(text), c.document) << c.text;
    EXPECT_EQ(U(TitleFromNodeText(text)), c.title) << c.text;
    if (c.document) {
      EXPECT_EQ(U(PathFromNodeText(text)), c.path) << c.text;
    }
  }
  EXPECT_EQ(U(ComposeDocumentText(W("Лекція 1"), W("/курс/Лекція 1.doc"))),
            "Лекція 1 [ /курс/Лекція 1.doc ]");
}

TEST(NodeText, TitleFromPath) {
  struct Case {
    const char* path;
    const char* title;
  } cases[] = {
      {"/курс/Лекція 1.doc", "Лекція 1"},
      {"/a/Тема.нова.pdf", "Тема.нова"},
      {"/a/README", "README"},
      {"/a/.pdf", ".pdf"},
      {"/a/", ""},
      {"Лекція.doc", "Лекція"},
      {"/a.b/c", "c"},
      {"/a/Тема [2] (чернетка].doc", "Тема (2) (чернетка)"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(U(TitleFromPath(W(c.path))), c.title) << c.path;
}

TEST(NodeText, AFileNameWithBracketsStillGivesBackItsTitleAndPath) {
  const std::string path = W("/курс/[2023] Лекція [вступ].docx");
  const std::string text = ComposeDocumentText(TitleFromPath(path), path);
  EXPECT_EQ(U(TitleFromNodeText(text)), "(2023) Лекція (вступ)");
  EXPECT_EQ(PathFromNodeText(text), path);
}

} // namespace
} // namespace quarbel
