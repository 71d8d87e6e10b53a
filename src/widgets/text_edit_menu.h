#pragma once

class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QWidget;

namespace quarbel {

// The text editing menu that every text field of the program uses: undo the last edit,
// cut, copy, paste, delete the selection, select all. Built for the field it opens on.
QMenu* TextEditingMenu(QWidget* parent, QLineEdit* field);

QMenu* TextEditingMenu(QWidget* parent, QPlainTextEdit* field);

// Gives the field the text editing menu as its context menu.
void UseTextEditingMenu(QLineEdit* field);
void UseTextEditingMenu(QPlainTextEdit* field);

} // namespace quarbel
