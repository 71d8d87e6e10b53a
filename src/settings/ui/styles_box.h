#pragma once

#include "prompts/prompts.h"
#include "settings/style_choice.h"
#include "settings/style_folder.h"

#include <QDialog>

#include <array>
#include <filesystem>

class QCheckBox;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace quarbel {

class NameInputWindow;
class SearchWindow;

// StylesWindow: the textbook's style (the default one with its colours, or a style sheet of
// the Styles folder), its five icons and the page navigation. Everything chosen is put back
// as it was when the window opened unless it closes with OK.
class StylesWindow : public QDialog {
  Q_OBJECT
public:
  // The search and name windows are the main window's; this window borrows them.
  // `shippedStyles`: the read-only style sheets of an installed program, offered beside the
  // teacher's own (see StyleFolder); empty for a portable program.
  StylesWindow(QWidget* parent, std::filesystem::path stylesFolder, Prompts*& prompts,
               SearchWindow* searchBox, NameInputWindow* inputBox,
               std::filesystem::path shippedStyles = {});

  // What the conversion reads.
  const StyleChoice& Choice() const { return choice_; }
  // The choice as the settings file keeps it: the style sheet named by its file name.
  StyleChoice KeptLook() const;
  // Puts back a kept choice. A style sheet that has left the Styles folder leaves the
  // window's start (Default.css) in its place.
  void RestoreLook(const StyleChoice& look);

  // Fills the list from the Styles folder and shows the window modally.
  void Open();

  QTabWidget* Pager() const { return pager_; }
  QPushButton* Panel(int index) const { return panels_.at(static_cast<size_t>(index)); }
  QCheckBox* OnDefaultCheckBox() const { return defaultCheck_; }
  QListWidget* ListBox1() const { return list_; }
  QPushButton* OpenButton() const { return openButton_; }
  QToolButton* IconButton(IconSlot slot) const { return iconButtons_[slot]; }
  QCheckBox* NCheckBox() const { return navigationCheck_; }
  QMenu* PopupMenu() const { return popup_; }

  void PanelClick(int index);
  void IconButtonClick(IconSlot slot);
  void OpenItemClick();
  void FindItemClick();
  void RenameItemClick();
  void DeleteItemClick();
  void ClearItemClick();
  void OKButtonClick();

protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

private:
  void SetChoice(const StyleChoice& choice);
  void DefaultCheckBoxClick(bool checked);
  void NavigationClick(bool checked);
  void ShowColour(int index);
  void ShowIcon(IconSlot slot);
  void UpdateMenuState();
  std::vector<std::string> Entries() const;
  // The list as the Styles folder holds it now.
  void FillList();
  // The entry selected in the list, if any.
  QListWidgetItem* SelectedItem() const;
  // The default style check box on, and no style file.
  void UseDefaultStyle();
  // Runs a command; an error goes to the error report.
  void Run(const std::function<void()>& command);

  StyleFolder folder_;
  std::string startStyleFile_; // Default.css of the folder, when it was there
  Prompts*& prompts_;
  SearchWindow* searchBox_;
  NameInputWindow* inputBox_;
  StyleChoice choice_;
  StyleChoice snapshot_;
  QTabWidget* pager_;
  std::array<QPushButton*, 3> panels_{};
  QCheckBox* defaultCheck_;
  QListWidget* list_;
  QPushButton* openButton_;
  std::array<QToolButton*, kIconCount> iconButtons_{};
  QCheckBox* navigationCheck_;
  QMenu* popup_;
  bool closedByOk_ = false;
};

} // namespace quarbel
