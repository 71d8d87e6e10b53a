#include "widgets/text_edit_menu.h"

#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

namespace quarbel {

QMenu* TextEditingMenu(QWidget* parent, QLineEdit* field) {
  auto* menu = new QMenu(parent);
  menu->setObjectName("TextEditingMenu");
  const bool editable = !field->isReadOnly();
  const bool selected = field->hasSelectedText();
  menu->addAction(QStringLiteral("Відмінити введення"), field, &QLineEdit::undo)
      ->setEnabled(editable && field->isUndoAvailable());
  menu->addSeparator();
  menu->addAction(QStringLiteral("Вирізати"), field, &QLineEdit::cut)
      ->setEnabled(editable && selected);
  menu->addAction(QStringLiteral("Копіювати"), field, &QLineEdit::copy)->setEnabled(selected);
  menu->addAction(QStringLiteral("Вставити"), field, &QLineEdit::paste)->setEnabled(editable);
  menu->addAction(QStringLiteral("Видалити"), field, &QLineEdit::del)
      ->setEnabled(editable && selected);
  menu->addSeparator();
  menu->addAction(QStringLiteral("Виділити все"), field, &QLineEdit::selectAll)
      ->setEnabled(!field->text().isEmpty());
  return menu;
}

QMenu* TextEditingMenu(QWidget* parent, QPlainTextEdit* field) {
  auto* menu = new QMenu(parent);
  menu->setObjectName("TextEditingMenu");
  const bool editable = !field->isReadOnly();
  const bool selected = field->textCursor().hasSelection();
  menu->addAction(QStringLiteral("Відмінити введення"), field, &QPlainTextEdit::undo)
      ->setEnabled(editable && field->document()->isUndoAvailable());
  menu->addSeparator();
  menu->addAction(QStringLiteral("Вирізати"), field, &QPlainTextEdit::cut)
      ->setEnabled(editable && selected);
  menu->addAction(QStringLiteral("Копіювати"), field, &QPlainTextEdit::copy)->setEnabled(selected);
  menu->addAction(QStringLiteral("Вставити"), field, &QPlainTextEdit::paste)->setEnabled(editable);
  menu->addAction(QStringLiteral("Видалити"), field,
                  [field] { field->textCursor().removeSelectedText(); })
      ->setEnabled(editable && selected);
  menu->addSeparator();
  menu->addAction(QStringLiteral("Виділити все"), field, &QPlainTextEdit::selectAll)
      ->setEnabled(!field->toPlainText().isEmpty());
  return menu;
}

namespace {

template <typename Field> void UseMenu(Field* field) {
  field->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(field, &QWidget::customContextMenuRequested, field, [field](const QPoint& pos) {
    QMenu* menu = TextEditingMenu(field, field);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(field->mapToGlobal(pos));
  });
}

} // namespace

void UseTextEditingMenu(QLineEdit* field) {
  UseMenu(field);
}

void UseTextEditingMenu(QPlainTextEdit* field) {
  UseMenu(field);
}

} // namespace quarbel
