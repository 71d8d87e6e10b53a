#include "structure/ui/input_box.h"

#include "app/qt_text.h"
#include "structure/structure_commands.h"
#include "text/cp1251.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quarbel {

TInPutBox::TInPutBox(QWidget* parent, std::function<void(const std::string&)> warn)
    : QDialog(parent), warn_(std::move(warn)) {
  setObjectName("TInPutBox");
  auto* group = new QGroupBox(this);
  auto* row = new QHBoxLayout(group);
  row->addWidget(new QLabel(QStringLiteral("Ім'я :"), group));
  nameEdit_ = new QLineEdit(group);
  nameEdit_->setObjectName("NameEdit");
  nameEdit_->setMinimumWidth(260);
  row->addWidget(nameEdit_);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName("OKButton");
  buttons->addButton(QStringLiteral("Відмінити"), QDialogButtonBox::RejectRole)
      ->setObjectName("CancelButton");
  connect(ok, &QPushButton::clicked, this, &TInPutBox::OKButtonClick);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // Enter in the edit acts as OK, and the key goes no further.
  nameEdit_->installEventFilter(this);
  for (QPushButton* button : buttons->findChildren<QPushButton*>())
    button->setAutoDefault(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(buttons);
  setModal(true);
}

bool TInPutBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == nameEdit_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      OKButtonClick();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TInPutBox::OKButtonClick() {
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

bool TInPutBox::Ask(const QString& caption, const std::string& text, std::string& name) {
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
