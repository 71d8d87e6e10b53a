#include "generator/textbook_folder.h"

#include "generator/textbook_text.h"
#include "text/cp1251.h"
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
                               const std::string& encoding) const {
  WriteFileBytes(*this / relative, EncodeForTextbook(text, encoding));
}

std::string TextbookFolder::ReadText(std::string_view relative, const std::string& encoding) const {
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
  const auto failed = [&](int code) {
    throw Error(Cp1251FromUtf8("Не вдалося скопіювати файл \"") + PathForMessage(source) +
                Cp1251FromUtf8("\" до посібника: ") + SystemErrorText(code));
  };
  if (!fs::copy_file(source, target, fs::copy_options::skip_existing, error) || error)
    failed(error ? error.value() : EIO);
  const auto expected = fs::file_size(source, error);
  if (!error && fs::file_size(target, error) != expected)
    failed(error ? error.value() : ENOSPC);
  copies_.insert(fs::path(FsPath(relative)));
}

} // namespace quarbel
