#pragma once

#include <QIcon>
#include <QString>

class QGroupBox;
class QHBoxLayout;
class QToolButton;
class QWidget;

namespace quarbel {

// A flat square tool button that shows its picture and tells its hint.
QToolButton* ToolButton(QWidget* parent, const QString& hint, const QIcon& icon, int size = 40);

// A captioned group of a tool bar page; its buttons go into `row`.
QGroupBox* ToolGroup(QWidget* parent, const QString& caption, QHBoxLayout*& row);

} // namespace quarbel
