#include "structure/structure_commands.h"

#include "structure/node_text.h"
#include "structure/structure_file.h"
#include "text/cp1251.h"
#include "text/paths.h"
#include "text/text_case.h"

namespace quarbel {
namespace {

std::string T(const char* utf8) {
  return Cp1251FromUtf8(utf8);
}

const char* const kEmptyStructure = "В структурі немає жодного елемента !";
const char* const kSaveChanges = "Зберегти зміни в структурі ?";
const char* const kFileMissing = "Не вдалося знайти зазначений файл !";

} // namespace

const char* const StructureCommands::kStructureFilter = "Файли структур (*.QCT *.qct)";

std::optional<std::string> NameWarning(const std::string& name) {
  if (name.empty())
    return T("Заповніть всі поля !");
  if (name.find_first_of("[]") != std::string::npos)
    return T("Ім'я неповинне містити символів : \"[\", \"]\"");
  return std::nullopt;
}

DropZone DropZoneAt(int y, int rowHeight, bool rowUnderPointer) {
  if (!rowUnderPointer || rowHeight <= 0)
    return DropZone::Nowhere;
  const int r = y % rowHeight;
  return (r > 2 && r < rowHeight - 2) ? DropZone::OnRow : DropZone::BetweenRows;
}

// ---- The structure file ---------------------------------------------------------------

void StructureCommands::SaveStructureTo(const std::filesystem::path& chosen) {
  const auto file = prompts_->ChooseFileToSave(
      [this] { return prompts_->ChooseSaveFile(T(kStructureFilter), "QCT"); }, chosen,
      structureFileName);
  if (!file)
    return;
  WriteStructureFile(*file, tree_.ToOutline());
  structureFileName = *file;
  modified = false;
  if (fileUsed)
    fileUsed(*file);
}

void StructureCommands::SaveStructure() {
  if (tree_.Empty()) {
    prompts_->Warning(T(kEmptyStructure));
    return;
  }
  if (!structureFileName.empty())
    SaveStructureTo(structureFileName);
  else
    SaveStructureAs();
}

void StructureCommands::SaveStructureAs() {
  if (tree_.Empty()) {
    prompts_->Warning(T(kEmptyStructure));
    return;
  }
  if (const auto file = prompts_->ChooseSaveFile(T(kStructureFilter), "QCT"))
    SaveStructureTo(*file);
}

bool StructureCommands::SaveBeforeReplacing() {
  if (!modified)
    return true;
  const Answer answer = prompts_->AskYesNoCancel(T(kSaveChanges));
  if (answer == Answer::Cancel)
    return false;
  if (answer == Answer::Yes) {
    SaveStructure(); // a write error ends the command here
    if (modified)
      return false; // the save chooser was cancelled: nothing was saved, the tree stays
  }
  return true;
}

void StructureCommands::OpenStructure() {
  if (!SaveBeforeReplacing())
    return;
  const auto file = prompts_->ChooseOpenFile(T(kStructureFilter));
  if (!file)
    return;
  std::error_code error;
  if (!std::filesystem::is_regular_file(*file, error)) {
    prompts_->Warning(T(kFileMissing));
    return;
  }
  Load(*file);
}

bool StructureCommands::OpenStructureFile(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) {
    prompts_->Warning(T(kFileMissing) + "\n" + PathForMessage(file));
    return false;
  }
  if (SaveBeforeReplacing())
    Load(file);
  return true;
}

void StructureCommands::Load(const std::filesystem::path& file) {
  const Outline outline = ReadStructureFile(file); // nothing changes when this fails
  tree_.Assign(outline);
  selected = nullptr;
  structureFileName = file;
  modified = false;
  if (fileUsed)
    fileUsed(file);
}

void StructureCommands::ClearStructure() {
  if (tree_.Empty())
    return;
  if (!prompts_->AskYesNo(T("Ви дійсно бажаєте очистити структуру ?")))
    return;
  tree_.Clear();
  selected = nullptr;
  modified = true;
}

bool StructureCommands::CloseQuery() {
  if (!modified)
    return true;
  switch (prompts_->AskYesNoCancel(T(kSaveChanges))) {
  case Answer::Cancel: return false;
  case Answer::No: return true;
  case Answer::Yes: break;
  }
  if (!tree_.Empty()) {
    SaveStructure();  // a write error throws and keeps the window open
    return !modified; // a cancelled save chooser saved nothing: the window stays
  }
  return prompts_->AskYesNo(T("В структурі немає жодного елемента !\r\n"
                              "Збереження структури не буде виконане.\r\n"
                              "Ви бажаєте продовжити вихід із програми ?"));
}

// ---- Editing --------------------------------------------------------------------------

void StructureCommands::CreateItem(const std::string& name, bool subItem) {
  if (subItem && selected) {
    tree_.ExpandAncestors(tree_.AddLast(selected, name));
  } else {
    tree_.AddLast(selected ? selected->parent : nullptr, name);
  }
  modified = true;
}

std::optional<std::string> StructureCommands::RenameTitle() const {
  if (tree_.Empty() || !selected)
    return std::nullopt;
  return TitleFromNodeText(selected->text);
}

void StructureCommands::Rename(const std::string& name) {
  const std::optional<std::string> old = RenameTitle();
  if (!old)
    return;
  const size_t bracket = selected->text.find('[');
  selected->text =
      bracket == std::string::npos ? name : name + " " + selected->text.substr(bracket);
  if (name != *old)
    modified = true;
}

void StructureCommands::DeleteSelected() {
  if (tree_.Empty() || !selected)
    return;
  if (!prompts_->AskYesNo(T("Ви дійсно бажаєте видалити даний елемент зі структури ?")))
    return;
  tree_.Remove(selected);
  selected = nullptr;
  modified = true;
}

void StructureCommands::MoveUp() {
  if (selected && tree_.SwapWithPrevious(selected))
    modified = true;
}

void StructureCommands::MoveDown() {
  if (selected && tree_.SwapWithNext(selected))
    modified = true;
}

void StructureCommands::AddDocuments(const std::vector<std::filesystem::path>& files,
                                     const std::function<PlacementAnswer(PlacementQuestion)>& ask) {
  // Paths the program cannot hold are refused before anything is added.
  std::vector<std::string> paths;
  for (const auto& file : files)
    paths.push_back(PathText(file));

  bool askedInBatch = false;
  bool applyToAll = false;
  Placement lastChoice = Placement::Cancel;
  for (size_t i = 0; i < files.size(); ++i) {
    std::error_code error;
    if (!std::filesystem::exists(files[i], error)) {
      prompts_->Warning(T(kFileMissing));
      break;
    }
    const std::string text = ComposeDocumentText(TitleFromPath(paths[i]), paths[i]);
    if (tree_.Empty()) {
      selected = tree_.AddLast(nullptr, text);
      continue;
    }
    if (!selected) {
      // Nothing selected in a structure that has nodes: the end of the top level, as the
      // create commands do.
      tree_.AddLast(nullptr, text);
      continue;
    }
    if (selected->parent) {
      tree_.ExpandAncestors(tree_.AddLast(selected, text));
      continue;
    }
    if (!applyToAll) {
      const PlacementAnswer answer = ask(PlacementQuestion{askedInBatch});
      applyToAll = answer.applyToAll;
      lastChoice = answer.placement;
    }
    if (lastChoice == Placement::Cancel)
      break;
    if (lastChoice == Placement::AsItem)
      tree_.AddLast(nullptr, text);
    else
      tree_.ExpandAncestors(tree_.AddLast(selected, text));
    askedInBatch = true;
  }
  if (!tree_.Empty())
    modified = true;
}

std::optional<std::string> StructureCommands::SelectedDocumentPath() const {
  if (!selected || !IsDocumentText(selected->text))
    return std::nullopt;
  return PathFromNodeText(selected->text);
}

bool StructureCommands::DropForbidden(const CourseTree::Node* dragged, const CourseTree::Node* row,
                                      DropZone zone) const {
  if (zone == DropZone::Nowhere || !row)
    return false;
  const CourseTree::Node* test = zone == DropZone::OnRow ? row : row->parent;
  return test && CourseTree::InSubtree(test, dragged);
}

bool StructureCommands::Drop(CourseTree::Node* dragged, CourseTree::Node* row, DropZone zone) {
  if (!dragged || DropForbidden(dragged, row, zone))
    return false;
  CourseTree::Node* parent = nullptr;
  if (row && zone == DropZone::OnRow)
    parent = row;
  else if (row && zone == DropZone::BetweenRows && row->parent)
    parent = row->parent->parent;
  tree_.MoveToEnd(dragged, parent);
  modified = true;
  return true;
}

CourseTree::Node* StructureCommands::SearchTree(const std::string& text, bool forward) {
  const std::vector<CourseTree::Node*> order = tree_.DisplayOrder();
  const long count = static_cast<long>(order.size());
  if (text.empty() || count == 0)
    return nullptr;
  // From the node after the selection (before it, backwards), round the whole tree once,
  // the selection itself last; a part of the title in any letter case matches.
  long start = forward ? 0 : count - 1;
  if (selected) {
    for (long i = 0; i < count; ++i) {
      if (order[static_cast<size_t>(i)] == selected)
        start = i + (forward ? 1 : -1);
    }
  }
  const std::string wanted = FoldCaseText(text);
  for (long step = 0; step < count; ++step) {
    const long i = ((start + (forward ? step : -step)) % count + count) % count;
    CourseTree::Node* node = order[static_cast<size_t>(i)];
    if (FoldCaseText(TitleFromNodeText(node->text)).find(wanted) != std::string::npos) {
      selected = node;
      for (CourseTree::Node* p = selected->parent; p; p = p->parent)
        p->expanded = true;
      return selected;
    }
  }
  prompts_->Information(T("Нічого не знайдено"));
  return nullptr;
}

} // namespace quarbel
