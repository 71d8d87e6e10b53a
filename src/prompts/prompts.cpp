#include "prompts/prompts.h"

#include "text/cp1251.h"

namespace quarbel {

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
