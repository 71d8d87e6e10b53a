#pragma once

#include "structure/structure_commands.h"

#include <QDialog>

class QCheckBox;
class QRadioButton;

namespace quarbel {

// OpenOptionsWindow: where added documents go when a top-level node is selected.
class OpenOptionsWindow : public QDialog {
  Q_OBJECT
public:
  explicit OpenOptionsWindow(QWidget* parent);

  // One showing within a batch; the first of a batch starts at the last answer given ("as an
  // item" until one is).
  PlacementAnswer Ask(PlacementQuestion question);
  // A new batch starts with "apply to all" checked.
  void EndBatch();

  QRadioButton* RadioButton1() const { return item_; }
  QRadioButton* RadioButton2() const { return subItem_; }
  QCheckBox* ForAllCheckBox() const { return forAll_; }

private:
  QRadioButton* item_;
  QRadioButton* subItem_;
  QCheckBox* forAll_;
  Placement lastAnswer_ = Placement::AsItem;
};

} // namespace quarbel
