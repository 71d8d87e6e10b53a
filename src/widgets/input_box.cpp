#include "widgets/input_box.h"

#include "structure/structure_commands.h"
#include "text/cp1251.h"
#include "widgets/dialog_parts.h"
#include "widgets/qt_text.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quarbel {

NameInputWindow::NameInputWindow(QWidget* parent, std::function<void(const std::string&)> warn)
    : QDialog(parent), warn_(std::move(warn)) {
  setObjectName("TInPutBox");
  auto* group = new QGroupBox(this);
  auto* row = new QHBoxLayout(group);
  row->addWidget(new QLabel(QStringLiteral("Ім'я :"), group));
  nameEdit_ = new QLineEdit(group);
  nameEdit_->setObjectName("NameEdit");
  nameEdit_->setMinimumWidth(260);
  row->addWidget(nameEdit_);
  QPushButton* ok;
  QPushButton* cancel;
  QHBoxLayout* buttons = OkCancelRow(this, ok, cancel);
  connect(ok, &QPushButton::clicked, this, &NameInputWindow::OKButtonClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  // Enter in the edit acts as OK, and the key goes no further.
  EnterActsAsOk(nameEdit_, [this] { OKButtonClick(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(buttons);
  setModal(true);
}

void NameInputWindow::OKButtonClick() {
  std::string name;
  if (!TryFromQ(nameEdit_->text(), name)) {
    warn_(Cp1251FromUtf8("Ім'я містить символи, яких немає в кирилиці Windows-1251."));
    return;
  }
  if (const auto warning = NameWarning(name)) {
    warn_(*warning);
    return;
  }
  accepted_ = name;
  accept();
}

bool NameInputWindow::Ask(const QString& caption, const std::string& text, std::string& name) {
  setWindowTitle(caption);
  nameEdit_->setText(Q(text));
  nameEdit_->selectAll();
  nameEdit_->setFocus();
  if (exec() != QDialog::Accepted)
    return false;
  name = accepted_;
  return true;
}

} // namespace quarbel
