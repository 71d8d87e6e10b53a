#pragma once

#include <QFileDialog>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace quarbel {

// FolderChooser: the chooser of a folder, which also takes the name of a folder that is not
// there yet and makes it. A folder that cannot be made is reported through `warn` (text in
// Windows-1251) and the chooser stays open.
class FolderChooser : public QFileDialog {
  Q_OBJECT
public:
  FolderChooser(QWidget* parent, const QString& title,
                std::function<void(const std::string&)> warn);

  // The folder chosen; nothing when the chooser was cancelled.
  std::optional<std::filesystem::path> Choose();

protected:
  void accept() override;

private:
  std::function<void(const std::string&)> warn_;
};

} // namespace quarbel
