#pragma once

#include <QDialog>

#include <filesystem>
#include <functional>

class QLabel;

namespace quarbel {

// AboutWindow: the program's name and version, its authors, its licence and where its
// manual is; a click on the manual's line opens it.
class AboutWindow : public QDialog {
  Q_OBJECT
public:
  AboutWindow(QWidget* parent, const std::filesystem::path& manual,
              std::function<void()> openManual);

  int Open() { return exec(); }
  QLabel* ManualLabel() const { return manual_; }

private:
  QLabel* manual_;
};

} // namespace quarbel
