#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QLineEdit;

namespace quarbel {

// NameInputWindow: one name, checked on OK; a refused name keeps the dialog open with its text.
class NameInputWindow : public QDialog {
  Q_OBJECT
public:
  // `warn` shows a refusal.
  NameInputWindow(QWidget* parent, std::function<void(const std::string&)> warn);

  // Shows the dialog with `caption` and `text` (all of it selected); the accepted name, or
  // nothing on Cancel and Esc.
  bool Ask(const QString& caption, const std::string& text, std::string& name);

  QLineEdit* NameEdit() const { return nameEdit_; }

private:
  void OKButtonClick();
  QLineEdit* nameEdit_;
  std::function<void(const std::string&)> warn_;
  std::string accepted_;
};

} // namespace quarbel
