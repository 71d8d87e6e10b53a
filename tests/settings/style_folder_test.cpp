#include "settings/style_folder.h"

#include "settings/style_choice.h"
#include "support/scripted_prompts.h"
#include "support/test_support.h"
#include "text/file_bytes.h"
#include "text/paths.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quarbel {
namespace {

using namespace testing;
namespace fs = std::filesystem;

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

TEST(StyleFolder, ListsStyleSheetsOfAnyLetterCaseWithoutTheirExtension) {
  TempDir dir;
  WriteBytes(dir / "Blue.css", "b");
  WriteBytes(dir / "Green.CSS", "g");
  WriteBytes(dir.path() / FsPath(W("Зелений.Css")),
             "z"); // a Windows-1251 name, as the list holds it
  WriteBytes(dir / "notes.txt", "n");
  WriteBytes(dir / "old.css.bak", "o");
  WriteBytes(dir / ".css", "nameless");
  const StyleFolder folder(dir.path());
  EXPECT_EQ(Sorted(folder.List()), Sorted({"Blue", "Green", W("Зелений")}));
  EXPECT_TRUE(StyleFolder(dir / "missing").List().empty());
  // The path of a listed style finds the file whatever the case of its extension.
  EXPECT_EQ(FsPath(folder.PathOf("Green")), dir / "Green.CSS");
  EXPECT_EQ(FsPath(folder.PathOf("Blue")), dir / "Blue.css");
  EXPECT_EQ(FsPath(folder.PathOf("Absent")), dir / "Absent.css");
}

TEST(StyleFolder, AddsCopiesAndAsksBeforeReplacing) {
  TempDir dir;
  const fs::path styles = dir / "Styles";
  fs::create_directory(styles);
  WriteBytes(styles / "Blue.css", "old blue");
  WriteBytes(dir / "Blue.css", "new blue");
  WriteBytes(dir / "Red.CSS", "red");
  const StyleFolder folder(styles);
  std::vector<std::string> list = {"Blue"};

  ScriptedPrompts prompts;
  prompts.answers = {Answer::No};
  folder.Add({dir / "Blue.css", dir / "Red.CSS"}, prompts, list);
  EXPECT_EQ(prompts.said, std::vector<std::string>{
                              "question: Стиль \" Blue.Css \" вже існує, бажаєте замінити його ?"});
  EXPECT_EQ(ReadFileBytes(styles / "Blue.css"), "old blue");
  // The copy takes a lower-case extension.
  EXPECT_EQ(ReadFileBytes(styles / "Red.css"), "red");
  EXPECT_EQ(list, (std::vector<std::string>{"Blue", "Red"}));

  prompts.said.clear();
  prompts.answers = {Answer::Yes};
  folder.Add({dir / "Blue.css"}, prompts, list);
  EXPECT_EQ(ReadFileBytes(styles / "Blue.css"), "new blue");
  EXPECT_EQ(list, (std::vector<std::string>{"Blue", "Red"})); // replacing adds no entry
}

TEST(StyleFolder, AMissingFileStopsTheRestAndANewFolderIsMade) {
  TempDir dir;
  WriteBytes(dir / "First.css", "1");
  WriteBytes(dir / "Third.css", "3");
  const StyleFolder folder(dir / "Styles");
  std::vector<std::string> list;
  ScriptedPrompts prompts;
  folder.Add({dir / "First.css", dir / "Second.css", dir / "Third.css"}, prompts, list);
  EXPECT_EQ(prompts.said, std::vector<std::string>{"warning: Не вдалося знайти зазначений файл !"});
  EXPECT_EQ(list, std::vector<std::string>{"First"});
  EXPECT_TRUE(fs::exists(dir / "Styles" / "First.css"));
  EXPECT_FALSE(fs::exists(dir / "Styles" / "Third.css"));
}

TEST(StyleFolder, RenameNeverReplacesAnotherStyle) {
  TempDir dir;
  WriteBytes(dir / "Blue.css", "blue");
  WriteBytes(dir / "Red.css", "red");
  WriteBytes(dir / "Upper.CSS", "upper");
  const StyleFolder folder(dir.path());
  EXPECT_FALSE(folder.Rename("Blue", "Red"));
  EXPECT_EQ(ReadFileBytes(dir / "Blue.css"), "blue");
  EXPECT_EQ(ReadFileBytes(dir / "Red.css"), "red");
  EXPECT_TRUE(folder.Rename("Blue", W("Синій")));
  EXPECT_EQ(ReadFileBytes(dir.path() / FsPath(W("Синій.css"))), "blue");
  EXPECT_FALSE(fs::exists(dir / "Blue.css"));
  EXPECT_TRUE(folder.Rename("Upper", "Lower"));
  EXPECT_EQ(ReadFileBytes(dir / "Lower.css"), "upper");
  EXPECT_FALSE(folder.Rename("Gone", "Other"));
}

TEST(StyleFolder, ARenameNeverMovesAStyleOutOfItsFolder) {
  TempDir dir;
  fs::create_directories(dir / "Styles");
  WriteBytes(dir / "Styles" / "Blue.css", "blue");
  const StyleFolder folder(dir / "Styles");
  for (const char* name : {"../Blue", "sub/Blue", "..", "a\\b", ""}) {
    EXPECT_FALSE(folder.Rename("Blue", name)) << name;
    EXPECT_EQ(ReadFileBytes(dir / "Styles" / "Blue.css"), "blue") << name;
  }
  EXPECT_FALSE(fs::exists(dir / "Blue.css"));
}

TEST(StyleFolder, RemoveAndClearDeleteOnlyStyleSheets) {
  TempDir dir;
  WriteBytes(dir / "Blue.css", "b");
  WriteBytes(dir / "Red.CSS", "r");
  WriteBytes(dir / "Green.css", "g");
  WriteBytes(dir / "readme.txt", "keep");
  const StyleFolder folder(dir.path());
  folder.Remove("Red");
  EXPECT_FALSE(fs::exists(dir / "Red.CSS"));
  EXPECT_EQ(ErrorOf([&] { folder.Remove("Red"); }), "<no error>"); // already gone
  folder.Clear();
  EXPECT_TRUE(folder.List().empty());
  EXPECT_TRUE(fs::exists(dir / "readme.txt"));
}

TEST(StyleFolder, AStyleThatCannotBeDeletedIsReported) {
  TempDir dir;
  fs::create_directory(dir / "Locked.css"); // a folder with content cannot be removed
  WriteBytes(dir / "Locked.css" / "inside", "x");
  WriteBytes(dir / "Blue.css", "b");
  const StyleFolder folder(dir.path());
  EXPECT_NE(ErrorOf([&] { folder.Remove("Locked"); }).find("Не вдалося видалити файл"),
            std::string::npos);
  EXPECT_NE(ErrorOf([&] { folder.Clear(); }).find("Locked.css"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir / "Blue.css")); // the others go all the same
}

TEST(StyleFolder, SearchListStepsThroughExactMatchesWithoutWrapping) {
  const std::vector<std::string> list = {"Blue", "Red", "blue", "Blue", "Bl"};
  struct Case {
    int selected;
    const char* text;
    bool forward;
    int found;
  } cases[] = {
      {-1, "Blue", true, 0},  {0, "Blue", true, 3},   {3, "Blue", true, -1}, {3, "Blue", false, 0},
      {0, "Blue", false, -1}, {-1, "Red", false, -1}, {-1, "blue", true, 2}, {-1, "Blu", true, -1},
      {4, "Bl", true, -1},    {-1, "Blue", false, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SearchList(list, c.selected, c.text, c.forward), c.found)
        << c.selected << " " << c.text << " " << c.forward;
}

TEST(StyleChoice, IconSizesHaveTheirLimits) {
  struct Case {
    IconSlot slot;
    int width, height;
    bool allowed;
  } cases[] = {
      {HomeIcon, 48, 48, true},  {HomeIcon, 49, 48, false},    {HomeIcon, 10, 10, true},
      {HomeIcon, 9, 20, false},  {PreviousIcon, 32, 32, true}, {ForwardIcon, 20, 49, false},
      {PlusIcon, 10, 10, true},  {PlusIcon, 32, 32, false},    {MinusIcon, 10, 11, false},
      {MinusIcon, 10, 10, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IconSizeAllowed(c.slot, c.width, c.height), c.allowed)
        << c.slot << " " << c.width << "x" << c.height;
}

} // namespace
} // namespace quarbel
