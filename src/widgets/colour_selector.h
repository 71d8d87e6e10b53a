#pragma once

#include "pictures/indexed_image.h"

#include <QToolButton>

class QMenu;

namespace quarbel {

// A drop-down of forty colours. A choice is applied at once and the drop-down stays open,
// so that the user can try several; each colour shows its RGB value as a hint.
class ColourSelector : public QToolButton {
  Q_OBJECT
public:
  explicit ColourSelector(QWidget* parent);

  RgbColor Colour() const { return colour_; }
  // Shows `colour` without announcing it.
  void SetColour(RgbColor colour);
  // Chooses as a click on a swatch does.
  void Choose(RgbColor colour);
  QMenu* DropDown() const { return dropDown_; }

signals:
  void colourChosen(quarbel::RgbColor colour);

private:
  RgbColor colour_{0, 0, 0};
  QMenu* dropDown_;
};

} // namespace quarbel
