#include "widgets/search_box.h"

#include "widgets/qt_text.h"

#include "widgets/dialog_parts.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace quarbel {

SearchWindow::SearchWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("TSearchBox");
  setWindowTitle(QStringLiteral("Пошук"));
  setModal(false);
  setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
  back_ =
      new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Назад"), this);
  back_->setObjectName("BButton");
  edit_ = new QLineEdit(this);
  edit_->setObjectName("SearchEdit");
  edit_->setFixedWidth(150);
  next_ = new QPushButton(QStringLiteral("Вперед"), this);
  next_->setObjectName("NButton");
  next_->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
  next_->setLayoutDirection(Qt::RightToLeft);
  for (QPushButton* button : {back_, next_})
    button->setAutoDefault(false);
  auto* row = new QHBoxLayout(this);
  row->addWidget(back_);
  row->addWidget(edit_);
  row->addWidget(next_);
  setTabOrder(back_, edit_);
  setTabOrder(edit_, next_);
  connect(back_, &QPushButton::clicked, this, [this] {
    if (search)
      search(FromQ(edit_->text()), false);
  });
  connect(next_, &QPushButton::clicked, this, [this] {
    if (search)
      search(FromQ(edit_->text()), true);
  });
  FixWindowSize(this, QSize(378, 37));
}

void SearchWindow::Serve(QWidget* owner,
                         std::function<void(const std::string&, bool forward)> searchOfTarget) {
  if (parentWidget() != owner) {
    hide();
    setParent(owner, windowFlags());
  }
  search = std::move(searchOfTarget);
}

void SearchWindow::Open() {
  edit_->clear();
  show();
  raise();
  edit_->setFocus();
}

} // namespace quarbel
