#include "settings/ui/parameters_box.h"

#include "widgets/dialog_parts.h"
#include "widgets/interface_styles.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace quarbel {

ParametersWindow::ParametersWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("TParametersBox");
  setWindowTitle(QStringLiteral("Параметри"));
  setModal(true);
  auto* group = new QGroupBox(this);
  movingPanel_ = new QCheckBox(QStringLiteral("Панель переміщення вузлів"), group);
  movingPanel_->setObjectName("MovingPanelCheckBox");
  movingPanel_->setChecked(true);
  saveTitle_ = new QCheckBox(QStringLiteral("Зберігати титульну сторінку"), group);
  saveTitle_->setObjectName("SaveTitleCheckBox");
  saveAbout_ = new QCheckBox(QStringLiteral("Зберігати інформацію про автора"), group);
  saveAbout_->setObjectName("SaveAboutCheckBox");
  styler_ = new QComboBox(group);
  styler_->setObjectName("StylerComboBox");
  styler_->addItems(InterfaceStyleNames());
  styler_->setCurrentIndex(-1);
  coding_ = new QComboBox(group);
  coding_->setObjectName("CodingComboBox");
  for (const OutputEncoding encoding : kOutputEncodings)
    coding_->addItem(QString::fromLatin1(OutputEncodingName(encoding)));
  coding_->setCurrentIndex(-1);
  layout_ = new QComboBox(group);
  layout_->setObjectName("LayoutComboBox");
  layout_->addItem(QStringLiteral("Класичний"));
  layout_->addItem(QStringLiteral("Сучасний"));
  layout_->setToolTip(QStringLiteral("Класичний: меню зліва в рамках. Сучасний: окремі сторінки "
                                     "для телефонів і комп'ютерів, з пошуком."));

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Стиль інтерфейсу :"), styler_);
  form->addRow(QStringLiteral("Метод кодування :"), coding_);
  form->addRow(QStringLiteral("Вигляд посібника :"), layout_);
  auto* inner = new QVBoxLayout(group);
  inner->addWidget(movingPanel_);
  inner->addWidget(saveTitle_);
  inner->addWidget(saveAbout_);
  inner->addLayout(form);

  QPushButton* ok;
  QPushButton* cancel;
  QHBoxLayout* buttons = OkCancelRow(this, ok, cancel);
  connect(ok, &QPushButton::clicked, this, &ParametersWindow::OKButtonClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(buttons);
  setTabOrder(movingPanel_, saveTitle_);
  setTabOrder(saveTitle_, saveAbout_);
  setTabOrder(saveAbout_, styler_);
  setTabOrder(styler_, coding_);
  setTabOrder(coding_, layout_);
  FixWindowSize(this, QSize(340, 210));
}

OutputEncoding ParametersWindow::Encoding() const {
  return ParseOutputEncoding(coding_->currentText().toStdString()).value_or(OutputEncoding::Cp1251);
}

void ParametersWindow::SetEncoding(OutputEncoding encoding) {
  coding_->setCurrentText(QString::fromLatin1(OutputEncodingName(encoding)));
}

TextbookLayout ParametersWindow::Layout() const {
  return layout_->currentIndex() == 1 ? TextbookLayout::Modern : TextbookLayout::Classic;
}

void ParametersWindow::SetLayout(TextbookLayout layout) {
  layout_->setCurrentIndex(layout == TextbookLayout::Modern ? 1 : 0);
}

void ParametersWindow::ApplyInterfaceStyle(const QString& name) {
  // A style the program does not know (a settings file may name one) gives the first.
  const QString known =
      InterfaceStyleSheet(name).isEmpty() ? QStringLiteral("Microsoft Office 2007 - Luna") : name;
  styler_->setCurrentText(known);
  qApp->setStyleSheet(InterfaceStyleSheet(known));
}

void ParametersWindow::showEvent(QShowEvent* event) {
  applied_ = false;
  remembered_[0] = movingPanel_->isChecked();
  remembered_[1] = saveTitle_->isChecked();
  remembered_[2] = saveAbout_->isChecked();
  rememberedIndex_[0] = styler_->currentIndex();
  rememberedIndex_[1] = coding_->currentIndex();
  rememberedIndex_[2] = layout_->currentIndex();
  movingPanel_->setFocus();
  QDialog::showEvent(event);
}

void ParametersWindow::OKButtonClick() {
  ApplyInterfaceStyle(styler_->currentText());
  emit movingPanelChanged(movingPanel_->isChecked());
  applied_ = true;
  accept();
}

void ParametersWindow::done(int result) {
  if (!applied_) {
    movingPanel_->setChecked(remembered_[0]);
    saveTitle_->setChecked(remembered_[1]);
    saveAbout_->setChecked(remembered_[2]);
    styler_->setCurrentIndex(rememberedIndex_[0]);
    coding_->setCurrentIndex(rememberedIndex_[1]);
    layout_->setCurrentIndex(rememberedIndex_[2]);
  }
  QDialog::done(result);
}

} // namespace quarbel
