#include "editor/insert_dialogs.h"

#include "editor/wb_edit.h"
#include "text/cp1251.h"
#include "text/error.h"
#include "text/paths.h"
#include "widgets/dialog_parts.h"
#include "widgets/picture_chooser.h"
#include "widgets/qt_text.h"
#include "widgets/text_edit_menu.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <filesystem>

namespace quarbel {
namespace {

std::string T(const char* utf8) {
  return Cp1251FromUtf8(utf8);
}

const char* const kAllFiles = "Всі файли (*)";

} // namespace

InsertBox::InsertBox(QWidget* parent, const char* name, const QString& caption, QSize client,
                     PageEditor& engine, Prompts*& prompts, const char* fileFilters)
    : QDialog(parent), engine_(engine), prompts_(prompts),
      filters_(Cp1251FromUtf8(fileFilters ? fileFilters : kAllFiles)) {
  setObjectName(name);
  setWindowTitle(caption);
  setModal(false);
  setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint |
                 Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setMinimumSize(client);
  auto* layout = new QVBoxLayout(this);
  grid_ = new QGridLayout;
  layout->addLayout(grid_);
  layout->addStretch();
}

void InsertBox::ShowOnTop() {
  show();
  raise();
}

QLineEdit* InsertBox::AddField(const QString& label, const char* name,
                               const std::function<void()>& insert, bool withOpenButton) {
  const int row = grid_->rowCount();
  grid_->addWidget(new QLabel(label, this), row, 0);
  auto* field = new QLineEdit(this);
  field->setObjectName(name);
  UseTextEditingMenu(field);
  EnterActsAsOk(field, insert);
  grid_->addWidget(field, row, 1);
  if (withOpenButton) {
    auto* open = new QPushButton(QStringLiteral(". . ."), this);
    open->setObjectName("OpenButton");
    open->setToolTip(QStringLiteral("Відкрити файл"));
    open->setAutoDefault(false);
    open->setFixedWidth(32);
    connect(open, &QPushButton::clicked, this, [this, field] { OpenButtonClick(field); });
    grid_->addWidget(open, row, 2);
  }
  return field;
}

QPushButton* InsertBox::AddButtons(const QString& caption, const char* name,
                                   const std::function<void()>& insert) {
  auto* insertButton = new QPushButton(caption, this);
  insertButton->setObjectName(name);
  auto* cancel = new QPushButton(QStringLiteral("Відмінити"), this);
  cancel->setObjectName("CancelButton");
  for (QPushButton* button : {insertButton, cancel})
    button->setAutoDefault(false);
  connect(insertButton, &QPushButton::clicked, this, insert);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(insertButton);
  row->addWidget(cancel);
  static_cast<QVBoxLayout*>(layout())->addLayout(row);
  return insertButton;
}

void InsertBox::InsertFrom(std::initializer_list<QLineEdit*> fields,
                           const std::function<void()>& insert) {
  for (QLineEdit* field : fields) {
    if (field->text().isEmpty()) {
      prompts_->Warning(T("Заповніть всі поля !"));
      return;
    }
  }
  try {
    insert();
  } catch (const Error&) {
    prompts_->Warning(T("Дана команда не підтримується !"));
  }
  for (QLineEdit* field : fields)
    field->clear();
}

void InsertBox::OpenButtonClick(QLineEdit* field) {
  showMinimized();
  const auto file = prompts_->ChooseOpenFile(filters_);
  showNormal();
  if (!file)
    return;
  std::error_code error;
  if (!std::filesystem::exists(*file, error)) {
    prompts_->Warning(T("Не вдалося знайти зазначений файл !"));
    return;
  }
  field->setText(QString::fromStdString(file->string()));
}

void InsertBox::done(int result) {
  QDialog::done(result);
  engine_.WaitAndFocus();
}

InsertLinkWindow::InsertLinkWindow(QWidget* parent, PageEditor& engine, Prompts*& prompts)
    : InsertBox(parent, "TIURLBox", QStringLiteral("Вставити URL"), QSize(338, 118), engine,
                prompts) {
  name_ = AddField(
      QStringLiteral("Назва :"), "NameEdit", [this] { IURLButtonClick(); }, false);
  url_ = AddField(
      QStringLiteral("Посилання :"), "URLEdit", [this] { IURLButtonClick(); }, true);
  AddButtons(QStringLiteral("Вставити"), "IURLButton", [this] { IURLButtonClick(); });
}

void InsertLinkWindow::Open() {
  name_->clear();
  url_->clear();
  ShowOnTop();
  name_->setFocus();
}

void InsertLinkWindow::IURLButtonClick() {
  InsertFrom({name_, url_}, [this] { engine_.InsertLink(url_->text(), name_->text()); });
}

InsertImageWindow::InsertImageWindow(QWidget* parent, PageEditor& engine, Prompts*& prompts)
    : InsertBox(parent, "TIImageBox", QStringLiteral("Вставити зображення"), QSize(338, 88), engine,
                prompts, kPictureFileFilters) {
  image_ = AddField(
      QStringLiteral("Посилання :"), "ImageEdit", [this] { IImageButtonClick(); }, true);
  AddButtons(QStringLiteral("Вставити"), "IImageButton", [this] { IImageButtonClick(); });
}

void InsertImageWindow::Open() {
  image_->clear();
  ShowOnTop();
  image_->setFocus();
}

void InsertImageWindow::IImageButtonClick() {
  InsertFrom({image_}, [this] { engine_.InsertImage(image_->text()); });
}

InsertIndexWindow::InsertIndexWindow(QWidget* parent, PageEditor& engine, Prompts*& prompts)
    : InsertBox(parent, "TIIndexBox", QString(), QSize(297, 88), engine, prompts) {
  index_ = AddField(
      QStringLiteral("Значення :"), "IndexEdit", [this] { IIndexButtonClick(); }, false);
  AddButtons(QStringLiteral("Вставити"), "IIndexButton", [this] { IIndexButtonClick(); });
}

void InsertIndexWindow::Open(bool subscript) {
  setWindowTitle(subscript ? QStringLiteral("Вставити нижній індекс")
                           : QStringLiteral("Вставити верхній індекс"));
  index_->clear();
  ShowOnTop();
  index_->setFocus();
}

void InsertIndexWindow::IIndexButtonClick() {
  InsertFrom({index_}, [this] {
    const QString text = index_->text();
    if (windowTitle() == QStringLiteral("Вставити нижній індекс"))
      engine_.InsertSubscript(text);
    else
      engine_.InsertSuperscript(text);
  });
}

InsertSymbolWindow::InsertSymbolWindow(QWidget* parent, PageEditor& engine, Prompts*& prompts)
    : InsertBox(parent, "TISymbolBox", QStringLiteral("Вставити спеціальні символи"),
                QSize(297, 67), engine, prompts) {
  auto* row = new QHBoxLayout;
  const struct {
    const char* name;
    QString caption;
    void (PageEditor::*insert)();
  } buttons[] = {
      {"CButton", QStringLiteral("©"), &PageEditor::InsertCSymbol},
      {"RButton", QStringLiteral("®"), &PageEditor::InsertRSymbol},
      {"TMButton", QStringLiteral("™"), &PageEditor::InsertTMSymbol},
      {"HLButton", QStringLiteral("Горизонтальна лінія"), &PageEditor::InsertHorizontalLine}};
  for (const auto& b : buttons) {
    auto* button = new QPushButton(b.caption, this);
    button->setObjectName(b.name);
    button->setAutoDefault(false);
    if (b.caption.size() == 1) {
      QFont font = button->font();
      font.setPixelSize(16);
      button->setFont(font);
      button->setFixedWidth(40);
    }
    const auto insert = b.insert;
    connect(button, &QPushButton::clicked, this, [this, insert] {
      try {
        (engine_.*insert)();
      } catch (const Error&) {
        prompts_->Warning(T("Дана команда не підтримується !"));
      }
    });
    row->addWidget(button);
  }
  static_cast<QVBoxLayout*>(layout())->insertLayout(0, row);
}

QPushButton* InsertSymbolWindow::Button(const char* name) const {
  return findChild<QPushButton*>(name);
}

CreateLinkWindow::CreateLinkWindow(QWidget* parent, PageEditor& engine, Prompts*& prompts)
    : InsertBox(parent, "TCreateURLBox", QStringLiteral("Вказати посилання"), QSize(338, 88),
                engine, prompts) {
  url_ = AddField(
      QStringLiteral("Посилання :"), "URLEdit", [this] { IIndexButtonClick(); }, true);
  AddButtons(QStringLiteral("Вказати"), "IIndexButton", [this] { IIndexButtonClick(); });
}

void CreateLinkWindow::Open() {
  url_->clear();
  ShowOnTop();
  url_->setFocus();
}

void CreateLinkWindow::IIndexButtonClick() {
  InsertFrom({url_}, [this] { engine_.LinkSelection(url_->text()); });
}

} // namespace quarbel
