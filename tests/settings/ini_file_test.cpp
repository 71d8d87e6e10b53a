#include "settings/ini_file.h"

#include "support/test_support.h"
#include "text/file_bytes.h"

#include <gtest/gtest.h>

namespace quarbel {
namespace {

using namespace testing;

TEST(IniFile, ReadsKeyByKeyIgnoringLetterCaseBlanksAndQuotes) {
  const IniFile file = IniFile::Parse(
      "; notes of the user\r\n[Options]\r\nMovingPanel=0\r\n  style = \"Windows 7\" \r\n"
      "[Title]\nUniversity=" +
      W("Київський університет") + "\rName=\r\n");
  EXPECT_EQ(file.ReadString("options", "STYLE"), "Windows 7");
  EXPECT_FALSE(file.ReadBool("Options", "MovingPanel", true));
  EXPECT_EQ(U(file.ReadString("Title", "University")), "Київський університет");
  EXPECT_EQ(file.Read("Title", "Name"), "");
  EXPECT_FALSE(file.Read("Title", "Topic").has_value());
  EXPECT_FALSE(file.Read("About", "Name").has_value());
}

TEST(IniFile, BooleansAreIntegersOfEitherBase) {
  struct Case {
    const char* value;
    bool fallback;
    bool read;
  } cases[] = {{"1", false, true},   {"0", true, false},    {"0x10", false, true},
               {"0X0", true, false}, {"$1F", false, true},  {"$0", true, false},
               {"-1", false, true},  {"", true, true},      {"", false, false},
               {"yes", true, true},  {"yes", false, false}, {"0x", true, true}};
  for (const Case& c : cases) {
    const IniFile file = IniFile::Parse(std::string("[O]\r\nK=") + c.value + "\r\n");
    EXPECT_EQ(file.ReadBool("O", "K", c.fallback), c.read) << c.value;
  }
  EXPECT_TRUE(IniFile().ReadBool("O", "K", true));
}

TEST(IniFile, LongValuesAreReadUpTo2047Characters) {
  const IniFile file = IniFile::Parse("[O]\r\nK=" + std::string(3000, 'x') + "\r\n");
  EXPECT_EQ(file.ReadString("O", "K").size(), 2047u);
}

TEST(IniFile, WritingKeepsEverythingElse) {
  IniFile file =
      IniFile::Parse("; notes\r\n[Options]\r\nUnknown=keep\r\nStyle=Old\r\n\r\n[Other]\r\nX=1\r\n");
  file.Write("OPTIONS", "Style", "Windows 7");
  file.WriteBool("Options", "MovingPanel", false);
  file.Write("About", "SurName", W("Іваненко"));
  EXPECT_EQ(U(file.Text()),
            "; notes\r\n[Options]\r\nUnknown=keep\r\nStyle=Windows 7\r\nMovingPanel=0\r\n\r\n"
            "[Other]\r\nX=1\r\n\r\n[About]\r\nSurName=Іваненко\r\n");
  TempDir dir;
  file.Save(dir / "Quarbel Vorizareda.Ini");
  EXPECT_EQ(IniFile::Load(dir / "Quarbel Vorizareda.Ini").ReadString("Options", "Style"),
            "Windows 7");
  EXPECT_TRUE(IniFile::Load(dir / "missing.Ini").Text().empty());
}

TEST(IniFile, AValueReadsBackAsWrittenWithItsQuotesAndBlanks) {
  // Reading takes the blanks and one pair of quotes off a value; a value that would lose
  // them is written in quotes of its own, and any other value exactly as it is.
  struct Case {
    std::string value;
    std::string line;
  } cases[] = {
      {W("Київ"), W("K=Київ")},
      {W("\"Львівська політехніка\""), W("K=\"\"Львівська політехніка\"\"")},
      {W("Університет \"Україна\""), W("K=Університет \"Україна\"")},
      {"'single'", "K=\"'single'\""},
      {"\"\"", "K=\"\"\"\""},
      {"\"", "K=\""},
      {"\"half", "K=\"half"},
      {" leading", "K=\" leading\""},
      {"trailing\t", "K=\"trailing\t\""},
      {" ", "K=\" \""},
      {"", "K="},
  };
  for (const Case& c : cases) {
    IniFile file = IniFile::Parse("[O]\r\nK=old\r\n");
    file.Write("O", "K", c.value);
    EXPECT_EQ(file.Text(), "[O]\r\n" + c.line + "\r\n") << U(c.value);
    EXPECT_EQ(IniFile::Parse(file.Text()).Read("O", "K"), c.value) << U(c.value);
  }
}

TEST(IniFile, AFileThatCannotBeWrittenIsReportedByName) {
  TempDir dir;
  WriteBytes(dir / "file", "x");
  const auto path = dir / "file" / "Quarbel Vorizareda.Ini";
  EXPECT_EQ(ErrorOf([&] { IniFile().Save(path); }), "Unable to write to " + path.string());
}

TEST(MemoLines, JoinAndSplitAtHashMarks) {
  EXPECT_EQ(U(JoinMemoLines(W("вул. Нова, 1\r\nтел. 123"))), "вул. Нова, 1#тел. 123");
  EXPECT_EQ(U(SplitMemoLines(W("вул. Нова, 1#тел. 123"))), "вул. Нова, 1\r\nтел. 123");
  EXPECT_EQ(JoinMemoLines("one line\nwithout CR"), "one line\nwithout CR");
  EXPECT_EQ(JoinMemoLines("a\r\n\r\nb"), "a##b");
  EXPECT_EQ(SplitMemoLines("plain"), "plain");
}

} // namespace
} // namespace quarbel
