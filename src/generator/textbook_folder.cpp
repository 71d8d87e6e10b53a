#include "generator/textbook_folder.h"

#include "generator/textbook_text.h"
#include "text/error.h"
#include "text/file_bytes.h"
#include "text/paths.h"

namespace quarbel {
namespace fs = std::filesystem;

TextbookFolder::TextbookFolder(fs::path folder) : folder_(std::move(folder)) {}

fs::path TextbookFolder::operator/(std::string_view relative) const {
  return folder_ / FsPath(relative);
}

void TextbookFolder::Prepare() {
  fs::create_directories(folder_ / "img");
}

void TextbookFolder::CreateFolder(std::string_view relative) {
  fs::create_directories(*this / relative);
}

void TextbookFolder::WriteText(std::string_view relative, std::string_view text,
                               OutputEncoding encoding) const {
  WriteFileBytes(*this / relative, EncodeForTextbook(text, encoding));
}

std::string TextbookFolder::ReadText(std::string_view relative, OutputEncoding encoding) const {
  return DecodeFromTextbook(ReadFileBytes(*this / relative), encoding);
}

void TextbookFolder::WriteBytes(std::string_view relative, std::string_view bytes) const {
  WriteFileBytes(*this / relative, bytes);
}

void TextbookFolder::CopyIfAbsent(const fs::path& source, std::string_view relative) {
  const fs::path target = *this / relative;
  std::error_code error;
  if (!fs::is_regular_file(source, error) || fs::exists(fs::symlink_status(target, error)))
    return;
  try {
    CopyFileBytes(source, target);
  } catch (const Error&) {
    fs::remove(target, error); // no copy cut short stays behind
    throw;
  }
  copies_.insert(fs::path(FsPath(relative)));
}

} // namespace quarbel
