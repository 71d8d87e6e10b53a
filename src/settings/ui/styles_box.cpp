#include "settings/ui/styles_box.h"

#include "pictures/builtin_icons.h"
#include "pictures/picture_format.h"
#include "prompts/command_runner.h"
#include "text/cp1251.h"
#include "text/error.h"
#include "text/paths.h"
#include "text/text_case.h"
#include "widgets/dialog_parts.h"
#include "widgets/input_box.h"
#include "widgets/picture_chooser.h"
#include "widgets/qt_prompts.h"
#include "widgets/qt_text.h"
#include "widgets/search_box.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace quarbel {
namespace {

std::string T(const char* utf8) {
  return Cp1251FromUtf8(utf8);
}

RgbColor& ColourOf(StyleChoice& choice, int index) {
  return index == 0 ? choice.menuColour : index == 1 ? choice.pageColour : choice.ruleColour;
}

constexpr BuiltInIcon kBuiltIn[kIconCount] = {BuiltInIcon::Home, BuiltInIcon::Previous,
                                              BuiltInIcon::Forward, BuiltInIcon::Minus,
                                              BuiltInIcon::Plus};

QImage IconImage(const IconPicture& icon, IconSlot slot) {
  QImage image;
  const std::string_view bytes =
      icon.bytes.empty() ? BuiltInIconGif(kBuiltIn[slot]) : std::string_view(icon.bytes);
  image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()));
  return image;
}

} // namespace

StylesWindow::StylesWindow(QWidget* parent, std::filesystem::path stylesFolder, Prompts*& prompts,
                           SearchWindow* searchBox, NameInputWindow* inputBox,
                           std::filesystem::path shippedStyles)
    : QDialog(parent), folder_(std::move(stylesFolder), std::move(shippedStyles)),
      prompts_(prompts), searchBox_(searchBox), inputBox_(inputBox) {
  setObjectName("TStylesBox");
  setWindowTitle(QStringLiteral("Стилі"));
  setModal(true);
  setFixedSize(338, 406);

  pager_ = new QTabWidget(this);
  pager_->setObjectName("StylesPager");

  auto* styles = new QWidget(pager_);
  auto* stylesLayout = new QVBoxLayout(styles);
  auto* colours = new QHBoxLayout;
  const char* const captions[3] = {"Фон меню", "Фон документа", "Колір HR"};
  const char* const hints[3] = {"Вибрати колір фону для головного меню",
                                "Вибрати колір фону документа",
                                "Вибрати колір горизонтальної лінії на титульній сторінці"};
  for (int i = 0; i < 3; ++i) {
    auto* panel = new QPushButton(QString::fromUtf8(captions[i]), styles);
    panel->setObjectName(QString("Panel%1").arg(i + 1));
    panel->setToolTip(QString::fromUtf8(hints[i]));
    panel->setFixedHeight(48);
    panel->setAutoDefault(false);
    connect(panel, &QPushButton::clicked, this, [this, i] { PanelClick(i); });
    panels_[static_cast<size_t>(i)] = panel;
    colours->addWidget(panel);
  }
  stylesLayout->addLayout(colours);
  defaultCheck_ = new QCheckBox(QStringLiteral("Використовувати стиль по-замовчуванню"), styles);
  defaultCheck_->setObjectName("OnDefaultCheckBox");
  connect(defaultCheck_, &QCheckBox::clicked, this, &StylesWindow::DefaultCheckBoxClick);
  stylesLayout->addWidget(defaultCheck_);
  list_ = new QListWidget(styles);
  list_->setObjectName("ListBox1");
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setContextMenuPolicy(Qt::CustomContextMenu);
  stylesLayout->addWidget(list_, 1);
  openButton_ = new QPushButton(QStringLiteral("Відкрити"), styles);
  openButton_->setObjectName("OpenButton");
  openButton_->setAutoDefault(false);
  connect(openButton_, &QPushButton::clicked, this, &StylesWindow::OpenItemClick);
  auto* openRow = new QHBoxLayout;
  openRow->addStretch();
  openRow->addWidget(openButton_);
  stylesLayout->addLayout(openRow);
  pager_->addTab(styles, QStringLiteral("Стилі"));

  auto* icons = new QWidget(pager_);
  auto* grid = new QGridLayout(icons);
  const char* const iconNames[kIconCount] = {"HButton", "PButton", "FButton", "MinusButton",
                                             "PlusButton"};
  for (int slot = 0; slot < kIconCount; ++slot) {
    auto* button = new QToolButton(icons);
    button->setObjectName(iconNames[slot]);
    button->setFixedSize(58, 58);
    button->setIconSize(QSize(48, 48));
    connect(button, &QToolButton::clicked, this,
            [this, slot] { IconButtonClick(static_cast<IconSlot>(slot)); });
    iconButtons_[static_cast<size_t>(slot)] = button;
  }
  const auto label = [icons](const QString& text) {
    auto* l = new QLabel(text, icons);
    l->setWordWrap(true);
    return l;
  };
  grid->addWidget(label(QStringLiteral("Титульна сторінка :")), 0, 0);
  grid->addWidget(iconButtons_[HomeIcon], 0, 1);
  grid->addWidget(label(QStringLiteral("Назад/вперед :")), 1, 0);
  grid->addWidget(iconButtons_[PreviousIcon], 1, 1);
  grid->addWidget(iconButtons_[ForwardIcon], 1, 2);
  navigationCheck_ = new QCheckBox(icons);
  navigationCheck_->setObjectName("NCheckBox");
  navigationCheck_->setToolTip(QStringLiteral("Відображати навігацію назад/вперед"));
  connect(navigationCheck_, &QCheckBox::clicked, this, &StylesWindow::NavigationClick);
  grid->addWidget(navigationCheck_, 1, 3);
  grid->addWidget(label(QStringLiteral("Закриття/відкриття стуктури :")), 2, 0);
  grid->addWidget(iconButtons_[MinusIcon], 2, 1);
  grid->addWidget(iconButtons_[PlusIcon], 2, 2);
  grid->setRowStretch(3, 1);
  grid->setColumnStretch(0, 1);
  pager_->addTab(icons, QStringLiteral("Icons"));

  popup_ = new QMenu(this);
  popup_->setObjectName("PopupMenu1");
  popup_->addAction(QStringLiteral("Відкрити . . ."), this, &StylesWindow::OpenItemClick)
      ->setObjectName("OpenItem");
  popup_->addAction(QStringLiteral("Пошук . . ."), this, &StylesWindow::FindItemClick)
      ->setObjectName("FindItem");
  popup_->addAction(QStringLiteral("Перейменувати . . ."), this, &StylesWindow::RenameItemClick)
      ->setObjectName("RenameItem");
  popup_->addAction(QStringLiteral("Видалити"), this, &StylesWindow::DeleteItemClick)
      ->setObjectName("DeleteItem");
  popup_->addSeparator();
  popup_->addAction(QStringLiteral("Очистити список"), this, &StylesWindow::ClearItemClick)
      ->setObjectName("ClearItem");
  connect(popup_, &QMenu::aboutToShow, this, &StylesWindow::UpdateMenuState);
  connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    // The entry under the pointer is selected first, as a left click would.
    if (QListWidgetItem* item = list_->itemAt(pos))
      list_->setCurrentItem(item);
    popup_->popup(list_->viewport()->mapToGlobal(pos));
  });

  QPushButton* ok;
  QPushButton* cancel;
  QHBoxLayout* buttons = OkCancelRow(this, ok, cancel);
  connect(ok, &QPushButton::clicked, this, &StylesWindow::OKButtonClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pager_, 1);
  layout->addLayout(buttons);

  // The start: the style sheet "Default.css" of the Styles folder, the default colours and
  // icons, navigation on.
  StyleChoice start;
  try {
    start.styleFile = folder_.PathOf("Default");
  } catch (const Error&) {
    // A folder whose path Windows-1251 cannot hold: the default style with its colours.
  }
  startStyleFile_ = start.styleFile;
  SetChoice(start);
}

StyleChoice StylesWindow::KeptLook() const {
  StyleChoice look = choice_;
  look.styleFile = std::string(FileNameOf(choice_.styleFile));
  return look;
}

void StylesWindow::RestoreLook(const StyleChoice& look) {
  StyleChoice restored = look;
  restored.styleFile = startStyleFile_;
  std::error_code error;
  const std::string name =
      look.styleFile.size() > 4 && LowerCaseText(ExtensionOf(look.styleFile)) == ".css"
          ? look.styleFile.substr(0, look.styleFile.size() - 4)
          : std::string();
  if (!look.defaultStyle && !name.empty() &&
      look.styleFile.find_first_of("/\\") == std::string::npos) {
    const std::string kept = folder_.PathOf(name);
    if (std::filesystem::is_regular_file(FsPath(kept), error))
      restored.styleFile = kept;
  }
  if (look.defaultStyle)
    restored.styleFile.clear();
  SetChoice(restored);
}

void StylesWindow::SetChoice(const StyleChoice& choice) {
  choice_ = choice;
  defaultCheck_->setChecked(choice.defaultStyle);
  DefaultCheckBoxClick(choice.defaultStyle);
  navigationCheck_->setChecked(choice.navigation);
  NavigationClick(choice.navigation);
  for (int i = 0; i < 3; ++i)
    ShowColour(i);
  for (int slot = 0; slot < kIconCount; ++slot)
    ShowIcon(static_cast<IconSlot>(slot));
}

void StylesWindow::DefaultCheckBoxClick(bool checked) {
  choice_.defaultStyle = checked;
  for (QPushButton* panel : panels_)
    panel->setEnabled(checked);
  list_->setEnabled(!checked);
  openButton_->setEnabled(!checked);
  list_->setCurrentRow(-1);
  list_->clearSelection();
}

void StylesWindow::NavigationClick(bool checked) {
  choice_.navigation = checked;
  iconButtons_[PreviousIcon]->setEnabled(checked);
  iconButtons_[ForwardIcon]->setEnabled(checked);
}

void StylesWindow::ShowColour(int index) {
  const RgbColor colour = ColourOf(choice_, index);
  panels_[static_cast<size_t>(index)]->setStyleSheet(
      QString("QPushButton { background-color: rgb(%1, %2, %3); color: black; }")
          .arg(colour.r)
          .arg(colour.g)
          .arg(colour.b));
}

void StylesWindow::ShowIcon(IconSlot slot) {
  const QImage image = IconImage(choice_.icons[slot], slot);
  QToolButton* button = iconButtons_[slot];
  button->setIconSize(image.size());
  button->setIcon(QIcon(QPixmap::fromImage(image)));
}

std::vector<std::string> StylesWindow::Entries() const {
  std::vector<std::string> entries;
  for (int i = 0; i < list_->count(); ++i)
    entries.push_back(FromQ(list_->item(i)->text()));
  return entries;
}

void StylesWindow::Run(const std::function<void()>& command) {
  RunCommand(*prompts_, command);
}

void StylesWindow::FillList() {
  list_->clear();
  for (const std::string& name : folder_.List())
    list_->addItem(Q(name));
}

QListWidgetItem* StylesWindow::SelectedItem() const {
  QListWidgetItem* item = list_->currentItem();
  return item && item->isSelected() ? item : nullptr;
}

void StylesWindow::UseDefaultStyle() {
  defaultCheck_->setChecked(true);
  DefaultCheckBoxClick(true);
  choice_.styleFile.clear();
}

void StylesWindow::Open() {
  FillList();
  pager_->setCurrentIndex(0);
  exec();
}

void StylesWindow::showEvent(QShowEvent* event) {
  closedByOk_ = false;
  snapshot_ = choice_;
  if (!choice_.defaultStyle) {
    const std::string_view name = FileNameOf(choice_.styleFile);
    const QList<QListWidgetItem*> found =
        list_->findItems(Q(name.substr(0, name.size() >= 4 ? name.size() - 4 : 0)),
                         Qt::MatchExactly | Qt::MatchCaseSensitive);
    list_->setCurrentRow(found.isEmpty() ? -1 : list_->row(found.first()));
  }
  defaultCheck_->setFocus();
  QDialog::showEvent(event);
}

void StylesWindow::PanelClick(int index) {
  RgbColor& colour = ColourOf(choice_, index);
  if (const auto chosen = prompts_->ChooseColour(colour)) {
    colour = *chosen;
    ShowColour(index);
  }
}

void StylesWindow::IconButtonClick(IconSlot slot) {
  const auto fits = [this, slot](const QImage& image) {
    if (IconSizeAllowed(slot, image.width(), image.height()))
      return true;
    prompts_->Information(T("Розмір зображення має недопустимі межі !"));
    return false;
  };
  // Only a GIF, PNG, JPEG or BMP picture goes into the textbook, whatever else the picture
  // decoder could read.
  const auto isPicture = [this](const std::filesystem::path& file, const std::string& bytes) {
    if (PictureFormatOf(bytes))
      return true;
    prompts_->Warning(NotAnIconPictureText(PathForMessage(file.filename())));
    return false;
  };
  const auto chosen = ChoosePicture(*prompts_, this, fits, isPicture);
  if (!chosen)
    return;
  choice_.icons[slot] = {chosen->bytes, chosen->extension};
  ShowIcon(slot);
}

void StylesWindow::UpdateMenuState() {
  const bool any = list_->count() > 0;
  for (const char* name : {"FindItem", "RenameItem", "DeleteItem", "ClearItem"})
    popup_->findChild<QAction*>(name)->setEnabled(any);
}

void StylesWindow::OpenItemClick() {
  Run([this] {
    const auto files = prompts_->ChooseOpenFiles(T("Каскадні таблиці стилів (*.CSS *.css)"));
    std::vector<std::string> entries = Entries();
    const size_t before = entries.size();
    // What reached the folder is listed, also when a later file failed.
    const auto listAdded = qScopeGuard([&] {
      for (size_t i = before; i < entries.size(); ++i)
        list_->addItem(Q(entries[i]));
    });
    folder_.Add(files, *prompts_, entries);
  });
}

void StylesWindow::FindItemClick() {
  searchBox_->Serve(this, [this](const std::string& text, bool forward) {
    const int found = SearchList(Entries(), list_->currentRow(), text, forward);
    if (found >= 0)
      list_->setCurrentRow(found);
  });
  searchBox_->Open();
}

void StylesWindow::RenameItemClick() {
  QListWidgetItem* item = SelectedItem();
  if (!item)
    return;
  const std::string from = FromQ(item->text());
  if (folder_.IsShipped(from)) {
    prompts_->Warning(T("Стиль \" ") + from +
                      T(" \" входить до програми, його не можна перейменувати."));
    return;
  }
  std::string to;
  if (!inputBox_->Ask(QStringLiteral("Перейменувати"), from, to))
    return;
  if (folder_.Rename(from, to))
    item->setText(Q(to));
  else
    prompts_->Warning(T("Не вдалося перейменувати стиль \" ") + from + T(" \" на \" ") + to +
                      T(" \" !"));
}

void StylesWindow::DeleteItemClick() {
  QListWidgetItem* item = SelectedItem();
  if (!item)
    return;
  if (!prompts_->AskYesNo(T("Ви дійсно бажаєте видалити даний елемент ?")))
    return;
  Run([this, item] {
    folder_.Remove(FromQ(item->text()));
    delete item;
  });
}

void StylesWindow::ClearItemClick() {
  if (!prompts_->AskYesNo(T("Ви дійсно бажаєте очистити список ?")))
    return;
  Run([this] {
    // What could not be deleted stays listed.
    const auto relist = qScopeGuard([this] { FillList(); });
    folder_.Clear();
  });
}

void StylesWindow::OKButtonClick() {
  if (choice_.defaultStyle) {
    choice_.styleFile.clear();
  } else if (list_->count() > 0) {
    if (!SelectedItem())
      list_->setCurrentRow(0);
    Run([this] { choice_.styleFile = folder_.PathOf(FromQ(list_->currentItem()->text())); });
  } else {
    UseDefaultStyle();
  }
  closedByOk_ = true;
  accept();
}

void StylesWindow::done(int result) {
  if (!closedByOk_)
    SetChoice(snapshot_);
  if (list_->count() == 0)
    UseDefaultStyle();
  if (searchBox_->parentWidget() == this)
    searchBox_->hide();
  QDialog::done(result);
}

} // namespace quarbel
