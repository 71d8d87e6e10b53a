#include "text/paths.h"

#include "text/cp1251.h"
#include "text/error.h"

namespace quarbel {

std::string_view FileNameOf(std::string_view path) {
  const size_t at = path.rfind(kPathSeparator);
  return at == std::string_view::npos ? path : path.substr(at + 1);
}

std::string ExtensionOf(std::string_view path) {
  const std::string_view name = FileNameOf(path);
  const size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

std::filesystem::path FsPath(std::string_view path1251) {
  return std::filesystem::path(Utf8FromCp1251(path1251));
}

std::optional<std::string> TryPathText(const std::filesystem::path& path) {
  return TryCp1251FromUtf8(path.native());
}

std::string PathText(const std::filesystem::path& path) {
  if (auto text = TryPathText(path))
    return std::move(*text);
  throw Error(Cp1251FromUtf8("Шлях \"") + PathForMessage(path) +
              Cp1251FromUtf8("\" містить символи, яких немає в кирилиці Windows-1251.\r\n"
                             "Перейменуйте файл або папку і спробуйте ще раз."));
}

std::string PathForMessage(const std::filesystem::path& path) {
  return Cp1251FromUtf8Lossy(path.native());
}

std::filesystem::path ExecutableFolder() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::current_path() : self.parent_path();
}

} // namespace quarbel
