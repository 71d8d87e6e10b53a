#include "widgets/folder_chooser.h"

#include "text/cp1251.h"
#include "text/file_bytes.h"
#include "text/paths.h"

namespace quarbel {

FolderChooser::FolderChooser(QWidget* parent, const QString& title,
                             std::function<void(const std::string&)> warn)
    : QFileDialog(parent, title), warn_(std::move(warn)) {
  setFileMode(QFileDialog::Directory);
  setOption(QFileDialog::ShowDirsOnly);
  // The chooser's own accept makes a new folder; a desktop chooser would refuse the name.
  setOption(QFileDialog::DontUseNativeDialog);
}

std::optional<std::filesystem::path> FolderChooser::Choose() {
  if (exec() != QDialog::Accepted || selectedFiles().isEmpty())
    return std::nullopt;
  return std::filesystem::path(selectedFiles().first().toStdString());
}

void FolderChooser::accept() {
  const QStringList chosen = selectedFiles();
  if (chosen.size() == 1 && !chosen.first().isEmpty()) {
    const std::filesystem::path folder(chosen.first().toStdString());
    std::error_code error;
    if (!std::filesystem::exists(folder, error)) {
      std::filesystem::create_directories(folder, error);
      if (error) {
        if (warn_)
          warn_(Cp1251FromUtf8("Не вдалося створити папку \"") + PathForMessage(folder) +
                "\": " + SystemErrorText(error.value()));
        return;
      }
    }
  }
  QFileDialog::accept();
}

} // namespace quarbel
