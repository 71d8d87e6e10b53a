#pragma once

#include "widgets/qt_prompts.h"
#include "structure/course_tree.h"
#include "structure/structure_commands.h"

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <memory>

class QMenu;
class QShortcut;
class QToolButton;
class QWidget;

namespace quarbel {

class RecordPageBox;
class StructureView;
class TAboutBox;
class TInPutBox;
class TLoadingBox;
class TOpenOptionsBox;
class TParametersBox;
class TSearchBox;
class TStylesBox;
class TVisionEditorBox;
class WordProcessor;

// TBox: the main window. The course structure, its commands and their keys, the tool bar
// pages and the conversion.
class TBox : public QMainWindow {
  Q_OBJECT
public:
  explicit TBox(std::filesystem::path programFolder, QWidget* parent = nullptr);
  ~TBox() override;

  // The choosers and messages of every command go through this door; tests put their own.
  void SetPrompts(Prompts* prompts) {
    prompts_ = prompts;
    commands_.SetPrompts(*prompts);
  }
  // How the conversion reaches its word processor (the helper in the program folder unless
  // a test gives another) and how it asks whether Word runs.
  void SetWordProcessorFactory(std::function<std::unique_ptr<WordProcessor>()> factory);
  void SetWordRunning(std::function<bool()> wordRunning) { wordRunning_ = std::move(wordRunning); }
  // Runs when the close is allowed, before the window goes: the settings are stored there.
  // An error is reported and the program closes all the same.
  void SetStoreSettings(std::function<void()> store) { storeSettings_ = std::move(store); }

  StructureCommands& Commands() { return commands_; }
  CourseTree& Tree() { return tree_; }
  StructureView* TreeView1() const { return view_; }
  TInPutBox* InputBox() const { return inputBox_; }
  TOpenOptionsBox* OpenOptionsBox() const { return openOptionsBox_; }
  TSearchBox* SearchBox() const { return searchBox_; }
  TParametersBox* ParametersBox() const { return parametersBox_; }
  TAboutBox* AboutBox() const { return aboutBox_; }
  TStylesBox* StylesBox() const { return stylesBox_; }
  TVisionEditorBox* EditorBox() const { return editorBox_.get(); }
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
  QWidget* MovingPanel() const { return movingPanel_; }
  // The pop-up menu's enabled items as they are set when it opens.
  void UpdateMenuStateForTest() { UpdateMenuState(); }

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
  void SaveButtonClick(); // convert
  void ParametersButtonClick();
  void StylesButtonClick();
  void VEButtonClick();
  void HelpButtonClick();
  void AboutButtonClick();
  void TPageButtonClick();
  void APageButtonClick();
  // The record file commands of the two tool bars.
  void SaveTButtonClick();
  void OpenTButtonClick();
  void SaveAButtonClick();
  void OpenAButtonClick();

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
  void BuildShortcuts();
  void PlaceMovingPanel();
  // A left click opens the window; OK latches the toggle on; any close puts back a toggle
  // that was on.
  void OpenRecordPage(RecordPageBox* box, QToolButton* button, bool& filled);
  void SaveRecord(RecordPageBox* box, bool filled, int kind);
  void OpenRecord(RecordPageBox* box, QToolButton* button, bool& filled, int kind);

  std::filesystem::path programFolder_;
  CourseTree tree_;
  QtPrompts qtPrompts_;
  Prompts* prompts_;
  StructureCommands commands_;
  StructureView* view_ = nullptr;
  QMenu* popup_ = nullptr;
  QMenu* openMenu_ = nullptr;
  QMenu* saveMenu_ = nullptr;
  QWidget* movingPanel_ = nullptr;
  TInPutBox* inputBox_ = nullptr;
  TOpenOptionsBox* openOptionsBox_ = nullptr;
  TSearchBox* searchBox_ = nullptr;
  TLoadingBox* loadingBox_ = nullptr;
  TParametersBox* parametersBox_ = nullptr;
  TAboutBox* aboutBox_ = nullptr;
  TStylesBox* stylesBox_ = nullptr;
  std::unique_ptr<TVisionEditorBox> editorBox_;
  RecordPageBox* titleBox_ = nullptr;
  RecordPageBox* authorBox_ = nullptr;
  QToolButton* titleButton_ = nullptr;
  QToolButton* authorButton_ = nullptr;
  std::function<std::unique_ptr<WordProcessor>()> wordProcessorFactory_;
  std::function<bool()> wordRunning_;
  std::function<void()> storeSettings_;
  bool converting_ = false;
};

} // namespace quarbel
