#include "widgets/tool_groups.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QTabWidget>
#include <QToolButton>

namespace quarbel {

QToolButton* ToolButton(QWidget* parent, const QString& hint, const QIcon& icon, int size) {
  auto* button = new QToolButton(parent);
  button->setToolTip(hint);
  button->setIcon(icon);
  button->setIconSize(QSize(size - 12, size - 12));
  button->setFixedSize(size, size);
  button->setAutoRaise(true);
  return button;
}

void MarkToolPager(QTabWidget* pager) {
  pager->setProperty("toolPager", true);
}

QGroupBox* ToolGroup(QWidget* parent, const QString& caption, QHBoxLayout*& row) {
  auto* group = new QGroupBox(caption, parent);
  group->setObjectName("ToolGroup");
  group->setProperty("toolGroup", true);
  group->setAlignment(Qt::AlignHCenter);
  row = new QHBoxLayout(group);
  row->setContentsMargins(4, 4, 4, 4);
  return group;
}

} // namespace quarbel
