#include "structure/structure_file.h"

#include "support/test_support.h"
#include "text/error.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace quarbel {
namespace {

using testing::TempDir;
using testing::U;
using testing::W;

// A readable picture of an outline: one line per node, two dots per level of depth.
std::string Show(const Outline& outline) {
  std::string out;
  for (const OutlineNode& node : outline)
    out += std::string(2 * node.depth, '.') + U(node.text) + "|";
  return out;
}

std::string LevelError(std::string_view bytes) {
  try {
    ParseStructure(bytes);
  } catch (const Error& e) {
    return U(e.text());
  }
  return "<no error>";
}

std::string ReadFileBytesForTest(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

const Outline kCourse = {
    {0, W("Розділ 1")},
    {1, W("Лекція 1 [ D:\\Курс\\Лекція 1.doc ]")},
    {1, W("Лекція 2 [ D:\\Курс\\Лекція 2.pdf ]")},
    {0, W("Додатки")},
};

TEST(StructureFile, WritesTabsTextAndCrLfAndNothingElse) {
  EXPECT_EQ(U(FormatStructure(kCourse)), "Розділ 1\r\n"
                                         "\tЛекція 1 [ D:\\Курс\\Лекція 1.doc ]\r\n"
                                         "\tЛекція 2 [ D:\\Курс\\Лекція 2.pdf ]\r\n"
                                         "Додатки\r\n");
  EXPECT_EQ(FormatStructure({}), "");
  EXPECT_EQ(FormatStructure({{0, "a"}, {1, "b"}, {2, "c"}, {3, ""}, {0, "d"}}),
            "a\r\n\tb\r\n\t\tc\r\n\t\t\t\r\nd\r\n");
}

TEST(StructureFile, ReadsLinesLevelsAndEnds) {
  struct Case {
    const char* name;
    std::string bytes;
    const char* outline;
  } cases[] = {
      {"CR LF", "a\r\n\tb\r\n\t\tc\r\nd\r\n", "a|..b|....c|d|"},
      {"LF only", "a\n\tb\n\t\tc\nd\n", "a|..b|....c|d|"},
      {"CR only", "a\r\tb\r\t\tc\rd\r", "a|..b|....c|d|"},
      {"mixed ends", "a\r\tb\n\t\tc\r\nd", "a|..b|....c|d|"},
      {"LF CR is two ends", "a\n\rb", "a||b|"},
      {"no end at the end", "a\r\n\tb", "a|..b|"},
      {"two CR LF at the end", "a\r\n\r\n", "a||"},
      {"empty file", "", ""},
      {"only empty lines", "\r\n\n\r", "|||"},
      {"blank counts as a level", "a\r\n b\r\n\t c", "a|..b|....c|"},
      {"text starting with blanks goes deeper", "a\r\n\tb\r\n\t c", "a|..b|....c|"},
      {"first line indented is top level", "\t\t\ta\r\n\tb\r\nc", "a|..b|c|"},
      {"up several levels", "a\n\tb\n\t\tc\n\t\t\td\n\te\nf", "a|..b|....c|......d|..e|f|"},
      {"empty line after nested is top level", "a\n\tb\n\nc", "a|..b||c|"},
      {"NUL ends the reading", std::string("a\r\n\tb\0\r\n\t\t\t\tbad", 15), "a|..b|"},
      {"NUL first", std::string("\0a", 2), ""},
      {"document text", "x [ /a/b.doc ]", "x [ /a/b.doc ]|"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Show(ParseStructure(c.bytes)), c.outline) << c.name;
}

TEST(StructureFile, AJumpOfMoreThanOneLevelStopsWithTheLevelError) {
  EXPECT_EQ(LevelError("a\r\n\t\tb\r\nc"), "Invalid level (2) for item \"b\"");
  EXPECT_EQ(LevelError("a\n\tb\n\t\t\t  " + W("Лекція") + "\nc"),
            "Invalid level (5) for item \"Лекція\"");
  EXPECT_EQ(LevelError("\t\ta\n\t\tb"), "Invalid level (2) for item \"b\"");
  // A text that begins with blanks is read back deeper, and may then jump.
  EXPECT_EQ(LevelError(FormatStructure({{0, "a"}, {1, "  b"}})),
            "Invalid level (3) for item \"b\"");
}

TEST(StructureFile, WrittenAndReadBackIsIdentical) {
  TempDir dir;
  const auto file = dir / "Курс.QCT";
  WriteStructureFile(file, kCourse);
  EXPECT_EQ(ReadStructureFile(file), kCourse);
  EXPECT_EQ(U(ReadFileBytesForTest(file)), U(FormatStructure(kCourse)));

  WriteStructureFile(file, {{0, "x"}});
  EXPECT_EQ(ReadStructureFile(file), (Outline{{0, "x"}}));
}

TEST(StructureFile, AFailedReadGivesNothingToReplaceTheCurrentStructure) {
  TempDir dir;
  testing::WriteBytes(dir / "bad.QCT", "a\r\n\t\t\tb\r\n");
  Outline current = kCourse;
  EXPECT_THROW(current = ReadStructureFile(dir / "bad.QCT"), Error);
  EXPECT_THROW(current = ReadStructureFile(dir / "missing.QCT"), Error);
  EXPECT_EQ(current, kCourse);
}

TEST(StructureFile, LargeStructuresRoundTrip) {
  Outline outline;
  int depth = 0;
  for (int i = 0; i < 200000; ++i) {
    outline.push_back({depth, (i % 3 ? W("Тема ") : W("Лекція [ /курс/л")) + std::to_string(i) +
                                  (i % 3 ? "" : ".doc ]")});
    depth = (i % 7 == 6) ? 0 : (i % 5 == 4 ? depth / 2 : depth + 1);
  }
  ASSERT_TRUE(IsWellFormed(outline));
  TempDir dir;
  WriteStructureFile(dir / "big.QCT", outline);
  EXPECT_EQ(ReadStructureFile(dir / "big.QCT"), outline);
}

TEST(StructureFile, AnyBytesGiveAWellFormedOutlineThatRoundTripsOrTheLevelError) {
  std::mt19937 random(20261210);
  const char alphabet[] = {'\t', ' ', '\r', '\n', 'a', '[', ']', '\xE0', '\0', '\x98'};
  for (int round = 0; round < 3000; ++round) {
    std::string bytes(random() % 64, ' ');
    for (char& c : bytes)
      c = round % 2 ? alphabet[random() % sizeof alphabet] : static_cast<char>(random());
    try {
      const Outline outline = ParseStructure(bytes);
      ASSERT_TRUE(IsWellFormed(outline));
      ASSERT_EQ(ParseStructure(FormatStructure(outline)), outline);
    } catch (const Error& e) {
      ASSERT_EQ(std::string(e.what()).rfind("Invalid level (", 0), 0u);
    }
  }
}

} // namespace
} // namespace quarbel
