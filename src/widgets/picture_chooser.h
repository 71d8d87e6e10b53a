#pragma once

#include "prompts/prompts.h"

#include <QImage>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace quarbel {

// A picture file as the user chose it: its bytes exactly as read, the extension of its
// name (letter case kept) and the decoded image.
struct ChosenPicture {
  std::string bytes;
  std::string extension;
  QImage image;
};

// The open chooser's filters for BMP, GIF and JPEG pictures, all of them first (UTF-8).
extern const char* const kPictureFileFilters;

// Whether a chosen file may be read as a picture at all, from its path and bytes; one that
// may not has been refused with a message.
using PictureFileCheck =
    std::function<bool(const std::filesystem::path& file, const std::string& bytes)>;

// The picture chooser loop: the open chooser for BMP, GIF and JPEG; a missing file ends it
// with "Не вдалося знайти зазначений файл !"; a file `accepts` refuses, or a picture `fits`
// refuses (after saying why), opens the chooser again. Nothing on Cancel, and nothing after a
// read or decode failure, which goes to the error report of `owner`.
std::optional<ChosenPicture> ChoosePicture(Prompts& prompts, QWidget* owner,
                                           const std::function<bool(const QImage&)>& fits,
                                           const PictureFileCheck& accepts = {});

} // namespace quarbel
