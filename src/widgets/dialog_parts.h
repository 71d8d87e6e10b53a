#pragma once

#include <QSize>

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

// Gives a window of the program its fixed size: the size it was drawn at, or what its
// contents need where that is more (fonts differ between desktops). Sizes are in logical
// pixels, so the screen's scaling applies.
void FixWindowSize(QWidget* window, QSize drawn);

} // namespace quarbel
