#include "structure/structure_commands.h"

#include "structure/structure_file.h"
#include "support/scripted_prompts.h"
#include "support/test_support.h"
#include "text/file_bytes.h"

#include <gtest/gtest.h>

namespace quarbel {
namespace {

using namespace testing;
namespace fs = std::filesystem;
using Node = CourseTree::Node;

const char* const kSave = "question: Зберегти зміни в структурі ?";
const char* const kReplace = "question: Даний файл вже існує, бажаєте замінити його ?";
const char* const kEmpty = "warning: В структурі немає жодного елемента !";
const char* const kOpenDialog = "open: Файли структур (*.QCT *.qct)";
const char* const kSaveDialog = "save: Файли структур (*.QCT *.qct)";

// The tree as "text|..", two dots per level.
std::string Show(const CourseTree& tree) {
  std::string out;
  for (const Node* node : tree.DisplayOrder())
    out += std::string(2 * node->Depth(), '.') + U(node->text) + "|";
  return out;
}

Node* Find(const CourseTree& tree, const char* utf8) {
  for (Node* node : tree.DisplayOrder()) {
    if (node->text == W(utf8))
      return node;
  }
  return nullptr;
}

class StructureCommandsTest : public ::testing::Test {
protected:
  StructureCommandsTest() {
    tree.Assign({{0, "A"},
                 {1, "A1"},
                 {1, "A2"},
                 {2, "A2a"},
                 {0, "B"},
                 {1, W("Лекція [ /k/Лекція.doc ]")},
                 {0, "C"}});
  }
  TempDir dir;
  CourseTree tree;
  ScriptedPrompts prompts;
  StructureCommands commands{tree, prompts};
};

TEST_F(StructureCommandsTest, SavingToTheCurrentFileNeverAsksAndAnotherExistingFileDoes) {
  WriteBytes(dir / "other.QCT", "old");
  prompts.files = {dir / "course.QCT"};
  commands.modified = true;
  commands.SaveStructure(); // no file yet: save as
  EXPECT_EQ(commands.structureFileName, dir / "course.QCT");
  EXPECT_FALSE(commands.modified);
  EXPECT_EQ(ReadStructureFile(dir / "course.QCT"), tree.ToOutline());

  commands.modified = true;
  commands.SaveStructure();
  EXPECT_EQ(prompts.said, (std::vector<std::string>{kSaveDialog}));

  // Another existing file: No shows the dialog again, until a new name, Yes or Cancel.
  prompts.said.clear();
  prompts.files = {dir / "other.QCT", dir / "other.QCT", dir / "COURSE.QCT"};
  prompts.answers = {Answer::No, Answer::No};
  WriteBytes(dir / "COURSE.QCT", "x");
  prompts.answers.push_back(Answer::Yes);
  commands.SaveStructureAs();
  EXPECT_EQ(prompts.said, (std::vector<std::string>{kSaveDialog, kReplace, kSaveDialog, kReplace,
                                                    kSaveDialog, kReplace}));
  EXPECT_EQ(commands.structureFileName, dir / "COURSE.QCT");
  EXPECT_EQ(ReadFileBytes(dir / "other.QCT"), "old");
}

TEST_F(StructureCommandsTest, AnEmptyStructureIsNeverSaved) {
  tree.Clear();
  commands.SaveStructure();
  commands.SaveStructureAs();
  EXPECT_EQ(prompts.said, (std::vector<std::string>{kEmpty, kEmpty}));
}

TEST_F(StructureCommandsTest, OpeningAsksToSaveThenReadsTheFile) {
  WriteStructureFile(dir / "new.QCT", {{0, "X"}, {1, "Y"}});
  commands.modified = true;
  const std::string before = Show(tree);
  // Yes, then a cancelled save dialog: nothing was saved, so nothing is opened either.
  prompts.answers = {Answer::Yes};
  prompts.files = {fs::path()};
  commands.OpenStructure();
  EXPECT_EQ(prompts.said, (std::vector<std::string>{kSave, kSaveDialog}));
  EXPECT_EQ(Show(tree), before);
  EXPECT_TRUE(commands.modified);

  prompts.said.clear();
  prompts.answers = {Answer::No};
  prompts.files = {dir / "new.QCT"};
  commands.OpenStructure();
  EXPECT_EQ(prompts.said, (std::vector<std::string>{kSave, kOpenDialog}));
  EXPECT_EQ(Show(tree), "X|..Y|");
  EXPECT_FALSE(commands.modified);
  EXPECT_EQ(commands.structureFileName, dir / "new.QCT");
  EXPECT_FALSE(tree.roots()[0]->expanded);

  prompts.said.clear();
  prompts.files = {dir / "missing.QCT"};
  commands.OpenStructure();
  EXPECT_EQ(prompts.said, (std::vector<std::string>{
                              kOpenDialog, "warning: Не вдалося знайти зазначений файл !"}));

  // A file that stops with the level error changes nothing.
  WriteBytes(dir / "bad.QCT", "a\r\n\t\t\tb\r\n");
  commands.modified = true;
  prompts.said.clear();
  prompts.answers = {Answer::No};
  prompts.files = {dir / "bad.QCT"};
  EXPECT_EQ(ErrorOf([&] { commands.OpenStructure(); }), "Invalid level (3) for item \"b\"");
  EXPECT_EQ(Show(tree), "X|..Y|");
  EXPECT_TRUE(commands.modified);
  EXPECT_EQ(commands.structureFileName, dir / "new.QCT");

  prompts.answers = {Answer::Cancel};
  commands.OpenStructure();
  EXPECT_EQ(prompts.said.back(), kSave);
}

TEST_F(StructureCommandsTest, ClearingKeepsTheFileNameSoTheNextSaveGoesThere) {
  commands.structureFileName = dir / "course.QCT";
  WriteBytes(dir / "course.QCT", "old");
  prompts.answers = {Answer::Yes};
  commands.ClearStructure();
  EXPECT_TRUE(tree.Empty());
  EXPECT_TRUE(commands.modified);
  commands.CreateItem("New", false);
  commands.SaveStructure();
  EXPECT_EQ(ReadFileBytes(dir / "course.QCT"), "New\r\n");
  EXPECT_EQ(prompts.said,
            (std::vector<std::string>{"question: Ви дійсно бажаєте очистити структуру ?"}));
}

TEST_F(StructureCommandsTest, TheCloseQuestion) {
  EXPECT_TRUE(commands.CloseQuery()); // nothing changed: no question
  commands.modified = true;
  prompts.answers = {Answer::Cancel};
  EXPECT_FALSE(commands.CloseQuery());
  prompts.answers = {Answer::No};
  EXPECT_TRUE(commands.CloseQuery());
  // Yes without a file: the save dialog; cancelling it saves nothing, so the window stays.
  prompts.answers = {Answer::Yes};
  prompts.files = {fs::path()};
  EXPECT_FALSE(commands.CloseQuery());
  EXPECT_TRUE(commands.modified);
  // Yes and a file: saved, and the window closes.
  prompts.answers = {Answer::Yes};
  prompts.files = {dir / "saved.QCT"};
  EXPECT_TRUE(commands.CloseQuery());
  EXPECT_TRUE(fs::exists(dir / "saved.QCT"));
  commands.modified = true;
  commands.structureFileName.clear();
  // Yes with an empty structure asks whether to leave without saving.
  tree.Clear();
  prompts.said.clear();
  prompts.answers = {Answer::Yes, Answer::No};
  EXPECT_FALSE(commands.CloseQuery());
  EXPECT_EQ(prompts.said.back(),
            "question: В структурі немає жодного елемента !\r\nЗбереження структури не буде "
            "виконане.\r\nВи бажаєте продовжити вихід із програми ?");
  // A write error keeps the window open: it is thrown for the error report.
  tree.AddLast(nullptr, "x");
  commands.structureFileName = dir / "no-folder" / "x.QCT";
  prompts.answers = {Answer::Yes};
  EXPECT_NE(ErrorOf([&] { commands.CloseQuery(); }), "<no error>");
}

TEST_F(StructureCommandsTest, CreatingItemsAndSubItems) {
  commands.selected = Find(tree, "A2a");
  commands.CreateItem("sibling", false);
  commands.CreateItem(" sub", true); // stored as typed
  EXPECT_EQ(Show(tree),
            "A|..A1|..A2|....A2a|...... sub|....sibling|B|..Лекція [ /k/Лекція.doc ]|C|");
  EXPECT_TRUE(Find(tree, "A")->expanded && Find(tree, "A2")->expanded &&
              Find(tree, "A2a")->expanded);
  EXPECT_TRUE(commands.modified);
  commands.selected = nullptr;
  commands.CreateItem("top", true);
  EXPECT_EQ(tree.roots().back()->text, "top");

  EXPECT_EQ(U(*NameWarning("")), "Заповніть всі поля !");
  EXPECT_EQ(U(*NameWarning("a[b")), "Ім'я неповинне містити символів : \"[\", \"]\"");
  EXPECT_EQ(U(*NameWarning("]")), "Ім'я неповинне містити символів : \"[\", \"]\"");
  EXPECT_FALSE(NameWarning(" ok").has_value());
}

TEST_F(StructureCommandsTest, RenamingKeepsADocumentsPath) {
  commands.selected = Find(tree, "Лекція [ /k/Лекція.doc ]");
  EXPECT_EQ(U(*commands.RenameTitle()), "Лекція");
  commands.Rename(W("Лекція"));
  EXPECT_FALSE(commands.modified);
  commands.Rename(W("Вступ"));
  EXPECT_EQ(U(commands.selected->text), "Вступ [ /k/Лекція.doc ]");
  EXPECT_TRUE(commands.modified);
  commands.selected = Find(tree, "C");
  commands.Rename("D");
  EXPECT_EQ(tree.roots().back()->text, "D");
  commands.selected = nullptr;
  EXPECT_FALSE(commands.RenameTitle().has_value());
}

TEST_F(StructureCommandsTest, DeletingAndMoving) {
  commands.selected = Find(tree, "A2");
  prompts.answers = {Answer::No, Answer::Yes};
  commands.DeleteSelected();
  EXPECT_FALSE(commands.modified);
  commands.DeleteSelected();
  EXPECT_EQ(Show(tree), "A|..A1|B|..Лекція [ /k/Лекція.doc ]|C|");
  EXPECT_EQ(prompts.said[0], "question: Ви дійсно бажаєте видалити даний елемент зі структури ?");

  commands.modified = false;
  commands.selected = Find(tree, "A1");
  commands.MoveUp(); // first among its siblings
  EXPECT_FALSE(commands.modified);
  commands.selected = Find(tree, "C");
  commands.MoveDown(); // last
  EXPECT_FALSE(commands.modified);
  commands.MoveUp();
  EXPECT_EQ(Show(tree), "A|..A1|C|B|..Лекція [ /k/Лекція.doc ]|");
  EXPECT_TRUE(commands.modified);
  EXPECT_EQ(commands.selected, Find(tree, "C"));
}

TEST_F(StructureCommandsTest, DropsByZone) {
  struct Case {
    const char* dragged;
    const char* row;
    DropZone zone;
    bool done;
    const char* tree;
  } cases[] = {
      {"A", "A1", DropZone::OnRow, false, nullptr},        // onto its own child
      {"A", "A2a", DropZone::BetweenRows, false, nullptr}, // between rows under its own subtree
      {"A", "A", DropZone::BetweenRows, true,
       "B|..Лекція [ /k/Лекція.doc ]|C|A|..A1|..A2|....A2a|"},
      {"C", "Лекція [ /k/Лекція.doc ]", DropZone::OnRow, true,
       "A|..A1|..A2|....A2a|B|..Лекція [ /k/Лекція.doc ]|....C|"},
      {"C", "A2a", DropZone::BetweenRows, true,
       "A|..A1|..A2|....A2a|..C|B|..Лекція [ /k/Лекція.doc ]|"},
      {"A2a", "A1", DropZone::BetweenRows, true, "A|..A1|..A2|B|..Лекція [ /k/Лекція.doc ]|C|A2a|"},
      {"A1", nullptr, DropZone::Nowhere, true, "A|..A2|....A2a|B|..Лекція [ /k/Лекція.doc ]|C|A1|"},
  };
  for (const Case& c : cases) {
    CourseTree t;
    t.Assign(tree.ToOutline());
    StructureCommands cmd(t, prompts);
    Node* row = c.row ? Find(t, c.row) : nullptr;
    EXPECT_EQ(cmd.Drop(Find(t, c.dragged), row, c.zone), c.done) << c.dragged;
    EXPECT_EQ(cmd.modified, c.done);
    if (c.tree)
      EXPECT_EQ(Show(t), c.tree) << c.dragged;
    else
      EXPECT_EQ(t.ToOutline(), tree.ToOutline());
  }
  // Rows 20 pixels high: two pixels at each boundary count as between rows.
  const std::pair<int, DropZone> zones[] = {
      {40, DropZone::BetweenRows}, {42, DropZone::BetweenRows}, {43, DropZone::OnRow},
      {57, DropZone::OnRow},       {58, DropZone::BetweenRows}, {59, DropZone::BetweenRows}};
  for (const auto& [y, zone] : zones)
    EXPECT_EQ(DropZoneAt(y, 20, true), zone) << y;
  EXPECT_EQ(DropZoneAt(43, 20, false), DropZone::Nowhere);
}

TEST_F(StructureCommandsTest, AddingDocumentsInBatches) {
  for (const char* name : {"a.pdf", "b.doc", "c.png"})
    WriteBytes(dir / name, "x");
  const std::vector<fs::path> three = {dir / "a.pdf", dir / "b.doc", dir / "c.png"};
  int asked = 0;
  const auto ask = [&](Placement placement, bool all) {
    return [&, placement, all](PlacementQuestion q) {
      EXPECT_EQ(q.askedInBatch, asked > 0);
      ++asked;
      return PlacementAnswer{placement, all};
    };
  };

  // An empty structure: the first file is placed at the top and selected; the dialog is
  // shown once and decides for the rest.
  CourseTree empty;
  StructureCommands cmd(empty, prompts);
  cmd.AddDocuments(three, ask(Placement::AsSubItem, true));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Show(empty), "a [ " + (dir / "a.pdf").string() + " ]|..b [ " +
                             (dir / "b.doc").string() + " ]|..c [ " + (dir / "c.png").string() +
                             " ]|");
  EXPECT_TRUE(cmd.modified);

  // Without "apply to all" every file asks; Cancel ends the batch and keeps what was added.
  asked = 0;
  commands.selected = Find(tree, "C");
  int calls = 0;
  commands.AddDocuments(three, [&](PlacementQuestion) {
    return PlacementAnswer{++calls == 1 ? Placement::AsItem : Placement::Cancel, false};
  });
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(tree.roots().back()->text, "a [ " + (dir / "a.pdf").string() + " ]");
  EXPECT_TRUE(commands.modified);

  // A deeper selection takes the documents as its children without a question.
  commands.selected = Find(tree, "A1");
  commands.AddDocuments({dir / "b.doc"}, [](PlacementQuestion) -> PlacementAnswer {
    ADD_FAILURE() << "no question expected";
    return {Placement::Cancel, false};
  });
  EXPECT_EQ(commands.selected->children.size(), 1u);

  // A missing file ends the batch with its warning.
  prompts.said.clear();
  commands.AddDocuments({dir / "gone.pdf", dir / "a.pdf"}, ask(Placement::AsItem, true));
  EXPECT_EQ(prompts.said,
            (std::vector<std::string>{"warning: Не вдалося знайти зазначений файл !"}));
  EXPECT_EQ(commands.selected->children.size(), 1u);
}

TEST_F(StructureCommandsTest, SearchFindsPartsOfTitlesInAnyCaseAndGoesRoundOnce) {
  tree.AddLast(Find(tree, "A2a"), W("Лекція"));
  Node* first = commands.SearchTree(W("ЛЕКЦ"), true); // a part, in another letter case
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->parent, Find(tree, "A2a")); // inside a collapsed branch, now shown
  EXPECT_TRUE(Find(tree, "A")->expanded && Find(tree, "A2a")->expanded);
  Node* second = commands.SearchTree(W("лекція"), true);
  EXPECT_EQ(U(second->text), "Лекція [ /k/Лекція.doc ]");
  // Past the last match the search goes round to the first one.
  EXPECT_EQ(commands.SearchTree(W("Лекція"), true), first);
  EXPECT_EQ(commands.SearchTree(W("Лекція"), false), second);
  EXPECT_TRUE(prompts.said.empty());
  // The path is no part of the title; nothing found is said.
  EXPECT_EQ(commands.SearchTree(W("Лекція.doc"), true), nullptr);
  EXPECT_EQ(prompts.said, (std::vector<std::string>{"information: Нічого не знайдено"}));
  EXPECT_EQ(commands.selected, second);
  // Ukrainian letters outside А…Я fold too.
  tree.AddLast(nullptr, W("Їжак і Ґанок"));
  EXPECT_NE(commands.SearchTree(W("їжак І ґанок"), true), nullptr);
}

} // namespace
} // namespace quarbel
