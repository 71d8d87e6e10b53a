#pragma once

#include "prompts/prompts.h"

#include <QMainWindow>

#include <filesystem>
#include <vector>

class QComboBox;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTabWidget;
class QToolButton;
class QWebEngineView;
class QWidget;

namespace quarbel {

class ColourSelector;
class CreateLinkWindow;
class InsertImageWindow;
class InsertIndexWindow;
class InsertSymbolWindow;
class InsertLinkWindow;
class PageEditor;

// EditorWindow: the visual HTML editor. A page opened from disk is edited in place in
// the browser view and written back in its own encoding. The window is Hidden, Blank (the
// empty page, nothing to save) or Editing (a file's page in design mode).
class EditorWindow : public QMainWindow {
  Q_OBJECT
public:
  EditorWindow(QWidget* parent, Prompts*& prompts);
  ~EditorWindow() override;

  // The main window's button: the blank page, shown and brought to the front.
  void ShowBlank();

  void OpenButtonClick();
  void SaveItemClick();
  void SaveAsItemClick();
  void SavePictureItemClick();
  void PrintItemClick();
  void PreviewItemClick();
  void SearchButtonClick();
  void ScalePlusButtonClick();
  void ScaleMinusButtonClick();
  // Saves under `path`, asking before it replaces another file.
  void SaveToFileName(const std::filesystem::path& path);

  PageEditor& Engine() const { return *engine_; }
  QWebEngineView* WebBrowser1() const { return browser_; }
  const std::filesystem::path& CurrentFileName() const { return currentFile_; }
  bool DocumentLoaded() const { return documentLoaded_; }
  double ZoomFactor() const { return zoom_; }
  QString StatusText() const;
  QTabWidget* ToolBarPager1() const { return pager_; }
  QWidget* Group(const char* name) const;
  QToolButton* Button(const char* name) const;
  QMenu* Menu(const char* name) const;
  QFontComboBox* FontSelector1() const { return fontSelector_; }
  QComboBox* FontSizeSelector1() const { return sizeSelector_; }
  ColourSelector* ColorSelector1() const { return colourSelector_; }
  QWidget* FindBar() const { return findBar_; }
  QLineEdit* FindEdit() const { return findEdit_; }
  QLabel* FindCount() const { return findCount_; }
  // Finds the text of the find bar forward or backward.
  void FindNext(bool backward);
  InsertLinkWindow* IURLBox() const { return urlBox_; }
  InsertImageWindow* IImageBox() const { return imageBox_; }
  InsertIndexWindow* IIndexBox() const { return indexBox_; }
  InsertSymbolWindow* ISymbolBox() const { return symbolBox_; }
  CreateLinkWindow* CreateURLBox() const { return createUrlBox_; }

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  QWidget* BuildPager();
  QWidget* BuildFindBar();
  void BuildShortcuts();
  void DocumentComplete(bool loaded);
  void EnableCommands(bool on);
  // Checks the bold, italic and underline buttons as the style at the caret is.
  void ShowStyle(bool bold, bool italic, bool underline);
  void FormClose();
  // Runs a command; an error goes to the error report and the window stays usable.
  void Run(const std::function<void()>& command);
  // A window command as the buttons, menus and keys run it: through Run.
  std::function<void()> Guarded(void (EditorWindow::*command)());

  Prompts*& prompts_;
  QWebEngineView* browser_;
  PageEditor* engine_;
  QTabWidget* pager_ = nullptr;
  std::vector<QWidget*> commandGroups_;
  QFontComboBox* fontSelector_ = nullptr;
  QComboBox* sizeSelector_ = nullptr;
  ColourSelector* colourSelector_ = nullptr;
  QLabel* status_ = nullptr;
  QWidget* findBar_ = nullptr;
  QLineEdit* findEdit_ = nullptr;
  QLabel* findCount_ = nullptr;
  bool findWatched_ = false;
  InsertLinkWindow* urlBox_;
  InsertImageWindow* imageBox_;
  InsertIndexWindow* indexBox_;
  InsertSymbolWindow* symbolBox_;
  CreateLinkWindow* createUrlBox_;
  int saves_ = 0; // pages written, to tell whether a save took place
  std::filesystem::path currentFile_;
  bool documentLoaded_ = false;
  bool blankPage_ = false;
  double zoom_ = 1.0;
};

} // namespace quarbel
