#include "editor/editor_rules.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

namespace quarbel {
namespace {

using namespace testing;

TEST(EditorRules, FragmentsTakeTheTypedTextAsItIs) {
  EXPECT_EQ(LinkFragment("http://a.b/?q=\"1\"", "<b>Сайт</b>"),
            "<A Href = \"http://a.b/?q=\"1\"\"><b>Сайт</b></A>");
  EXPECT_EQ(ImageFragment("/home/t/pic.gif"), "<IMG SRC=\"/home/t/pic.gif\">");
  EXPECT_EQ(SubscriptFragment("2"), "<sub>2</sub>");
  EXPECT_EQ(SuperscriptFragment("a&b"), "<sup>a&b</sup>");
}

TEST(EditorRules, FontCommandValues) {
  EXPECT_EQ(ColorToHTML({0, 0, 0}), "#000000");
  EXPECT_EQ(ColorToHTML({255, 0, 0}), "#ff0000");
  EXPECT_EQ(ColorToHTML({0x0a, 0xbc, 0x0d}), "#0abc0d");
  EXPECT_EQ(FontNameValue("Arial"), "face=\"Arial,Arial,Arial\"");
  const int sizes[][2] = {{8, 2},  {9, 3},   {10, 3},  {11, 3}, {12, 4}, {14, 4},
                          {16, 5}, {18, 6},  {20, 6},  {22, 7}, {24, 8}, {26, 8},
                          {28, 9}, {36, 12}, {48, 16}, {72, 24}};
  for (const auto& size : sizes)
    EXPECT_EQ(FontSizeValue(size[0]), size[1]) << size[0];
}

TEST(EditorRules, OnlyTheSevenStyleSetsRunCommands) {
  using V = std::vector<std::string>;
  struct Case {
    bool b, i, u, s;
    V commands;
  } cases[] = {
      {true, false, false, false, V{"Bold"}},
      {false, true, false, false, V{"Italic"}},
      {true, true, false, false, V{"Bold", "Italic"}},
      {false, false, true, false, V{"Underline"}},
      {true, false, true, false, V{"Bold", "Underline"}},
      {false, true, true, false, V{"Italic", "Underline"}},
      {true, true, true, false, V{"Bold", "Italic", "Underline"}},
      {false, false, false, false, V{}},
      {true, false, false, true, V{}},
      {false, false, false, true, V{}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StyleCommands(c.b, c.i, c.u, c.s), c.commands) << c.b << c.i << c.u << c.s;
}

TEST(EditorRules, SaveAsAddsTheFilterExtensionUnlessAnHtmlOneIsThere) {
  struct Case {
    const char* chosen;
    int filter;
    const char* saved;
  } cases[] = {
      {"/t/notes", 0, "/t/notes.htm"},       {"/t/notes", 1, "/t/notes.html"},
      {"/t/notes.HTML", 0, "/t/notes.HTML"}, {"/t/notes.Htm", 1, "/t/notes.Htm"},
      {"/t/page.txt", 0, "/t/page.txt.htm"}, {"/t.d/page", 0, "/t.d/page.htm"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SaveAsName(c.chosen, c.filter), c.saved) << c.chosen;
}

TEST(EditorRules, PictureTargetsFollowTheExtensionThenTheFilter) {
  struct Case {
    const char* chosen;
    int filter;
    const char* target;
    int type;
  } cases[] = {
      {"/t/page", 0, "/t/page.Bmp", 1},          {"/t/page", 1, "/t/page.Gif", 2},
      {"/t/page", 2, "/t/page.Jpg", 3},          {"/t/page", 3, "/t/page.Jpeg", 4},
      {"/t/page.jpg", 0, "/t/page.jpg", 3},      {"/t/page.JPEG", 1, "/t/page.JPEG", 3},
      {"/t/page.Gif", 3, "/t/page.Gif", 2},      {"/t/page.bmp", 2, "/t/page.bmp", 1},
      {"/t/page.png", 3, "/t/page.png.Jpeg", 4},
  };
  for (const Case& c : cases) {
    const PictureTarget target = PictureTargetOf(c.chosen, c.filter);
    EXPECT_EQ(target.path, c.target) << c.chosen << " " << c.filter;
    EXPECT_EQ(target.type, c.type) << c.chosen << " " << c.filter;
  }
}

TEST(EditorRules, ZoomGoesUpToTwoHundredAndDownToTenPercent) {
  double factor = 1.0;
  std::vector<std::string> shown;
  while (ZoomIn(factor))
    shown.push_back(U(ZoomStatus(factor)));
  ASSERT_EQ(shown.size(), 10u);
  EXPECT_EQ(shown.front(), "Масштаб = 110%");
  EXPECT_EQ(shown[4], "Масштаб = 150%");
  EXPECT_EQ(shown.back(), "Масштаб = 200%");

  factor = 1.0;
  shown.clear();
  while (ZoomOut(factor))
    shown.push_back(U(ZoomStatus(factor)));
  ASSERT_EQ(shown.size(), 9u);
  EXPECT_EQ(shown.front(), "Масштаб = 90%");
  EXPECT_EQ(shown[7], "Масштаб = 20%");
  EXPECT_EQ(shown.back(), "Масштаб = 10%");
  EXPECT_EQ(U(ZoomStatus(1.0)), "Масштаб = 100%");
}

} // namespace
} // namespace quarbel
