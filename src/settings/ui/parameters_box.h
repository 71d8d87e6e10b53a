#pragma once

#include "generator/textbook_layout.h"
#include "text/output_encoding.h"

#include <QDialog>

class QCheckBox;
class QComboBox;

namespace quarbel {

// ParametersWindow: the interface style, the encoding of generated pages, the moving panel
// and whether title page and author data are kept between runs. What is shown is put back
// on every close without OK.
class ParametersWindow : public QDialog {
  Q_OBJECT
public:
  explicit ParametersWindow(QWidget* parent);

  // The encoding of generated pages.
  OutputEncoding Encoding() const;
  void SetEncoding(OutputEncoding encoding);
  // The look of generated textbooks.
  TextbookLayout Layout() const;
  void SetLayout(TextbookLayout layout);
  // Selects a style by name and applies it; other names change nothing.
  void ApplyInterfaceStyle(const QString& name);

  QCheckBox* MovingPanelCheckBox() const { return movingPanel_; }
  QCheckBox* SaveTitleCheckBox() const { return saveTitle_; }
  QCheckBox* SaveAboutCheckBox() const { return saveAbout_; }
  QComboBox* StylerComboBox() const { return styler_; }
  QComboBox* CodingComboBox() const { return coding_; }
  QComboBox* LayoutComboBox() const { return layout_; }

signals:
  void movingPanelChanged(bool shown);

protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

private:
  void OKButtonClick();

  QCheckBox* movingPanel_;
  QCheckBox* saveTitle_;
  QCheckBox* saveAbout_;
  QComboBox* styler_;
  QComboBox* coding_;
  QComboBox* layout_;
  bool applied_ = false;
  bool remembered_[3] = {};
  int rememberedIndex_[3] = {-1, -1, 0};
};

} // namespace quarbel
