#include "structure/ui/open_options_box.h"

#include "widgets/dialog_parts.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quarbel {

OpenOptionsWindow::OpenOptionsWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("TOpenOptionsBox");
  setWindowTitle(QStringLiteral("Параметри відкриття"));
  setModal(true);
  item_ = new QRadioButton(QStringLiteral("Добавити документ як пункт"), this);
  item_->setObjectName("RadioButton1");
  subItem_ = new QRadioButton(QStringLiteral("Добавити документ як підпункт"), this);
  subItem_->setObjectName("RadioButton2");
  forAll_ = new QCheckBox(QStringLiteral("Застосувати для всіх документів"), this);
  forAll_->setObjectName("ForAllCheckBox");
  forAll_->setChecked(true);
  QPushButton* ok;
  QPushButton* cancel;
  QHBoxLayout* buttons = OkCancelRow(this, ok, cancel);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(item_);
  layout->addWidget(subItem_);
  layout->addWidget(forAll_);
  layout->addLayout(buttons);
}

PlacementAnswer OpenOptionsWindow::Ask(PlacementQuestion question) {
  if (!question.askedInBatch)
    (lastAnswer_ == Placement::AsSubItem ? subItem_ : item_)->setChecked(true);
  const bool ok = exec() == QDialog::Accepted;
  const Placement placement = !ok                  ? Placement::Cancel
                              : item_->isChecked() ? Placement::AsItem
                                                   : Placement::AsSubItem;
  if (ok)
    lastAnswer_ = placement;
  return {placement, forAll_->isChecked()};
}

void OpenOptionsWindow::EndBatch() {
  forAll_->setChecked(true);
}

} // namespace quarbel
