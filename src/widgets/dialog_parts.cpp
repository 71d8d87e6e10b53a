#include "widgets/dialog_parts.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace quarbel {
namespace {

class EnterFilter : public QObject {
public:
  EnterFilter(QObject* parent, std::function<void()> ok) : QObject(parent), ok_(std::move(ok)) {}

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        ok_();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

private:
  std::function<void()> ok_;
};

} // namespace

QHBoxLayout* OkCancelRow(QWidget* dialog, QPushButton*& ok, QPushButton*& cancel) {
  ok = new QPushButton(QStringLiteral("OK"), dialog);
  ok->setObjectName("OKButton");
  cancel = new QPushButton(QStringLiteral("Відмінити"), dialog);
  cancel->setObjectName("CancelButton");
  for (QPushButton* button : {ok, cancel})
    button->setAutoDefault(false);
  auto* row = new QHBoxLayout;
  row->addWidget(ok);
  row->addStretch();
  row->addWidget(cancel);
  return row;
}

void EnterActsAsOk(QLineEdit* field, std::function<void()> ok) {
  field->installEventFilter(new EnterFilter(field, std::move(ok)));
}

void FixWindowSize(QWidget* window, QSize drawn) {
  window->setFixedSize(window->sizeHint().expandedTo(drawn));
}

} // namespace quarbel
