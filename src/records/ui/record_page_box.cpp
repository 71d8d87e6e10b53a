#include "records/ui/record_page_box.h"

#include "prompts/command_runner.h"
#include "text/cp1251.h"
#include "text/error.h"
#include "text/file_bytes.h"
#include "text/paths.h"
#include "text/text_case.h"
#include "widgets/dialog_parts.h"
#include "widgets/picture_chooser.h"
#include "widgets/picture_fitting.h"
#include "widgets/qt_prompts.h"
#include "widgets/qt_text.h"
#include "widgets/text_edit_menu.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quarbel {
namespace {

std::string T(const char* utf8) {
  return Cp1251FromUtf8(utf8);
}

} // namespace

const RecordPageLayout& TitlePageLayout() {
  static const RecordPageLayout page = {
      "TTPageBox",
      "Титульна сторінка",
      {{"ВНЗ :", "UEdit", University, true, false, 0, nullptr},
       {"Факультет :", "FEdit", Faculty, true, false, 0, nullptr},
       {"Кафедра :", "DEdit", Department, true, false, 0, nullptr},
       {"Назва дисципліни :", "NEdit", Discipline, true, false, 0, nullptr},
       {"Тема :", "SEdit", Topic, false, false, 0, nullptr},
       {"Автори та їх регалії :", "AMemo", Authors, true, true, 0,
        "Інформація про авторів та їх регалії не повинна містити символу : \"#\""},
       {"Місто та дата видачі :", "CADEdit", CityAndDate, true, false, 20, nullptr}},
      "Емблема :",
      "LogoCheckBox",
      "Емблема"};
  return page;
}

const RecordPageLayout& AuthorPageLayout() {
  static const RecordPageLayout page = {
      "TAPageBox",
      "Інформація про автора",
      {{"Прізвище :", "SEdit", Surname, true, false, 0, nullptr},
       {"Ім'я :", "NEdit", FirstName, true, false, 0, nullptr},
       {"По-батькові :", "PEdit", Patronymic, true, false, 0, nullptr},
       {"Регалії :", "REdit", Regalia, true, false, 0, nullptr},
       {"Контактна інформація :", "CMemo", Contacts, false, true, 0,
        "Контактна інформація не повинна містити символу : \"#\""},
       {"Додаткові відомості :", "SMemo", Supplementary, false, true, 0,
        "Інформація про додаткові відомості не повинна містити символу : \"#\""}},
      "Фотографія :",
      "PhotoCheckBox",
      "Фотографія"};
  return page;
}

RecordPageBox::RecordPageBox(QWidget* parent, const RecordPageLayout& page, Prompts*& prompts)
    : QDialog(parent), page_(page), prompts_(prompts) {
  setObjectName(page.name);
  setWindowTitle(QString::fromUtf8(page.caption));
  setModal(true);
  auto* group = new QGroupBox(this);
  auto* grid = new QGridLayout(group);
  int row = 0;
  for (const RecordFieldLayout& field : page.fields) {
    grid->addWidget(new QLabel(QString::fromUtf8(field.label), group), row, 0, Qt::AlignTop);
    QLabel* star = nullptr;
    if (field.required) {
      star = new QLabel("*", group);
      star->setObjectName(QString("Star%1").arg(stars_.size() + 1));
      stars_.push_back(star);
      grid->addWidget(star, row, 1, Qt::AlignTop);
    }
    QWidget* input;
    if (field.multiLine) {
      auto* memo = new QPlainTextEdit(group);
      memo->setFixedHeight(100);
      connect(memo, &QPlainTextEdit::textChanged, this, &RecordPageBox::RecolourStars);
      UseTextEditingMenu(memo);
      input = memo;
    } else {
      auto* edit = new QLineEdit(group);
      if (field.maxLength > 0)
        edit->setMaxLength(field.maxLength);
      connect(edit, &QLineEdit::textChanged, this, &RecordPageBox::RecolourStars);
      EnterActsAsOk(edit, [this] { OKButtonClick(); });
      UseTextEditingMenu(edit);
      input = edit;
    }
    input->setObjectName(field.name);
    input->setMinimumWidth(300);
    grid->addWidget(input, row, 2);
    fields_.push_back(input);
    ++row;
  }
  grid->addWidget(new QLabel(QString::fromUtf8(page.pictureLabel), group), row, 0);
  auto* pictureRow = new QHBoxLayout;
  open_ = new QPushButton(QStringLiteral("Відкрити"), group);
  open_->setObjectName("OpenButton");
  preview_ = new QPushButton(QStringLiteral("Переглянути"), group);
  preview_->setObjectName("PreviewButton");
  preview_->setEnabled(false);
  checkBox_ = new QCheckBox(group);
  checkBox_->setObjectName(page.pictureName);
  checkBox_->setEnabled(false);
  pictureRow->addWidget(open_);
  pictureRow->addWidget(preview_);
  pictureRow->addStretch();
  pictureRow->addWidget(checkBox_);
  grid->addLayout(pictureRow, row, 2);
  connect(open_, &QPushButton::clicked, this, &RecordPageBox::OpenButtonClick);
  connect(preview_, &QPushButton::clicked, this, &RecordPageBox::PreviewButtonClick);
  connect(checkBox_, &QCheckBox::toggled, this, [this](bool checked) {
    if (!checked)
      RemovePicture();
  });

  QPushButton* ok;
  QPushButton* cancel;
  QHBoxLayout* buttons = OkCancelRow(this, ok, cancel);
  for (QPushButton* button : {open_, preview_})
    button->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, &RecordPageBox::OKButtonClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(buttons);
  RecolourStars();
  FixWindowSize(this, QSize());
}

QWidget* RecordPageBox::Field(const char* name) const {
  for (QWidget* field : fields_) {
    if (field->objectName() == name)
      return field;
  }
  return nullptr;
}

QLabel* RecordPageBox::Star(int index) const {
  return stars_.at(static_cast<size_t>(index));
}

std::string RecordPageBox::Text(const RecordFieldLayout& field) const {
  QWidget* input = Field(field.name);
  QString text;
  if (auto* memo = qobject_cast<QPlainTextEdit*>(input))
    text = memo->toPlainText().replace('\n', "\r\n");
  else
    text = static_cast<QLineEdit*>(input)->text();
  // A character Windows-1251 lacks ("α", "×", the apostrophe "ʼ") is kept as "&#N;": the
  // textbook shows it in any encoding and the record file keeps it.
  return Cp1251FromUtf8WithReferences(text.toStdString());
}

void RecordPageBox::SetText(const RecordFieldLayout& field, const std::string& text) {
  QWidget* input = Field(field.name);
  if (auto* memo = qobject_cast<QPlainTextEdit*>(input))
    memo->setPlainText(
        QString::fromStdString(Utf8FromCp1251WithReferences(text)).replace("\r\n", "\n"));
  else
    static_cast<QLineEdit*>(input)->setText(
        QString::fromStdString(Utf8FromCp1251WithReferences(text)));
}

void RecordPageBox::RecolourStars() {
  size_t star = 0;
  for (const RecordFieldLayout& field : page_.fields) {
    if (!field.required)
      continue;
    const bool filled = !Text(field).empty();
    stars_[star++]->setStyleSheet(filled ? "color: rgb(0, 128, 0);" : "color: rgb(255, 0, 0);");
  }
}

RecordValue RecordPageBox::Value() const {
  RecordValue value;
  for (const RecordFieldLayout& field : page_.fields)
    value.texts[static_cast<size_t>(field.text)] = Text(field);
  value.checked = checkBox_->isChecked();
  if (PictureLoaded())
    value.picture = current_;
  return value;
}

void RecordPageBox::SetValue(const RecordValue& value) {
  for (const RecordFieldLayout& field : page_.fields)
    SetText(field, value.texts[static_cast<size_t>(field.text)]);
  const bool present = value.picture && !value.picture->bytes.empty() && value.checked;
  if (present) {
    AcceptPicture(*value.picture);
  } else {
    checkBox_->setChecked(false); // removes a picture the window still held
    RemovePicture();
  }
}

void RecordPageBox::AcceptPicture(const RecordPicture& picture) {
  current_ = picture;
  preview_->setEnabled(true);
  checkBox_->setEnabled(true);
  checkBox_->setChecked(true);
}

void RecordPageBox::RemovePicture() {
  current_ = {};
  preview_->setEnabled(false);
  checkBox_->setEnabled(false);
}

void RecordPageBox::OKButtonClick() {
  for (const RecordFieldLayout& field : page_.fields) {
    if (field.required && Text(field).empty()) {
      prompts_->Warning(T("Заповніть всі необхідні поля !"));
      return;
    }
  }
  for (const RecordFieldLayout& field : page_.fields) {
    if (field.hashRefusal && Text(field).find('#') != std::string::npos) {
      prompts_->Warning(T(field.hashRefusal));
      return;
    }
  }
  closedByOk_ = true;
  accept();
}

void RecordPageBox::OpenButtonClick() {
  constexpr int kSide = 300;
  bool shrink = false;
  auto chosen = ChoosePicture(*prompts_, this, [this, &shrink](const QImage& image) {
    if (image.width() <= kSide && image.height() <= kSide)
      return true;
    // A photo straight from a phone is far larger; it is made to fit rather than refused.
    shrink = prompts_->AskYesNo(
        T("Розмір зображення перевищує допустимі межі !\r\nЗменшити зображення до розміру "
          "300 x 300 (зі збереженням пропорцій) і використати його ?"));
    return shrink;
  });
  if (!chosen)
    return;
  if (shrink) {
    if (!RunCommand(*prompts_, [&] { chosen = FitPicture(*chosen, kSide); }))
      return; // the failure has been reported; the window keeps what it had
  }
  AcceptPicture({chosen->bytes, LowerCaseText(chosen->extension)});
}

void RecordPageBox::PreviewButtonClick() {
  QDialog preview(this);
  preview.setWindowTitle(QString::fromUtf8(page_.previewCaption));
  preview.setFixedSize(300, 300);
  auto* label = new QLabel(&preview);
  label->setAlignment(Qt::AlignCenter);
  label->setGeometry(0, 0, 300, 300);
  QImage image;
  image.loadFromData(reinterpret_cast<const uchar*>(current_.bytes.data()),
                     static_cast<int>(current_.bytes.size()));
  label->setPixmap(QPixmap::fromImage(image));
  preview.exec();
}

void RecordPageBox::showEvent(QShowEvent* event) {
  closedByOk_ = false;
  snapshot_ = Value();
  if (PictureLoaded())
    snapshot_.checked = true;
  if (!fields_.empty())
    fields_.front()->setFocus();
  QDialog::showEvent(event);
}

void RecordPageBox::done(int result) {
  if (!closedByOk_)
    SetValue(snapshot_);
  QDialog::done(result);
}

} // namespace quarbel
