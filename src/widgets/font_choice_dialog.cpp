#include "widgets/font_choice_dialog.h"

#include "widgets/qt_text.h"
#include "widgets/colour_selector.h"
#include "widgets/dialog_parts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace quarbel {

const QStringList& FontPointSizes() {
  static const QStringList sizes = {"8",  "9",  "10", "11", "12", "14", "16", "18",
                                    "20", "22", "24", "26", "28", "36", "48", "72"};
  return sizes;
}

FontChoiceDialog::FontChoiceDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("FontDialog");
  setWindowTitle(QStringLiteral("Шрифт"));
  face_ = new QFontComboBox(this);
  size_ = new QComboBox(this);
  size_->setEditable(true);
  size_->addItems(FontPointSizes());
  size_->setValidator(new QIntValidator(1, 1638, size_));
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Шрифт :"), face_);
  form->addRow(QStringLiteral("Розмір :"), size_);
  auto* effects = new QGroupBox(QStringLiteral("Ефекти"), this);
  auto* effectRows = new QVBoxLayout(effects);
  bold_ = new QCheckBox(QStringLiteral("Напівжирний"), effects);
  italic_ = new QCheckBox(QStringLiteral("Курсив"), effects);
  underline_ = new QCheckBox(QStringLiteral("Підкреслений"), effects);
  strikeOut_ = new QCheckBox(QStringLiteral("Закреслений"), effects);
  for (QCheckBox* box : {bold_, italic_, underline_, strikeOut_})
    effectRows->addWidget(box);
  auto* colourRow = new QHBoxLayout;
  colour_ = new ColourSelector(effects);
  colour_->setToolTip(QStringLiteral("Колір"));
  colourRow->addWidget(colour_);
  colourRow->addStretch();
  effectRows->addLayout(colourRow);

  QPushButton* ok;
  QPushButton* cancel;
  QHBoxLayout* buttons = OkCancelRow(this, ok, cancel);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(effects);
  layout->addLayout(buttons);
}

void FontChoiceDialog::SetChoice(const FontChoice& choice) {
  if (!choice.name.empty())
    face_->setCurrentFont(QFont(Q(choice.name)));
  size_->setCurrentText(QString::number(choice.points));
  bold_->setChecked(choice.bold);
  italic_->setChecked(choice.italic);
  underline_->setChecked(choice.underline);
  strikeOut_->setChecked(choice.strikeOut);
  colour_->SetColour(choice.colour);
}

FontChoice FontChoiceDialog::Choice() const {
  FontChoice choice;
  choice.name = FromQ(face_->currentFont().family());
  choice.points = size_->currentText().toInt();
  choice.bold = bold_->isChecked();
  choice.italic = italic_->isChecked();
  choice.underline = underline_->isChecked();
  choice.strikeOut = strikeOut_->isChecked();
  choice.colour = colour_->Colour();
  return choice;
}

} // namespace quarbel
