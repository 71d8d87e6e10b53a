#include "editor/vision_editor_box.h"

#include "editor/editor_icons.h"
#include "editor/editor_rules.h"
#include "editor/insert_dialogs.h"
#include "editor/page_picture.h"
#include "editor/wb_edit.h"
#include "prompts/command_runner.h"
#include "text/cp1251.h"
#include "text/error.h"
#include "text/paths.h"
#include "widgets/colour_selector.h"
#include "widgets/font_choice_dialog.h"
#include "widgets/qt_prompts.h"
#include "widgets/qt_text.h"
#include "widgets/tool_groups.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QFontComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <algorithm>

namespace quarbel {
namespace {

std::string T(const char* utf8) {
  return Cp1251FromUtf8(utf8);
}

const char* const kOpenFilters = "Всі підтримувані типи файлів (*.HTM *.HTML *.htm *.html);;"
                                 "Мова розмітки гіпертексту - HTM (*.HTM *.htm);;"
                                 "Мова розмітки гіпертексту - HTML (*.HTML *.html)";
const char* const kSaveFilters = "Мова розмітки гіпертексту - HTM (*.HTM *.htm);;"
                                 "Мова розмітки гіпертексту - HTML (*.HTML *.html)";

// The zoom of the page's body, kept out of what is saved: the body's own style is
// remembered before the first zoom and put back while the page is written.
QString ZoomScript(double factor) {
  return QString("(function(f) { var b = document.body; if (!b) return;"
                 " if (!window.qvZoomed) { window.qvZoomed = true;"
                 " window.qvBodyStyle = b.getAttribute('style'); }"
                 " b.style.zoom = f; })(%1)")
      .arg(factor, 0, 'g', 15);
}

// Waits for the view's print job.
void PrintAndWait(QWebEngineView* view, QPrinter* printer) {
  QEventLoop loop;
  QObject::connect(view, &QWebEngineView::printFinished, &loop, &QEventLoop::quit);
  view->print(printer);
  loop.exec();
}

} // namespace

EditorWindow::EditorWindow(QWidget* parent, Prompts*& prompts)
    : QMainWindow(parent, Qt::Window), prompts_(prompts) {
  setObjectName("TVisionEditorBox");
  setWindowTitle(QStringLiteral("Візуальний редактор"));
  resize(684, 562);
  setMinimumSize(500, 250);

  browser_ = new QWebEngineView(this);
  browser_->setObjectName("WebBrowser1");
  engine_ = new PageEditor(browser_, prompts_);
  engine_->commandRefused = [this](const std::string& command) {
    if (command == "FontName")
      fontSelector_->setCurrentIndex(-1);
    else if (command == "FontSize")
      sizeSelector_->setCurrentIndex(-1);
    else if (command == "ForeColor")
      colourSelector_->SetColour({0, 0, 0});
  };
  engine_->findRequested = [this] {
    findBar_->show();
    findEdit_->setFocus();
    findEdit_->selectAll();
  };

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(BuildPager());
  layout->addWidget(BuildFindBar());
  layout->addWidget(browser_, 1);
  setCentralWidget(central);

  status_ = new QLabel(this);
  status_->setObjectName("StatusPanel");
  // At least 100 pixels, and never narrower than its longest text.
  status_->setFixedWidth(
      std::max(100, status_->fontMetrics().horizontalAdvance(Q(ZoomStatus(2.0))) + 12));
  status_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  statusBar()->setObjectName("StatusBar1");
  statusBar()->addPermanentWidget(status_);
  status_->setText(Q(ZoomStatus(1.0)));

  urlBox_ = new InsertLinkWindow(this, *engine_, prompts_);
  imageBox_ = new InsertImageWindow(this, *engine_, prompts_);
  indexBox_ = new InsertIndexWindow(this, *engine_, prompts_);
  symbolBox_ = new InsertSymbolWindow(this, *engine_, prompts_);
  createUrlBox_ = new CreateLinkWindow(this, *engine_, prompts_);

  connect(engine_, &PageEditor::documentComplete, this, &EditorWindow::DocumentComplete);
  connect(engine_, &PageEditor::styleChanged, this, &EditorWindow::ShowStyle);
  BuildShortcuts();
  EnableCommands(false);
}

EditorWindow::~EditorWindow() = default;

namespace {

// A tool bar button that runs one command of the page editor.
struct EngineButton {
  const char* name;
  const char* hint; // UTF-8
  QIcon (*icon)(QStyle* style);
  void (PageEditor::*command)();
};

template <EditorIcon kIcon> QIcon Drawn(QStyle*) {
  return EditorIconOf(kIcon);
}

const EngineButton kClipboardButtons[] = {
    {"UndoButton", "Відмінити введення",
     [](QStyle* s) { return s->standardIcon(QStyle::SP_ArrowBack); }, &PageEditor::Undo},
    {"RedoButton", "Повторити введення",
     [](QStyle* s) { return s->standardIcon(QStyle::SP_ArrowForward); }, &PageEditor::Redo},
    {"CutButton", "Вирізати", Drawn<EditorIcon::Cut>, &PageEditor::Cut},
    {"CopyButton", "Копіювати", Drawn<EditorIcon::Copy>, &PageEditor::Copy},
    {"PasteButton", "Вставити", Drawn<EditorIcon::Paste>, &PageEditor::Paste},
    {"SelectAllButton", "Виділити все", Drawn<EditorIcon::SelectAll>, &PageEditor::SelectAll},
};

const EngineButton kFontFormatButtons[] = {
    {"BoldButton", "Напівжирний", Drawn<EditorIcon::Bold>, &PageEditor::Bold},
    {"ItalicButton", "Курсив", Drawn<EditorIcon::Italic>, &PageEditor::Italic},
    {"UnderlineButton", "Підкреслений", Drawn<EditorIcon::Underline>, &PageEditor::Underline},
};

const EngineButton kParagraphButtons[] = {
    {"AlignLeftButton", "Вирівняти по лівому краю", Drawn<EditorIcon::AlignLeft>,
     &PageEditor::AlignLeft},
    {"AlignCenterButton", "Вирівняти по центру", Drawn<EditorIcon::AlignCenter>,
     &PageEditor::AlignCenter},
    {"AlignRightButton", "Вирівняти по правому краю", Drawn<EditorIcon::AlignRight>,
     &PageEditor::AlignRight},
};

template <size_t N, typename Button, typename Engine>
void AddEngineButtons(QWidget* group, const EngineButton (&buttons)[N], const Button& button,
                      const Engine& engine) {
  for (const EngineButton& b : buttons)
    button(group, b.name, QString::fromUtf8(b.hint), b.icon(group->style()), engine(b.command));
}

} // namespace

QWidget* EditorWindow::BuildPager() {
  pager_ = new QTabWidget(this);
  pager_->setObjectName("ToolBarPager1");
  MarkToolPager(pager_);
  pager_->setFixedHeight(94);
  QHBoxLayout* row = nullptr;
  // A button of the current group; `action` (when given) runs on a click.
  const auto button = [this, &row](QWidget* group, const char* name, const QString& hint,
                                   const QIcon& icon, const std::function<void()>& action) {
    QToolButton* b = ToolButton(group, hint, icon);
    b->setObjectName(name);
    if (action)
      connect(b, &QToolButton::clicked, this, action);
    row->addWidget(b);
    return b;
  };
  const auto engine = [this](void (PageEditor::*command)()) {
    return std::function<void()>(
        [this, command] { Run([this, command] { (engine_->*command)(); }); });
  };
  const auto page = [this](const char* name, const QString& caption) {
    auto* widget = new QWidget(pager_);
    widget->setObjectName(name);
    auto* pageRow = new QHBoxLayout(widget);
    pageRow->setContentsMargins(2, 2, 2, 2);
    pager_->addTab(widget, caption);
    return pageRow;
  };
  const auto group = [&row](QHBoxLayout* pageRow, const char* name, const QString& caption) {
    QGroupBox* g = ToolGroup(pageRow->parentWidget(), caption, row);
    g->setObjectName(name);
    pageRow->addWidget(g);
    return g;
  };
  QStyle* s = style();

  QHBoxLayout* main = page("Page1", QStringLiteral("Головне меню"));
  QGroupBox* file = group(main, "FileToolBar", QStringLiteral("Файл"));
  button(file, "OpenButton", QStringLiteral("Відкрити"),
         s->standardIcon(QStyle::SP_DialogOpenButton), Guarded(&EditorWindow::OpenButtonClick));
  QToolButton* save = button(file, "SaveButton", QStringLiteral("Зберегти"),
                             s->standardIcon(QStyle::SP_DialogSaveButton), nullptr);
  auto* saveMenu = new QMenu(save);
  saveMenu->setObjectName("SaveMenu");
  saveMenu->addAction(QStringLiteral("Зберегти"), this, Guarded(&EditorWindow::SaveItemClick))
      ->setObjectName("SaveItem");
  saveMenu
      ->addAction(QStringLiteral("Зберегти як . . ."), this,
                  Guarded(&EditorWindow::SaveAsItemClick))
      ->setObjectName("SaveAsItem");
  saveMenu->addSeparator();
  saveMenu
      ->addAction(QStringLiteral("Зберегти як зображення . . ."), this,
                  Guarded(&EditorWindow::SavePictureItemClick))
      ->setObjectName("SavePictureItem");
  save->setMenu(saveMenu);
  save->setPopupMode(QToolButton::InstantPopup);
  QToolButton* print =
      button(file, "PrintButton", QStringLiteral("Друк"), EditorIconOf(EditorIcon::Print), nullptr);
  auto* printMenu = new QMenu(print);
  printMenu->setObjectName("PrintMenu");
  printMenu->addAction(QStringLiteral("Друк . . ."), this, Guarded(&EditorWindow::PrintItemClick))
      ->setObjectName("PrintItem");
  printMenu
      ->addAction(QStringLiteral("Попередній перегляд . . ."), this,
                  Guarded(&EditorWindow::PreviewItemClick))
      ->setObjectName("PreviewItem");
  print->setMenu(printMenu);
  print->setPopupMode(QToolButton::InstantPopup);
  button(file, "SearchButton", QStringLiteral("Пошук"), EditorIconOf(EditorIcon::Find),
         Guarded(&EditorWindow::SearchButtonClick));
  QGroupBox* clipboard = group(main, "ClipBoardToolBar", QStringLiteral("Буфер обміну"));
  AddEngineButtons(clipboard, kClipboardButtons, button, engine);
  main->addStretch();

  QHBoxLayout* format = page("Page2", QStringLiteral("Формат"));
  QGroupBox* font = group(format, "FontToolBar", QStringLiteral("Шрифт"));
  auto* selectors = new QVBoxLayout;
  fontSelector_ = new QFontComboBox(font);
  fontSelector_->setObjectName("FontSelector1");
  fontSelector_->setToolTip(QStringLiteral("Змінити шрифт"));
  fontSelector_->setCurrentIndex(-1);
  sizeSelector_ = new QComboBox(font);
  sizeSelector_->setObjectName("FontSizeSelector1");
  sizeSelector_->setToolTip(QStringLiteral("Змінити розмір шрифту"));
  sizeSelector_->addItems(FontPointSizes());
  sizeSelector_->setCurrentIndex(-1);
  auto* sizeRow = new QHBoxLayout;
  sizeRow->addWidget(sizeSelector_);
  colourSelector_ = new ColourSelector(font);
  colourSelector_->setObjectName("ColorSelector1");
  colourSelector_->setToolTip(QStringLiteral("Змінити колір шрифту"));
  sizeRow->addWidget(colourSelector_);
  selectors->addWidget(fontSelector_);
  selectors->addLayout(sizeRow);
  row->addLayout(selectors);
  QToolButton* fontDialog =
      ToolButton(font, QStringLiteral("Змінити шрифт"), EditorIconOf(EditorIcon::Font));
  fontDialog->setObjectName("FontDialogButton");
  row->addWidget(fontDialog);
  connect(fontSelector_, qOverload<int>(&QComboBox::activated), this, [this] {
    Run([this] {
      engine_->ApplyFontName(FromQ(fontSelector_->currentFont().family()));
      engine_->WaitAndFocus();
    });
  });
  connect(sizeSelector_, qOverload<int>(&QComboBox::activated), this, [this] {
    Run([this] {
      engine_->ApplyFontSize(sizeSelector_->currentText().toInt());
      engine_->WaitAndFocus();
    });
  });
  connect(colourSelector_, &ColourSelector::colourChosen, this, [this](RgbColor colour) {
    Run([this, colour] {
      engine_->ApplyFontColor(colour);
      engine_->WaitAndFocus();
    });
  });
  connect(fontDialog, &QToolButton::clicked, this, [this] {
    Run([this] {
      engine_->ChooseFont();
      engine_->WaitAndFocus();
    });
  });
  QGroupBox* fontFormat = group(format, "FormatFontToolBar", QStringLiteral("Формат шрифту"));
  AddEngineButtons(fontFormat, kFontFormatButtons, button, engine);
  // The style buttons show the style at the caret; a click still runs the command, and the
  // state comes from the page after it.
  for (const EngineButton& b : kFontFormatButtons)
    Button(b.name)->setCheckable(true);
  QGroupBox* paragraph = group(format, "ParagraphToolBar", QStringLiteral("Абзац"));
  AddEngineButtons(paragraph, kParagraphButtons, button, engine);
  format->addStretch();

  QHBoxLayout* extra = page("Page3", QStringLiteral("Додаткові функції"));
  QGroupBox* scale = group(extra, "ScaleToolBar", QStringLiteral("Масштаб"));
  button(scale, "ScalePlusButton", QStringLiteral("Збільшити масштаб"),
         EditorIconOf(EditorIcon::ZoomIn), Guarded(&EditorWindow::ScalePlusButtonClick));
  button(scale, "ScaleMinusButton", QStringLiteral("Зменшити масштаб"),
         EditorIconOf(EditorIcon::ZoomOut), Guarded(&EditorWindow::ScaleMinusButtonClick));
  QGroupBox* functions = group(extra, "FunctionToolBar", QStringLiteral("Функції"));
  QToolButton* insert = button(functions, "InsertButton", QStringLiteral("Вставити"),
                               EditorIconOf(EditorIcon::Insert), nullptr);
  auto* insertMenu = new QMenu(insert);
  insertMenu->setObjectName("InsertMenu");
  insertMenu->addAction(QStringLiteral("URL . . ."), this, [this] { urlBox_->Open(); })
      ->setObjectName("IURLItem");
  insertMenu->addAction(QStringLiteral("Зображення . . ."), this, [this] { imageBox_->Open(); })
      ->setObjectName("IImageItem");
  insertMenu
      ->addAction(QStringLiteral("Верхній індекс . . ."), this, [this] { indexBox_->Open(false); })
      ->setObjectName("IUIndexItem");
  insertMenu
      ->addAction(QStringLiteral("Нижній індекс . . ."), this, [this] { indexBox_->Open(true); })
      ->setObjectName("ILIndexItem");
  insertMenu
      ->addAction(QStringLiteral("Спеціальні символи . . ."), this, [this] { symbolBox_->Open(); })
      ->setObjectName("ISymbolItem");
  insert->setMenu(insertMenu);
  insert->setPopupMode(QToolButton::InstantPopup);
  QToolButton* link = button(functions, "CreateLinkButton", QStringLiteral("Вказати посилання"),
                             EditorIconOf(EditorIcon::Link), nullptr);
  connect(link, &QToolButton::clicked, this, [this] { createUrlBox_->Open(); });
  extra->addStretch();

  commandGroups_ = {Button("SaveButton"),
                    Button("PrintButton"),
                    Button("SearchButton"),
                    clipboard,
                    font,
                    fontFormat,
                    paragraph,
                    scale,
                    functions};
  return pager_;
}

QWidget* EditorWindow::BuildFindBar() {
  findBar_ = new QWidget(this);
  findBar_->setObjectName("FindBar");
  auto* row = new QHBoxLayout(findBar_);
  row->setContentsMargins(6, 2, 6, 2);
  row->addWidget(new QLabel(QStringLiteral("Знайти :"), findBar_));
  findEdit_ = new QLineEdit(findBar_);
  findEdit_->setObjectName("FindEdit");
  row->addWidget(findEdit_, 1);
  auto* back = new QPushButton(QStringLiteral("Назад"), findBar_);
  back->setObjectName("FindBackButton");
  auto* next = new QPushButton(QStringLiteral("Далі"), findBar_);
  next->setObjectName("FindNextButton");
  auto* close = new QPushButton(QStringLiteral("Закрити"), findBar_);
  close->setObjectName("FindCloseButton");
  for (QPushButton* b : {back, next, close}) {
    b->setAutoDefault(false);
    row->addWidget(b);
  }
  findCount_ = new QLabel(findBar_);
  findCount_->setObjectName("FindCount");
  row->insertWidget(2, findCount_);
  connect(back, &QPushButton::clicked, this, [this] { FindNext(true); });
  connect(next, &QPushButton::clicked, this, [this] { FindNext(false); });
  connect(findEdit_, &QLineEdit::returnPressed, this, [this] { FindNext(false); });
  connect(close, &QPushButton::clicked, this, [this] {
    findBar_->hide();
    findCount_->clear();
    browser_->page()->findText(QString());
    engine_->WaitAndFocus();
  });
  findBar_->hide();
  return findBar_;
}

void EditorWindow::FindNext(bool backward) {
  if (!findWatched_) {
    findWatched_ = true;
    connect(browser_->page(), &QWebEnginePage::findTextFinished, this,
            [this](const QWebEngineFindTextResult& result) {
              findCount_->setText(result.numberOfMatches() == 0
                                      ? QStringLiteral("Не знайдено")
                                      : QStringLiteral("%1 з %2")
                                            .arg(result.activeMatch())
                                            .arg(result.numberOfMatches()));
            });
  }
  browser_->page()->findText(findEdit_->text(),
                             backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags());
}

void EditorWindow::BuildShortcuts() {
  const struct {
    QKeySequence key;
    void (EditorWindow::*command)();
  } keys[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_O), &EditorWindow::OpenButtonClick},
      {QKeySequence(Qt::CTRL | Qt::Key_S), &EditorWindow::SaveItemClick},
      {QKeySequence(Qt::CTRL | Qt::Key_I), &EditorWindow::SavePictureItemClick},
      {QKeySequence(Qt::CTRL | Qt::Key_P), &EditorWindow::PrintItemClick},
      {QKeySequence(Qt::ALT | Qt::Key_P), &EditorWindow::PreviewItemClick},
      {QKeySequence(Qt::CTRL | Qt::Key_F), &EditorWindow::SearchButtonClick},
  };
  for (const auto& [key, command] : keys) {
    auto* shortcut = new QShortcut(key, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, Guarded(command));
  }
}

QWidget* EditorWindow::Group(const char* name) const {
  return pager_->findChild<QWidget*>(name);
}

QToolButton* EditorWindow::Button(const char* name) const {
  return pager_->findChild<QToolButton*>(name);
}

QMenu* EditorWindow::Menu(const char* name) const {
  return pager_->findChild<QMenu*>(name);
}

QString EditorWindow::StatusText() const {
  return status_->text();
}

std::function<void()> EditorWindow::Guarded(void (EditorWindow::*command)()) {
  return [this, command] { Run([this, command] { (this->*command)(); }); };
}

void EditorWindow::Run(const std::function<void()>& command) {
  RunCommand(*prompts_, command);
}

void EditorWindow::ShowStyle(bool bold, bool italic, bool underline) {
  Button("BoldButton")->setChecked(bold);
  Button("ItalicButton")->setChecked(italic);
  Button("UnderlineButton")->setChecked(underline);
}

void EditorWindow::EnableCommands(bool on) {
  for (QWidget* widget : commandGroups_)
    widget->setEnabled(on);
}

void EditorWindow::ShowBlank() {
  blankPage_ = true;
  engine_->Load(QUrl("about:blank"));
  show();
  raise();
  activateWindow();
}

void EditorWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  zoom_ = 1.0;
  browser_->setFocus();
}

void EditorWindow::DocumentComplete(bool loaded) {
  if (blankPage_) {
    // A new blank page is never in design mode.
    documentLoaded_ = false;
    return;
  }
  if (!loaded) {
    // The browser shows its own error page then: it is not the file, and saving it would
    // put that page in place of the teacher's.
    documentLoaded_ = false;
    EnableCommands(false);
    prompts_->Warning(T("Не вдалося відкрити файл \"") + PathForMessage(currentFile_) + "\"");
    return;
  }
  engine_->SetDesignMode(true);
  documentLoaded_ = true;
  EnableCommands(true);
  engine_->UpdateStyle();
}

void EditorWindow::OpenButtonClick() {
  if (documentLoaded_) {
    const Answer answer = prompts_->AskYesNoCancel(T("Зберегти зміни в документі ?"));
    if (answer == Answer::Cancel)
      return;
    if (answer == Answer::Yes)
      SaveItemClick();
  }
  const auto file = prompts_->ChooseOpenFile(T(kOpenFilters));
  if (!file)
    return;
  std::error_code error;
  if (!std::filesystem::is_regular_file(*file, error)) {
    prompts_->Warning(T("Не вдалося знайти зазначений файл !"));
    engine_->WaitAndFocus();
    return;
  }
  blankPage_ = false;
  engine_->SetDesignMode(false);
  engine_->Load(QUrl::fromLocalFile(QString::fromStdString(file->string())));
  currentFile_ = *file;
  engine_->WaitAndFocus();
}

void EditorWindow::SaveItemClick() {
  // Only a file's page is saved: the blank page never goes over the remembered file.
  if (!documentLoaded_)
    return;
  if (currentFile_.empty())
    SaveAsItemClick();
  else
    SaveToFileName(currentFile_);
}

void EditorWindow::SaveToFileName(const std::filesystem::path& chosen) {
  const auto path = prompts_->ChooseFileToSave(
      // A name chosen again after "No" is taken as typed, as it always was.
      [this]() -> std::optional<std::filesystem::path> {
        const auto again = prompts_->ChooseSaveFileWithFilter(T(kSaveFilters));
        if (!again)
          return std::nullopt;
        return again->path;
      },
      chosen, currentFile_);
  if (!path)
    return;
  if (!engine_->SaveDocument(*path))
    return;
  currentFile_ = *path;
  ++saves_;
}

void EditorWindow::SaveAsItemClick() {
  if (!documentLoaded_)
    return;
  if (const auto chosen = prompts_->ChooseSaveFileWithFilter(T(kSaveFilters)))
    SaveToFileName(std::filesystem::path(SaveAsName(chosen->path.string(), chosen->filter)));
  engine_->WaitAndFocus();
}

void EditorWindow::SavePictureItemClick() {
  if (!documentLoaded_)
    return;
  SavePagePicture(*engine_, browser_, *prompts_);
  engine_->WaitAndFocus();
}

void EditorWindow::PrintItemClick() {
  if (!documentLoaded_)
    return;
  QPrinter printer;
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() == QDialog::Accepted)
    PrintAndWait(browser_, &printer);
}

void EditorWindow::PreviewItemClick() {
  if (!documentLoaded_)
    return;
  QPrintPreviewDialog preview(this);
  connect(&preview, &QPrintPreviewDialog::paintRequested, this,
          [this](QPrinter* printer) { PrintAndWait(browser_, printer); });
  preview.exec();
}

void EditorWindow::SearchButtonClick() {
  if (documentLoaded_)
    engine_->Find();
}

void EditorWindow::ScalePlusButtonClick() {
  if (!ZoomIn(zoom_))
    return;
  engine_->RunScript(ZoomScript(zoom_));
  status_->setText(Q(ZoomStatus(zoom_)));
}

void EditorWindow::ScaleMinusButtonClick() {
  if (!ZoomOut(zoom_))
    return;
  engine_->RunScript(ZoomScript(zoom_));
  status_->setText(Q(ZoomStatus(zoom_)));
}

void EditorWindow::keyPressEvent(QKeyEvent* event) {
  // Esc that nothing in the window took: in the find bar it closes the bar, elsewhere
  // (the page passes on the keys it does not use) the window.
  if (event->key() != Qt::Key_Escape) {
    QMainWindow::keyPressEvent(event);
    return;
  }
  if (findBar_->isVisible() && findBar_->isAncestorOf(focusWidget())) {
    findBar_->hide();
    engine_->WaitAndFocus();
    return;
  }
  close();
}

void EditorWindow::closeEvent(QCloseEvent* event) {
  if (documentLoaded_) {
    const Answer answer = prompts_->AskYesNoCancel(T("Зберегти зміни в документі ?"));
    if (answer == Answer::Cancel) {
      event->ignore();
      engine_->WaitAndFocus();
      return;
    }
    // A save that failed (a full disk, a folder removed) or whose chooser was cancelled
    // saved nothing: the window stays with its page.
    const int saves = saves_;
    if (answer == Answer::Yes &&
        (!RunCommand(*prompts_, [this] { SaveItemClick(); }) || saves_ == saves)) {
      event->ignore();
      engine_->WaitAndFocus();
      return;
    }
  }
  FormClose();
  event->accept();
}

void EditorWindow::FormClose() {
  engine_->SetDesignMode(false);
  EnableCommands(false);
  fontSelector_->setCurrentIndex(-1);
  sizeSelector_->setCurrentIndex(-1);
  colourSelector_->SetColour({0, 0, 0});
  ShowStyle(false, false, false);
  pager_->setCurrentIndex(0);
  status_->setText(Q(ZoomStatus(1.0)));
  findBar_->hide();
}

} // namespace quarbel
