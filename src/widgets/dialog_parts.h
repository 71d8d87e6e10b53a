#pragma once

#include <functional>

class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace quarbel {

// "OK" at the left and "Відмінити" at the right, as the program's dialogs have them. Neither
// button takes Enter for itself; the dialogs decide what Enter does.
QHBoxLayout* OkCancelRow(QWidget* dialog, QPushButton*& ok, QPushButton*& cancel);

// Enter in the field runs `ok`, once, and goes no further.
void EnterActsAsOk(QLineEdit* field, std::function<void()> ok);

} // namespace quarbel
