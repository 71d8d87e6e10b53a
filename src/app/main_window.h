#pragma once

#include "generator/package/package_kind.h"
#include "records/record_commands.h"
#include "settings/program_folders.h"
#include "settings/program_settings.h"
#include "structure/course_tree.h"
#include "structure/structure_commands.h"
#include "widgets/qt_prompts.h"

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QMenu;
class QShortcut;
class QToolButton;
class QWidget;

namespace quarbel {

class RecordPageBox;
class StructureView;
class AboutWindow;
class NameInputWindow;
class LoadingWindow;
class OpenOptionsWindow;
class ParametersWindow;
class SearchWindow;
class StylesWindow;
class EditorWindow;
class HelperReserve;
class PageCache;
class WordProcessor;

// MainWindow: the main window. The course structure, its commands and their keys, the tool bar
// pages and the conversion.
class MainWindow : public QMainWindow {
  Q_OBJECT
public:
  explicit MainWindow(const ProgramFolders& folders, QWidget* parent = nullptr);
  // A portable program folder (the tests' build folder).
  explicit MainWindow(const std::filesystem::path& programFolder, QWidget* parent = nullptr)
      : MainWindow(FindProgramFolders(programFolder), parent) {}
  ~MainWindow() override;

  // The window as the settings of the last run left it: the parameters, the toggles and the
  // title page and author records.
  void ApplySettings(const ProgramSettings& settings);
  // `base` with what the window holds now put in.
  ProgramSettings CollectSettings(ProgramSettings base) const;

  // The choosers and messages of every command go through this door; tests put their own.
  void SetPrompts(Prompts* prompts) {
    prompts_ = prompts;
    commands_.SetPrompts(*prompts);
    records_.SetPrompts(*prompts);
  }
  // How the conversion reaches its word processor (the helper in the program folder unless
  // a test gives another) and how it asks whether Word runs.
  void SetWordProcessorFactory(std::function<std::unique_ptr<WordProcessor>()> factory);
  // How many word processor helpers a conversion runs side by side, and the page cache (none
  // unless given: every Word document goes to the word processor).
  void SetWordJobs(int jobs) { wordJobs_ = jobs; }
  void SetPageCache(std::unique_ptr<PageCache> cache);
  void SetWordRunning(std::function<bool()> wordRunning) { wordRunning_ = std::move(wordRunning); }
  // How a document, the manual or a written textbook is shown: the desktop's own program for
  // the file unless a test gives another.
  void SetOpenFile(std::function<void(const std::filesystem::path&)> open) {
    openFile_ = std::move(open);
  }
  // Runs when the close is allowed, before the window goes: the settings are stored there.
  // An error is reported and the program closes all the same.
  void SetStoreSettings(std::function<void()> store) { storeSettings_ = std::move(store); }

  StructureCommands& Commands() { return commands_; }
  CourseTree& Tree() { return tree_; }
  StructureView* TreeView1() const { return view_; }
  NameInputWindow* InputBox() const { return inputBox_; }
  OpenOptionsWindow* OpenOptionsBox() const { return openOptionsBox_; }
  SearchWindow* SearchBox() const { return searchBox_; }
  ParametersWindow* ParametersBox() const { return parametersBox_; }
  AboutWindow* AboutBox() const { return aboutBox_; }
  StylesWindow* StylesBox() const { return stylesBox_; }
  EditorWindow* EditorBox() const { return editorBox_.get(); }
  RecordPageBox* TPageBox() const { return titleBox_; }
  RecordPageBox* APageBox() const { return authorBox_; }
  QToolButton* TPageButton() const { return titleButton_; }
  QToolButton* APageButton() const { return authorButton_; }
  // The page toggles: the buttons latched and pressed.
  bool TitlePageOn() const;
  bool AuthorPageOn() const;
  void SetTitlePageOn(bool on);
  void SetAuthorPageOn(bool on);
  // Set by OK, by an opened record file and by a restored record; never cleared.
  bool titleFilled = false;
  bool authorFilled = false;
  QMenu* PopupMenu1() const { return popup_; }
  QMenu* OpenMenu() const { return openMenu_; }
  // The structure files opened or saved last, newest first, as the open button lists them.
  const std::vector<std::string>& RecentStructures() const { return recent_; }
  QWidget* MovingPanel() const { return movingPanel_; }
  // The pop-up menu's enabled items as they are set when it opens.
  void UpdateMenuStateForTest() { UpdateMenuState(); }
  void UpdateReserveForTest() { UpdateReserve(); }

  // The commands, as the menus, buttons and keys run them.
  void TreeViewOpenItemClick();
  void TreeViewSaveItemClick();
  void TreeViewSaveAsItemClick();
  void ClearItemClick();
  void AddItemClick();
  void AddChildItemClick();
  void OpenButtonClick();
  void OpenItemClick();
  void SearchItemClick();
  void RenameItemClick();
  void DeleteItemClick();
  void UpButtonClick();
  void DownButtonClick();
  void ConvertClicked(); // convert
  // Converts, and makes the package beside the textbook's folder unless `package` is None.
  void Convert(TextbookPackage package);
  void ParametersButtonClick();
  void StylesButtonClick();
  void EditorButtonClicked();
  void HelpButtonClick();
  void AboutButtonClick();
  void TitlePageButtonClicked();
  void AuthorPageButtonClicked();
  // Opens a structure file named on the command line, as the open command would.
  void OpenStructureFile(const std::filesystem::path& file);
  // The record file commands of the two tool bars.
  void SaveTitleRecordClicked();
  void OpenTitleRecordClicked();
  void SaveAuthorRecordClicked();
  void OpenAuthorRecordClicked();

protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  // Runs a command; an error it does not handle goes to the general error report.
  void Run(const std::function<void()>& command);
  void Changed();
  void UpdateMenuState();
  QWidget* BuildToolPager();
  void BuildPopupMenu();
  // The open button's menu: its two commands, then the recent structure files.
  void FillOpenMenu();
  void RememberStructure(const std::filesystem::path& file);
  void OpenRecentStructure(const std::string& path);
  void BuildShortcuts();
  void PlaceMovingPanel();
  // A word processor waits in the background while the course holds a Word document.
  void UpdateReserve();
  std::filesystem::path ManualPath() const { return folders_.data / "Help" / "index.html"; }
  // A left click opens the window; OK latches the toggle on; any close puts back a toggle
  // that was on.
  void OpenRecordPage(RecordPageBox* box, QToolButton* button, bool& filled);
  void SaveRecord(RecordPageBox* box, bool filled, int kind);
  void OpenRecord(RecordPageBox* box, QToolButton* button, bool& filled, int kind);

  ProgramFolders folders_;
  CourseTree tree_;
  QtPrompts qtPrompts_;
  Prompts* prompts_;
  StructureCommands commands_;
  RecordCommands records_;
  StructureView* view_ = nullptr;
  QMenu* popup_ = nullptr;
  QMenu* openMenu_ = nullptr;
  QMenu* saveMenu_ = nullptr;
  QWidget* movingPanel_ = nullptr;
  NameInputWindow* inputBox_ = nullptr;
  OpenOptionsWindow* openOptionsBox_ = nullptr;
  SearchWindow* searchBox_ = nullptr;
  LoadingWindow* loadingBox_ = nullptr;
  ParametersWindow* parametersBox_ = nullptr;
  AboutWindow* aboutBox_ = nullptr;
  StylesWindow* stylesBox_ = nullptr;
  std::unique_ptr<EditorWindow> editorBox_;
  RecordPageBox* titleBox_ = nullptr;
  RecordPageBox* authorBox_ = nullptr;
  QToolButton* titleButton_ = nullptr;
  QToolButton* authorButton_ = nullptr;
  std::function<std::unique_ptr<WordProcessor>()> wordProcessorFactory_;
  int wordJobs_ = 1;
  // Declared after the factory it uses, so it goes first.
  std::unique_ptr<HelperReserve> reserve_;
  std::unique_ptr<PageCache> pageCache_;
  std::string pageVersion_; // of the pages in pageCache_
  std::function<bool()> wordRunning_;
  std::function<void(const std::filesystem::path&)> openFile_;
  std::function<void()> storeSettings_;
  bool converting_ = false;
  std::vector<std::string> recent_;
};

} // namespace quarbel
