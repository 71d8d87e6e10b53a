#pragma once

#include <QIcon>
#include <QString>

class QGroupBox;
class QHBoxLayout;
class QTabWidget;
class QToolButton;
class QWidget;

namespace quarbel {

// A flat square tool button that shows its picture and tells its hint.
QToolButton* ToolButton(QWidget* parent, const QString& hint, const QIcon& icon, int size = 40);

// A tab widget of tool bar pages, as the interface styles paint them.
void MarkToolPager(QTabWidget* pager);

// A captioned group of a tool bar page; its buttons go into `row`. The interface styles put
// the caption under the buttons.
QGroupBox* ToolGroup(QWidget* parent, const QString& caption, QHBoxLayout*& row);

} // namespace quarbel
