#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QLineEdit;
class QPushButton;

namespace quarbel {

// SearchWindow: modeless, above the other windows; "Назад" and "Вперед" search the target
// the caller set with the text of the edit.
class SearchWindow : public QDialog {
  Q_OBJECT
public:
  explicit SearchWindow(QWidget* parent);

  // The search of the current target: text (Windows-1251) and direction.
  std::function<void(const std::string&, bool forward)> search;

  // Makes the window serve a target: the window it is kept over and its search. A modal
  // owner keeps it usable because it then belongs to that owner.
  void Serve(QWidget* owner, std::function<void(const std::string&, bool forward)> search);

  void Open();
  QLineEdit* SearchEdit() const { return edit_; }
  QPushButton* BButton() const { return back_; }
  QPushButton* NButton() const { return next_; }

private:
  QLineEdit* edit_;
  QPushButton* back_;
  QPushButton* next_;
};

} // namespace quarbel
