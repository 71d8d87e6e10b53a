#pragma once

#include "prompts/prompts.h"
#include "structure/course_tree.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quarbel {

// The warning for a name typed into the name dialog, or nothing when it may be used:
// empty names and names with "[" or "]" are refused.
std::optional<std::string> NameWarning(const std::string& name);

// Where a dragged node would land.
enum class DropZone { OnRow, BetweenRows, Nowhere };
// The zone for a pointer at `y` in a tree whose rows are `rowHeight` high, when a row lies
// under it.
DropZone DropZoneAt(int y, int rowHeight, bool rowUnderPointer);

// What the add-documents command asks the open options dialog for a file.
struct PlacementQuestion {
  bool askedInBatch; // a document of this batch was already placed through the dialog
};
enum class Placement { Cancel, AsItem, AsSubItem };
struct PlacementAnswer {
  Placement placement;
  bool applyToAll; // the dialog's "Застосувати для всіх документів"
};

// The commands that build and keep the course structure: the structure file, the node
// editing commands and search. They talk to the user only through Prompts; the dialogs of
// their own (name input, open options) are given to them as answers. Errors of the file
// system throw Error, for the general error report.
class StructureCommands {
public:
  StructureCommands(CourseTree& tree, Prompts& prompts) : tree_(tree), prompts_(&prompts) {}
  void SetPrompts(Prompts& prompts) { prompts_ = &prompts; }

  // The structure state.
  bool modified = false;
  std::filesystem::path structureFileName;
  CourseTree::Node* selected = nullptr;

  // Told of every structure file opened or saved.
  std::function<void(const std::filesystem::path&)> fileUsed;

  // The structure file.
  void OpenStructure();
  // Opens a file named beforehand (the recent files), after the save question. False, with a
  // warning that names it, when the file is not there any more.
  bool OpenStructureFile(const std::filesystem::path& file);
  void SaveStructure();
  void SaveStructureAs();
  void SaveStructureTo(const std::filesystem::path& file);
  void ClearStructure();
  // True when the main window may close.
  bool CloseQuery();

  // Editing. `name` has passed NameWarning.
  void CreateItem(const std::string& name, bool subItem);
  // The title the rename dialog shows for the selected node, or nothing when there is none.
  std::optional<std::string> RenameTitle() const;
  void Rename(const std::string& name);
  void DeleteSelected();
  void MoveUp();
  void MoveDown();
  // Adds the chosen documents as one batch; `ask` is the open options dialog.
  void AddDocuments(const std::vector<std::filesystem::path>& files,
                    const std::function<PlacementAnswer(PlacementQuestion)>& ask);
  // The path of the selected document, when a document node is selected.
  std::optional<std::string> SelectedDocumentPath() const;

  // Drag and drop: whether `dragged` may be dropped in the zone of row node `row`, and the
  // drop itself (false when refused).
  bool DropForbidden(const CourseTree::Node* dragged, const CourseTree::Node* row,
                     DropZone zone) const;
  bool Drop(CourseTree::Node* dragged, CourseTree::Node* row, DropZone zone);

  // Search by exact title from the selection on; selects and gives the match, or nothing.
  CourseTree::Node* SearchTree(const std::string& text, bool forward);

  static const char* const kStructureFilter;

private:
  // The save question before the tree is replaced; false when the command must stop.
  bool SaveBeforeReplacing();
  void Load(const std::filesystem::path& file);

  CourseTree& tree_;
  Prompts* prompts_;
};

} // namespace quarbel
