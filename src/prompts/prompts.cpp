#include "prompts/prompts.h"

#include "text/cp1251.h"

namespace quarbel {

std::string PreferredOpenFilter(const std::string& filters) {
  const std::string all = Cp1251FromUtf8("Всі підтримувані типи файлів");
  std::string first;
  for (size_t start = 0; start <= filters.size();) {
    size_t end = filters.find(";;", start);
    if (end == std::string::npos)
      end = filters.size();
    const std::string filter = filters.substr(start, end - start);
    if (first.empty())
      first = filter;
    if (filter.rfind(all, 0) == 0)
      return filter;
    start = end + 2;
  }
  return first;
}

std::optional<std::filesystem::path>
Prompts::ChooseFileToSave(const std::function<std::optional<std::filesystem::path>()>& choose,
                          const std::filesystem::path& first,
                          const std::filesystem::path& ownFile) {
  std::optional<std::filesystem::path> file;
  if (!first.empty())
    file = first;
  else
    file = choose();
  while (file) {
    std::error_code error;
    if (!std::filesystem::exists(*file, error) || file->native() == ownFile.native() ||
        AskYesNo(Cp1251FromUtf8("Даний файл вже існує, бажаєте замінити його ?")))
      return file;
    file = choose();
  }
  return std::nullopt;
}

} // namespace quarbel
