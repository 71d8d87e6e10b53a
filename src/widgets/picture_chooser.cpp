#include "widgets/picture_chooser.h"

#include "text/cp1251.h"
#include "text/error.h"
#include "text/file_bytes.h"
#include "text/paths.h"
#include "widgets/qt_prompts.h"

#include <filesystem>

namespace quarbel {
const char* const kPictureFileFilters =
    "Всі підтримувані типи файлів (*.BMP *.GIF *.JPG *.JPEG *.bmp *.gif *.jpg *.jpeg);;"
    "Bitmaps (*.BMP *.bmp);;GIF Image (*.GIF *.gif);;JPEG Image (*.JPG *.JPEG *.jpg *.jpeg)";

std::optional<ChosenPicture> ChoosePicture(Prompts& prompts, QWidget* owner,
                                           const std::function<bool(const QImage&)>& fits,
                                           const PictureFileCheck& accepts) {
  for (;;) {
    const auto file = prompts.ChooseOpenFile(Cp1251FromUtf8(kPictureFileFilters));
    if (!file)
      return std::nullopt;
    std::error_code error;
    if (!std::filesystem::is_regular_file(*file, error)) {
      prompts.Warning(Cp1251FromUtf8("Не вдалося знайти зазначений файл !"));
      return std::nullopt;
    }
    ChosenPicture picture;
    try {
      picture.bytes = ReadFileBytes(*file);
      picture.extension = ExtensionOf(PathText(file->filename()));
    } catch (const Error& e) {
      prompts.ReportError(e.text());
      return std::nullopt;
    }
    if (accepts && !accepts(*file, picture.bytes))
      continue;
    if (!picture.image.loadFromData(reinterpret_cast<const uchar*>(picture.bytes.data()),
                                    static_cast<int>(picture.bytes.size()))) {
      prompts.ReportError(Cp1251FromUtf8("Не вдалося прочитати зображення"));
      return std::nullopt;
    }
    if (fits(picture.image))
      return picture;
  }
}

} // namespace quarbel
