#include "structure/ui/structure_view.h"

#include "widgets/qt_text.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>

namespace quarbel {
namespace {

constexpr int kNodeRole = Qt::UserRole + 1;

} // namespace

StructureView::StructureView(QWidget* parent, CourseTree& tree, StructureCommands& commands)
    : QTreeWidget(parent), tree_(tree), commands_(commands) {
  setObjectName("TreeView1");
  setHeaderHidden(true);
  setIndentation(19);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDropIndicatorShown(true);
  setDragDropMode(QAbstractItemView::InternalMove);
  setExpandsOnDoubleClick(false);

  connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    if (!rebuilding_)
      commands_.selected = NodeOf(current);
  });
  connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
    if (auto* node = NodeOf(item))
      node->expanded = true;
  });
  connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
    if (auto* node = NodeOf(item))
      node->expanded = false;
  });
}

CourseTree::Node* StructureView::NodeOf(const QTreeWidgetItem* item) const {
  return item ? static_cast<CourseTree::Node*>(item->data(0, kNodeRole).value<void*>()) : nullptr;
}

void StructureView::Rebuild() {
  rebuilding_ = true;
  const int scroll = verticalScrollBar()->value();
  clear();
  const QIcon icon = style()->standardIcon(QStyle::SP_FileIcon);
  std::vector<std::pair<const CourseTree::Node*, QTreeWidgetItem*>> expand;
  QTreeWidgetItem* current = nullptr;
  const std::function<void(const CourseTree::Node&, QTreeWidgetItem*)> add =
      [&](const CourseTree::Node& node, QTreeWidgetItem* parent) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
        item->setText(0, Q(node.text));
        item->setIcon(0, icon);
        item->setData(0, kNodeRole,
                      QVariant::fromValue<void*>(const_cast<CourseTree::Node*>(&node)));
        if (&node == commands_.selected)
          current = item;
        if (node.expanded)
          expand.push_back({&node, item});
        for (const auto& child : node.children)
          add(*child, item);
      };
  for (const auto& root : tree_.roots())
    add(*root, nullptr);
  for (auto& [node, item] : expand)
    item->setExpanded(true);
  setCurrentItem(current);
  if (!current)
    clearSelection();
  verticalScrollBar()->setValue(scroll);
  rebuilding_ = false;
  if (current)
    scrollToItem(current);
}

void StructureView::mousePressEvent(QMouseEvent* event) {
  QTreeWidgetItem* item = itemAt(event->position().toPoint());
  if (!item) {
    // A press where there is no node clears the selection.
    setCurrentItem(nullptr);
    clearSelection();
    commands_.selected = nullptr;
  } else if (event->button() == Qt::RightButton) {
    setCurrentItem(item);
  }
  QTreeWidget::mousePressEvent(event);
}

DropZone StructureView::ZoneAt(const QPoint& pos, CourseTree::Node*& row) const {
  QTreeWidgetItem* item = itemAt(pos);
  row = NodeOf(item);
  if (!item)
    return DropZone::Nowhere;
  const QRect rect = visualItemRect(item);
  return DropZoneAt(pos.y() - rect.top(), rect.height(), true);
}

void StructureView::dragMoveEvent(QDragMoveEvent* event) {
  const QPoint pos = event->position().toPoint();
  // Near the top or the bottom edge the tree scrolls a line at each move.
  if (pos.y() < 15)
    verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
  else if (viewport()->height() - pos.y() < 15)
    verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  CourseTree::Node* row = nullptr;
  const DropZone zone = ZoneAt(pos, row);
  if (commands_.DropForbidden(commands_.selected, row, zone))
    event->ignore();
  else
    event->acceptProposedAction();
}

void StructureView::dropEvent(QDropEvent* event) {
  CourseTree::Node* row = nullptr;
  const DropZone zone = ZoneAt(event->position().toPoint(), row);
  CourseTree::Node* dragged = commands_.selected;
  event->setDropAction(Qt::IgnoreAction);
  event->accept();
  if (commands_.Drop(dragged, row, zone)) {
    commands_.selected = nullptr; // the moved node is not selected
    Rebuild();
    emit changed();
  }
}

} // namespace quarbel
