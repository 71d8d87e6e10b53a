#pragma once

#include "prompts/prompts.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFontComboBox;

namespace quarbel {

class ColourSelector;

// The font chooser: face, size, the four effects and the colour.
class FontChoiceDialog : public QDialog {
  Q_OBJECT
public:
  explicit FontChoiceDialog(QWidget* parent);

  void SetChoice(const FontChoice& choice);
  FontChoice Choice() const;

private:
  QFontComboBox* face_;
  QComboBox* size_;
  QCheckBox* bold_;
  QCheckBox* italic_;
  QCheckBox* underline_;
  QCheckBox* strikeOut_;
  ColourSelector* colour_;
};

// The point sizes the editor's size selectors offer.
const QStringList& FontPointSizes();

} // namespace quarbel
