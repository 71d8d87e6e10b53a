#include "app/main_window.h"

#include "app/about_box.h"
#include "editor/vision_editor_box.h"
#include "generator/convert_command.h"
#include "generator/generate_textbook.h"
#include "generator/helper_reserve.h"
#include "generator/ui/loading_box.h"
#include "prompts/command_runner.h"
#include "records/record_file.h"
#include "records/ui/record_page_box.h"
#include "settings/recent_files.h"
#include "settings/ui/parameters_box.h"
#include "settings/ui/styles_box.h"
#include "structure/ui/open_options_box.h"
#include "structure/ui/structure_view.h"
#include "text/cp1251.h"
#include "text/error.h"
#include "text/paths.h"
#include "widgets/input_box.h"
#include "widgets/qt_text.h"
#include "widgets/search_box.h"
#include "widgets/text_edit_menu.h"
#include "widgets/tool_groups.h"
#include "wordproc/libreoffice_word_processor.h"
#include "wordproc/page_cache.h"
#include "wordproc/word_running.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace quarbel {
namespace {

const char* const kDocumentFilters =
    "Відео файли (*.MP4 *.mp4);;"
    "Документи Adobe Reader (*.PDF *.pdf);;"
    "Документи DjVu (*.DjVu *.djvu *.DJVU);;"
    "Документи MathCad (*.MCD *.XMCD *.mcd *.xmcd);;"
    "Документи Microsoft Excel (*.XLS *.XLSX *.xls *.xlsx);;"
    "Документи Microsoft PowerPoint (*.PPS *.PPT *.PPTX *.pps *.ppt *.pptx);;"
    "Документи Microsoft Word (*.DOC *.DOCX *.RTF *.doc *.docx *.rtf);;"
    "Файли зображень (*.BMP *.GIF *.JPG *.JPEG *.PNG *.TIF *.TIFF *.bmp *.gif *.jpg *.jpeg *.png "
    "*.tif *.tiff);;"
    "Всі підтримувані типи файлів (*.MP4 *.PDF *.DjVu *.MCD *.XMCD *.XLS *.XLSX *.PPS *.PPT *.PPTX "
    "*.DOC "
    "*.DOCX *.RTF *.BMP *.GIF *.JPG *.JPEG *.PNG *.TIF *.TIFF *.mp4 *.pdf *.djvu *.mcd *.xmcd "
    "*.xls *.xlsx "
    "*.pps *.ppt *.pptx *.doc *.docx *.rtf *.bmp *.gif *.jpg *.jpeg *.png *.tif *.tiff)";

QToolButton* ToolButton(QWidget* parent, const QString& hint, QStyle::StandardPixmap icon,
                        int size = 40) {
  return quarbel::ToolButton(parent, hint, parent->style()->standardIcon(icon), size);
}

// The small "Зберегти" and "Відкрити" buttons of a record's tool bar.
QVBoxLayout* RecordFileButtons(QWidget* parent, const QString& what, MainWindow* box,
                               void (MainWindow::*save)(), void (MainWindow::*open)()) {
  auto* column = new QVBoxLayout;
  auto* saveButton = new QToolButton(parent);
  saveButton->setText(QStringLiteral("Зберегти"));
  saveButton->setToolTip(QStringLiteral("Зберегти ") + what);
  auto* openButton = new QToolButton(parent);
  openButton->setText(QStringLiteral("Відкрити"));
  openButton->setToolTip(QStringLiteral("Відкрити ") + what);
  for (QToolButton* button : {saveButton, openButton}) {
    button->setAutoRaise(true);
    column->addWidget(button);
  }
  QObject::connect(saveButton, &QToolButton::clicked, box, save);
  QObject::connect(openButton, &QToolButton::clicked, box, open);
  return column;
}

} // namespace

MainWindow::MainWindow(const ProgramFolders& folders, QWidget* parent)
    : QMainWindow(parent), folders_(folders), qtPrompts_(this), prompts_(&qtPrompts_),
      commands_(tree_, qtPrompts_),
      records_(qtPrompts_, folders_.data / "Data Base" / "Data Base.QCD") {
  setObjectName("TBox");
  setWindowTitle(QStringLiteral("Quarbel Vorizareda 2.0.0"));
  resize(584, 462);
  setMinimumSize(450, 250);
  // The first start puts the window in the middle of the screen.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(BuildToolPager());
  view_ = new StructureView(central, tree_, commands_);
  layout->addWidget(view_, 1);
  setCentralWidget(central);
  connect(view_, &StructureView::changed, this, [this] {
    UpdateMenuState();
    UpdateReserve();
  });
  connect(view_, &QTreeWidget::itemDoubleClicked, this, [this] {
    if (commands_.selected)
      OpenItemClick();
  });

  // The moving panel over the lower right corner of the tree.
  movingPanel_ = new QWidget(this);
  movingPanel_->setObjectName("MovingPanel");
  movingPanel_->setFixedSize(40, 80);
  auto* moves = new QVBoxLayout(movingPanel_);
  moves->setContentsMargins(0, 0, 0, 0);
  moves->setSpacing(0);
  QToolButton* up =
      ToolButton(movingPanel_, QStringLiteral("Перемістити вузол вверх"), QStyle::SP_ArrowUp);
  up->setObjectName("UpButton");
  QToolButton* down =
      ToolButton(movingPanel_, QStringLiteral("Перемістити вузол вниз"), QStyle::SP_ArrowDown);
  down->setObjectName("DownButton");
  moves->addWidget(up);
  moves->addWidget(down);
  connect(up, &QToolButton::clicked, this, &MainWindow::UpButtonClick);
  connect(down, &QToolButton::clicked, this, &MainWindow::DownButtonClick);

  inputBox_ =
      new NameInputWindow(this, [this](const std::string& text) { prompts_->Warning(text); });
  openOptionsBox_ = new OpenOptionsWindow(this);
  searchBox_ = new SearchWindow(this);
  loadingBox_ = new LoadingWindow(this);
  parametersBox_ = new ParametersWindow(this);
  aboutBox_ = new AboutWindow(this, ManualPath(), [this] { HelpButtonClick(); });
  // The editor is a window of its own, with its own task bar button.
  editorBox_ = std::make_unique<EditorWindow>(nullptr, prompts_);
  stylesBox_ = new StylesWindow(this, folders_.userStyles, prompts_, searchBox_, inputBox_,
                                folders_.shippedStyles);
  titleBox_ = new RecordPageBox(this, TitlePageLayout(), prompts_);
  authorBox_ = new RecordPageBox(this, AuthorPageLayout(), prompts_);
  UseTextEditingMenu(inputBox_->NameEdit());
  UseTextEditingMenu(searchBox_->SearchEdit());
  connect(parametersBox_, &ParametersWindow::movingPanelChanged, movingPanel_,
          &QWidget::setVisible);

  BuildPopupMenu();
  BuildShortcuts();
  commands_.fileUsed = [this](const std::filesystem::path& file) { RememberStructure(file); };
  wordRunning_ = [] { return IsWordRunning(); };
  openFile_ = [](const std::filesystem::path& file) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file.string())));
  };
  wordProcessorFactory_ = [this] {
    HelperOptions options;
    options.helper = folders_.helper;
    return std::make_unique<LibreOfficeWordProcessor>(options);
  };
  wordJobs_ = DefaultWordPageJobs();
  reserve_ = std::make_unique<HelperReserve>([this] { return wordProcessorFactory_(); });
  view_->setFocus();
}

MainWindow::~MainWindow() = default;

namespace {

RecordValue RecordOf(const StoredPage& page) {
  RecordValue value;
  value.texts = page.texts;
  if (!page.pictureBytes.empty())
    value.picture = RecordPicture{page.pictureBytes, page.extension};
  value.checked = page.pictureChecked && value.picture.has_value();
  return value;
}

void StoreRecord(const RecordValue& value, StoredPage& page) {
  page.texts = value.texts;
  page.pictureChecked = value.checked;
  page.extension = value.picture ? value.picture->extension : std::string();
  page.pictureBytes = value.picture ? value.picture->bytes : std::string();
}

} // namespace

void MainWindow::ApplySettings(const ProgramSettings& settings) {
  ParametersWindow* parameters = ParametersBox();
  parameters->MovingPanelCheckBox()->setChecked(settings.movingPanel);
  MovingPanel()->setVisible(settings.movingPanel);
  parameters->SaveTitleCheckBox()->setChecked(settings.title.save);
  parameters->SaveAboutCheckBox()->setChecked(settings.author.save);
  parameters->ApplyInterfaceStyle(QString::fromStdString(settings.style));
  parameters->SetEncoding(settings.encoding);
  parameters->SetLayout(settings.layout);
  TPageBox()->SetValue(RecordOf(settings.title));
  APageBox()->SetValue(RecordOf(settings.author));
  titleFilled = !settings.title.texts[University].empty();
  authorFilled = !settings.author.texts[Surname].empty();
  SetTitlePageOn(settings.title.toggle);
  SetAuthorPageOn(settings.author.toggle);
  if (settings.look)
    stylesBox_->RestoreLook(*settings.look);
  recent_ = settings.recentStructures;
  FillOpenMenu();
}

ProgramSettings MainWindow::CollectSettings(ProgramSettings settings) const {
  StoreRecord(titleBox_->Value(), settings.title);
  StoreRecord(authorBox_->Value(), settings.author);
  settings.title.toggle = TitlePageOn();
  settings.author.toggle = AuthorPageOn();
  settings.movingPanel = parametersBox_->MovingPanelCheckBox()->isChecked();
  settings.title.save = parametersBox_->SaveTitleCheckBox()->isChecked();
  settings.author.save = parametersBox_->SaveAboutCheckBox()->isChecked();
  settings.style = parametersBox_->StylerComboBox()->currentText().toStdString();
  settings.encoding = parametersBox_->Encoding();
  settings.layout = parametersBox_->Layout();
  settings.look = stylesBox_->KeptLook();
  settings.recentStructures = recent_;
  return settings;
}

void MainWindow::SetPageCache(std::unique_ptr<PageCache> cache) {
  pageCache_ = std::move(cache);
  pageVersion_.clear(); // worked out at the first conversion, not at start-up
}

void MainWindow::SetWordProcessorFactory(std::function<std::unique_ptr<WordProcessor>()> factory) {
  wordProcessorFactory_ = std::move(factory);
}

QWidget* MainWindow::BuildToolPager() {
  auto* pager = new QTabWidget(this);
  pager->setObjectName("ToolPager");
  MarkToolPager(pager);
  pager->setFixedHeight(94);

  auto* main = new QWidget(pager);
  auto* mainRow = new QHBoxLayout(main);
  mainRow->setContentsMargins(2, 2, 2, 2);
  QHBoxLayout* row = nullptr;
  QGroupBox* file = ToolGroup(main, QStringLiteral("Файл"), row);
  QToolButton* open = ToolButton(file, QStringLiteral("Відкрити"), QStyle::SP_DialogOpenButton);
  open->setObjectName("OpenButton");
  openMenu_ = new QMenu(open);
  openMenu_->setObjectName("OpenMenu");
  FillOpenMenu();
  open->setMenu(openMenu_);
  open->setPopupMode(QToolButton::InstantPopup);
  QToolButton* save = ToolButton(file, QStringLiteral("Зберегти"), QStyle::SP_DialogSaveButton);
  save->setObjectName("SaveButton");
  saveMenu_ = new QMenu(save);
  saveMenu_->setObjectName("SaveMenu");
  saveMenu_->addAction(QStringLiteral("Зберегти структуру"), this,
                       &MainWindow::TreeViewSaveItemClick);
  saveMenu_->addAction(QStringLiteral("Зберегти структуру як . . ."), this,
                       &MainWindow::TreeViewSaveAsItemClick);
  saveMenu_->addSeparator();
  saveMenu_->addAction(QStringLiteral("Конвертувати . . ."), this, &MainWindow::ConvertClicked)
      ->setObjectName("ConvertItem");
  const auto packageItems = [this](QMenu* menu, const QString& prefix) {
    menu->addAction(QStringLiteral("Конвертувати і зробити пакет SCORM 1.2 (.zip) . . ."), this,
                    [this] { Convert(TextbookPackage::Scorm); })
        ->setObjectName(prefix + "ScormItem");
    menu->addAction(QStringLiteral("Конвертувати і зробити книгу EPUB 3 (.epub) . . ."), this,
                    [this] { Convert(TextbookPackage::Epub); })
        ->setObjectName(prefix + "EpubItem");
  };
  packageItems(saveMenu_, "Save");
  save->setMenu(saveMenu_);
  save->setPopupMode(QToolButton::InstantPopup);
  QToolButton* editor =
      ToolButton(file, QStringLiteral("Візуальний редактор"), QStyle::SP_FileDialogDetailedView);
  editor->setObjectName("VEButton");
  connect(editor, &QToolButton::clicked, this, &MainWindow::EditorButtonClicked);
  QToolButton* convert = ToolButton(file, QStringLiteral("Конвертувати"), QStyle::SP_MediaPlay);
  convert->setObjectName("ConvertButton");
  convert->setText(QStringLiteral("Конвертувати"));
  convert->setToolTip(QStringLiteral("Конвертувати структуру в електронний посібник (F3)"));
  convert->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  convert->setFixedWidth(convert->sizeHint().width() + 4);
  connect(convert, &QToolButton::clicked, this, &MainWindow::ConvertClicked);
  // The arrow beside the button offers the packages for learning platforms and e-readers.
  QMenu* convertMenu = new QMenu(convert);
  convertMenu->setObjectName("ConvertMenu");
  convertMenu->addAction(QStringLiteral("Конвертувати в папку . . ."), this,
                         &MainWindow::ConvertClicked);
  packageItems(convertMenu, "Convert");
  convert->setMenu(convertMenu);
  convert->setPopupMode(QToolButton::MenuButtonPopup);
  row->addWidget(open);
  row->addWidget(save);
  row->addWidget(convert);
  row->addWidget(editor);
  mainRow->addWidget(file);
  QGroupBox* help = ToolGroup(main, QStringLiteral("Допомога"), row);
  QToolButton* about = ToolButton(help, QStringLiteral("Про програму : Quarbel Vorizareda"),
                                  QStyle::SP_MessageBoxInformation);
  about->setObjectName("AboutButton");
  connect(about, &QToolButton::clicked, this, &MainWindow::AboutButtonClick);
  QToolButton* helpButton =
      ToolButton(help, QStringLiteral("Допомога"), QStyle::SP_DialogHelpButton);
  helpButton->setObjectName("HelpButton");
  connect(helpButton, &QToolButton::clicked, this, &MainWindow::HelpButtonClick);
  row->addWidget(about);
  row->addWidget(helpButton);
  mainRow->addWidget(help);
  mainRow->addStretch();
  pager->addTab(main, QStringLiteral("Головне меню"));

  auto* options = new QWidget(pager);
  auto* optionsRow = new QHBoxLayout(options);
  optionsRow->setContentsMargins(2, 2, 2, 2);
  QGroupBox* styles = ToolGroup(options, QStringLiteral("Стилі"), row);
  QToolButton* stylesButton =
      ToolButton(styles, QStringLiteral("Стилі"), QStyle::SP_FileDialogContentsView);
  stylesButton->setObjectName("StylesButton");
  connect(stylesButton, &QToolButton::clicked, this, &MainWindow::StylesButtonClick);
  row->addWidget(stylesButton);
  optionsRow->addWidget(styles);
  QGroupBox* title = ToolGroup(options, QStringLiteral("Титульна сторінка"), row);
  titleButton_ =
      ToolButton(title, QStringLiteral("Титульна сторінка"), QStyle::SP_FileDialogInfoView);
  titleButton_->setObjectName("TPageButton");
  row->addWidget(titleButton_);
  row->addLayout(RecordFileButtons(title, QStringLiteral("титульну сторінку"), this,
                                   &MainWindow::SaveTitleRecordClicked,
                                   &MainWindow::OpenTitleRecordClicked));
  optionsRow->addWidget(title);
  QGroupBox* author = ToolGroup(options, QStringLiteral("Інформація про автора"), row);
  authorButton_ =
      ToolButton(author, QStringLiteral("Інформація про автора"), QStyle::SP_DirHomeIcon);
  authorButton_->setObjectName("APageButton");
  row->addWidget(authorButton_);
  row->addLayout(RecordFileButtons(author, QStringLiteral("інформацію про автора"), this,
                                   &MainWindow::SaveAuthorRecordClicked,
                                   &MainWindow::OpenAuthorRecordClicked));
  optionsRow->addWidget(author);
  for (QToolButton* button : {titleButton_, authorButton_})
    button->installEventFilter(this);
  connect(titleButton_, &QToolButton::clicked, this, &MainWindow::TitlePageButtonClicked);
  connect(authorButton_, &QToolButton::clicked, this, &MainWindow::AuthorPageButtonClicked);
  QGroupBox* parameters = ToolGroup(options, QString(), row);
  QToolButton* parametersButton =
      ToolButton(parameters, QStringLiteral("Параметри"), QStyle::SP_ComputerIcon, 54);
  parametersButton->setObjectName("ParametersButton");
  connect(parametersButton, &QToolButton::clicked, this, &MainWindow::ParametersButtonClick);
  row->addWidget(parametersButton);
  optionsRow->addWidget(parameters);
  optionsRow->addStretch();
  pager->addTab(options, QStringLiteral("Параметри"));
  return pager;
}

void MainWindow::FillOpenMenu() {
  openMenu_->clear();
  openMenu_->addAction(QStringLiteral("Відкрити структуру . . ."), this,
                       &MainWindow::TreeViewOpenItemClick);
  openMenu_->addAction(QStringLiteral("Добавити документ . . ."), this,
                       &MainWindow::OpenButtonClick);
  if (recent_.empty())
    return;
  openMenu_->addSeparator();
  for (size_t i = 0; i < recent_.size(); ++i) {
    QString shown = Q(recent_[i]);
    shown.replace('&', QStringLiteral("&&"));
    QAction* entry = openMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
    entry->setObjectName(QStringLiteral("RecentStructure%1").arg(i + 1));
    connect(entry, &QAction::triggered, this,
            [this, path = recent_[i]] { OpenRecentStructure(path); });
  }
}

void MainWindow::RememberStructure(const std::filesystem::path& file) {
  // A path the program could not name again is not listed.
  if (const auto text = TryPathText(file)) {
    RememberRecentFile(recent_, *text);
    FillOpenMenu();
  }
}

void MainWindow::OpenRecentStructure(const std::string& path) {
  Run([this, path] {
    if (!commands_.OpenStructureFile(FsPath(path))) {
      recent_.erase(std::remove(recent_.begin(), recent_.end(), path), recent_.end());
      FillOpenMenu();
    }
  });
}

void MainWindow::BuildPopupMenu() {
  popup_ = new QMenu(this);
  popup_->setObjectName("PopupMenu1");
  popup_->addAction(QStringLiteral("Створити пункт . . ."), this, &MainWindow::AddItemClick);
  popup_->addAction(QStringLiteral("Створити підпункт . . ."), this,
                    &MainWindow::AddChildItemClick);
  popup_->addSeparator();
  popup_->addAction(QStringLiteral("Відкрити структуру . . ."), this,
                    &MainWindow::TreeViewOpenItemClick);
  popup_->addAction(QStringLiteral("Зберегти структуру"), this, &MainWindow::TreeViewSaveItemClick);
  popup_->addAction(QStringLiteral("Зберегти структуру як . . ."), this,
                    &MainWindow::TreeViewSaveAsItemClick);
  popup_->addSeparator();
  popup_->addAction(QStringLiteral("Добавити документ . . ."), this, &MainWindow::OpenButtonClick);
  popup_
      ->addAction(QStringLiteral("Відкрити даний документ . . ."), this, &MainWindow::OpenItemClick)
      ->setObjectName("OpenItem");
  popup_->addAction(QStringLiteral("Пошук . . ."), this, &MainWindow::SearchItemClick)
      ->setObjectName("SearchItem");
  popup_->addAction(QStringLiteral("Перейменувати . . ."), this, &MainWindow::RenameItemClick)
      ->setObjectName("RenameItem");
  popup_->addAction(QStringLiteral("Видалити"), this, &MainWindow::DeleteItemClick)
      ->setObjectName("DeleteItem");
  popup_->addSeparator();
  popup_->addAction(QStringLiteral("Очистити структуру"), this, &MainWindow::ClearItemClick)
      ->setObjectName("ClearItem");
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(view_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { popup_->popup(view_->viewport()->mapToGlobal(pos)); });
  for (QMenu* menu : {popup_, openMenu_, saveMenu_})
    connect(menu, &QMenu::aboutToShow, this, &MainWindow::UpdateMenuState);
}

void MainWindow::UpdateMenuState() {
  // These items need a structure with at least one node.
  const bool any = !tree_.Empty();
  for (const char* name : {"OpenItem", "SearchItem", "RenameItem", "DeleteItem", "ClearItem"}) {
    if (auto* action = popup_->findChild<QAction*>(name, Qt::FindDirectChildrenOnly))
      action->setEnabled(any);
  }
}

void MainWindow::BuildShortcuts() {
  // Window-wide keys: they act only while the main window is the active window.
  const std::pair<QKeySequence, void (MainWindow::*)()> keys[] = {
      {QKeySequence(Qt::ALT | Qt::Key_I), &MainWindow::AddItemClick},
      {QKeySequence(Qt::ALT | Qt::Key_C), &MainWindow::AddChildItemClick},
      {QKeySequence(Qt::CTRL | Qt::Key_O), &MainWindow::TreeViewOpenItemClick},
      {QKeySequence(Qt::CTRL | Qt::Key_S), &MainWindow::TreeViewSaveItemClick},
      {QKeySequence(Qt::CTRL | Qt::Key_D), &MainWindow::OpenButtonClick},
      {QKeySequence(Qt::Key_Return), &MainWindow::OpenItemClick},
      {QKeySequence(Qt::Key_Enter), &MainWindow::OpenItemClick},
      {QKeySequence(Qt::CTRL | Qt::Key_F), &MainWindow::SearchItemClick},
      {QKeySequence(Qt::Key_F2), &MainWindow::RenameItemClick},
      {QKeySequence(Qt::Key_Delete), &MainWindow::DeleteItemClick},
      {QKeySequence(Qt::CTRL | Qt::Key_Delete), &MainWindow::ClearItemClick},
      {QKeySequence(Qt::Key_F3), &MainWindow::ConvertClicked},
      {QKeySequence(Qt::Key_F1), &MainWindow::HelpButtonClick},
  };
  for (const auto& [key, command] : keys) {
    auto* shortcut = new QShortcut(key, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, command);
  }
}

void MainWindow::Run(const std::function<void()>& command) {
  if (converting_)
    return; // the user's commands wait for the conversion
  RunCommand(*prompts_, command);
  view_->Rebuild();
  UpdateMenuState();
  UpdateReserve();
}

void MainWindow::UpdateReserve() {
  if (WordDocumentsOf(tree_.ToOutline()).empty())
    reserve_->Release();
  else
    reserve_->Want();
}

void MainWindow::OpenStructureFile(const std::filesystem::path& file) {
  Run([this, file] { commands_.OpenStructureFile(file); });
}

void MainWindow::TreeViewOpenItemClick() {
  Run([this] { commands_.OpenStructure(); });
}
void MainWindow::TreeViewSaveItemClick() {
  Run([this] { commands_.SaveStructure(); });
}
void MainWindow::TreeViewSaveAsItemClick() {
  Run([this] { commands_.SaveStructureAs(); });
}
void MainWindow::ClearItemClick() {
  Run([this] { commands_.ClearStructure(); });
}

void MainWindow::AddItemClick() {
  Run([this] {
    std::string name;
    if (inputBox_->Ask(QStringLiteral("Створити пункт"), "", name))
      commands_.CreateItem(name, false);
  });
}

void MainWindow::AddChildItemClick() {
  Run([this] {
    std::string name;
    if (inputBox_->Ask(QStringLiteral("Створити підпункт"), "", name))
      commands_.CreateItem(name, true);
  });
}

void MainWindow::RenameItemClick() {
  Run([this] {
    const auto title = commands_.RenameTitle();
    std::string name;
    if (title && inputBox_->Ask(QStringLiteral("Перейменувати"), *title, name))
      commands_.Rename(name);
  });
}

void MainWindow::DeleteItemClick() {
  Run([this] { commands_.DeleteSelected(); });
}
void MainWindow::UpButtonClick() {
  Run([this] { commands_.MoveUp(); });
}
void MainWindow::DownButtonClick() {
  Run([this] { commands_.MoveDown(); });
}

void MainWindow::OpenButtonClick() {
  Run([this] {
    const auto files = prompts_->ChooseOpenFiles(Cp1251FromUtf8(kDocumentFilters));
    if (files.empty())
      return;
    const bool wasEmpty = tree_.Empty();
    commands_.AddDocuments(files, [this](PlacementQuestion q) { return openOptionsBox_->Ask(q); });
    openOptionsBox_->EndBatch();
    if (wasEmpty)
      view_->setFocus();
  });
}

void MainWindow::OpenItemClick() {
  Run([this] {
    if (const auto path = commands_.SelectedDocumentPath())
      openFile_(FsPath(*path));
  });
}

void MainWindow::SearchItemClick() {
  if (tree_.Empty())
    return;
  searchBox_->Serve(this, [this](const std::string& text, bool forward) {
    if (commands_.SearchTree(text, forward))
      view_->Rebuild();
  });
  searchBox_->Open();
}

void MainWindow::EditorButtonClicked() {
  // An open editor comes forward with its page as it is: a click never throws away edits.
  // A closed one starts on the blank page.
  if (editorBox_->isVisible()) {
    editorBox_->raise();
    editorBox_->activateWindow();
  } else {
    editorBox_->ShowBlank();
  }
}

void MainWindow::StylesButtonClick() {
  stylesBox_->Open();
}

void MainWindow::ParametersButtonClick() {
  parametersBox_->exec();
}

void MainWindow::AboutButtonClick() {
  aboutBox_->Open();
}

bool MainWindow::TitlePageOn() const {
  return titleButton_->isCheckable() && titleButton_->isChecked();
}
bool MainWindow::AuthorPageOn() const {
  return authorButton_->isCheckable() && authorButton_->isChecked();
}

namespace {

void Latch(QToolButton* button, bool on) {
  button->setCheckable(on);
  button->setChecked(on);
}

} // namespace

void MainWindow::SetTitlePageOn(bool on) {
  Latch(titleButton_, on);
}
void MainWindow::SetAuthorPageOn(bool on) {
  Latch(authorButton_, on);
}

void MainWindow::OpenRecordPage(RecordPageBox* box, QToolButton* button, bool& filled) {
  // The click itself has flipped a latched button; the close puts it back.
  const bool reopenPressed = button->isCheckable();
  box->exec();
  if (box->ClosedByOk()) {
    filled = true;
    Latch(button, true);
  }
  if (reopenPressed)
    Latch(button, true);
}

void MainWindow::SaveRecord(RecordPageBox* box, bool filled, int kind) {
  if (!filled)
    return;
  Run([&] { records_.Save(static_cast<RecordKind>(kind), box->Value()); });
}

void MainWindow::OpenRecord(RecordPageBox* box, QToolButton* button, bool& filled, int kind) {
  Run([&] {
    const auto value =
        records_.Open(static_cast<RecordKind>(kind), [](const RecordPicture& picture) {
          QImage image;
          return image.loadFromData(reinterpret_cast<const uchar*>(picture.bytes.data()),
                                    static_cast<int>(picture.bytes.size()));
        });
    if (!value)
      return;
    box->SetValue(*value);
    Latch(button, true);
    filled = true;
  });
}

void MainWindow::SaveTitleRecordClicked() {
  SaveRecord(titleBox_, titleFilled, static_cast<int>(RecordKind::TitlePage));
}
void MainWindow::OpenTitleRecordClicked() {
  OpenRecord(titleBox_, titleButton_, titleFilled, static_cast<int>(RecordKind::TitlePage));
}
void MainWindow::SaveAuthorRecordClicked() {
  SaveRecord(authorBox_, authorFilled, static_cast<int>(RecordKind::Author));
}
void MainWindow::OpenAuthorRecordClicked() {
  OpenRecord(authorBox_, authorButton_, authorFilled, static_cast<int>(RecordKind::Author));
}

void MainWindow::TitlePageButtonClicked() {
  OpenRecordPage(titleBox_, titleButton_, titleFilled);
}
void MainWindow::AuthorPageButtonClicked() {
  OpenRecordPage(authorBox_, authorButton_, authorFilled);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // The right mouse button switches a page off, or on when its record was ever filled.
  if (event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    if (watched == titleButton_ || watched == authorButton_) {
      auto* button = static_cast<QToolButton*>(watched);
      const bool filled = watched == titleButton_ ? titleFilled : authorFilled;
      if (button->isCheckable() && button->isChecked())
        Latch(button, false);
      else if (filled)
        Latch(button, true);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::HelpButtonClick() {
  openFile_(ManualPath());
}

void MainWindow::ConvertClicked() {
  Convert(TextbookPackage::None);
}

void MainWindow::Convert(TextbookPackage package) {
  Run([this, package] {
    GenerationInput input;
    input.outline = tree_.ToOutline();
    input.programFolder = folders_.data;
    input.encoding = parametersBox_->Encoding();
    input.layout = parametersBox_->Layout();
    input.package = package;
    const StyleChoice& style = stylesBox_->Choice();
    input.styleFile = style.styleFile;
    input.menuColour = style.menuColour;
    input.pageColour = style.pageColour;
    input.ruleColour = style.ruleColour;
    input.icons = style.icons;
    input.navigation = style.navigation;
    input.titlePage = TitlePageOn();
    input.title = titleBox_->Value();
    input.authorPage = AuthorPageOn();
    input.author = authorBox_->Value();
    WordPageOptions word;
    word.factory = reserve_->TakingFirst(wordProcessorFactory_);
    word.jobs = wordJobs_;
    word.cache = pageCache_.get();
    if (pageCache_ && pageVersion_.empty())
      pageVersion_ = WordPageVersion(folders_.helper);
    word.version = pageVersion_;
    converting_ = true;
    try {
      ConvertCourse(input, *prompts_, word, *loadingBox_, wordRunning_, openFile_);
    } catch (...) {
      converting_ = false;
      throw;
    }
    converting_ = false;
  });
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (converting_) {
    event->ignore();
    return;
  }
  // The editor asks about its page first; its Cancel keeps the program open.
  if (editorBox_->isVisible() && !editorBox_->close()) {
    event->ignore();
    return;
  }
  bool close = false;
  RunCommand(*prompts_, [&] { close = commands_.CloseQuery(); });
  view_->Rebuild();
  if (!close) {
    event->ignore();
    return;
  }
  if (storeSettings_)
    RunCommand(*prompts_, storeSettings_);
  reserve_->Release();
  event->accept();
}

void MainWindow::PlaceMovingPanel() {
  const QRect area = centralWidget()->geometry();
  movingPanel_->move(area.right() - 18 - movingPanel_->width() + 1,
                     area.bottom() - 18 - movingPanel_->height() + 1);
  movingPanel_->raise();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  PlaceMovingPanel();
}

} // namespace quarbel
