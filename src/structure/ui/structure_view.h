#pragma once

#include "structure/course_tree.h"
#include "structure/structure_commands.h"

#include <QTreeWidget>

namespace quarbel {

// TreeView1: shows the course tree, keeps the commands' selection and the nodes' expansion
// in step with the view, and moves nodes by drag and drop under the structure's rules.
class StructureView : public QTreeWidget {
  Q_OBJECT
public:
  StructureView(QWidget* parent, CourseTree& tree, StructureCommands& commands);

  // Shows the tree as it now is, with the commands' selection.
  void Rebuild();
  CourseTree::Node* NodeOf(const QTreeWidgetItem* item) const;

signals:
  void changed(); // a drop changed the structure

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

private:
  // The zone and row of a drop at `pos` (viewport coordinates).
  DropZone ZoneAt(const QPoint& pos, CourseTree::Node*& row) const;

  CourseTree& tree_;
  StructureCommands& commands_;
  bool rebuilding_ = false;
};

} // namespace quarbel
