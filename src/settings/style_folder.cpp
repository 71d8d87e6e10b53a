#include "settings/style_folder.h"

#include "settings/style_choice.h"
#include "text/cp1251.h"
#include "text/error.h"
#include "text/file_bytes.h"
#include "text/paths.h"
#include "text/text_case.h"

#include <optional>
#include <system_error>
#include <utility>

namespace quarbel {
namespace fs = std::filesystem;
namespace {

bool IsStyleFile(const std::string& name1251) {
  return name1251.size() > 4 && LowerCaseText(ExtensionOf(name1251)) == ".css";
}

[[noreturn]] void FailToDelete(const fs::path& path, const std::error_code& error) {
  throw Error(Cp1251FromUtf8("Не вдалося видалити файл") + " \"" + PathForMessage(path) +
              "\": " + SystemErrorText(error.value()));
}

} // namespace

bool IconSizeAllowed(IconSlot slot, int width, int height) {
  if (slot == MinusIcon || slot == PlusIcon)
    return width == 10 && height == 10;
  return width >= 10 && width <= 48 && height >= 10 && height <= 48;
}

std::vector<std::string> StyleFolder::List() const {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
    const auto name = TryPathText(it->path().filename());
    if (name && IsStyleFile(*name))
      names.push_back(name->substr(0, name->size() - 4));
  }
  return names;
}

fs::path StyleFolder::FileOf(const std::string& name) const {
  const fs::path exact = folder_ / FsPath(name + ".css");
  std::error_code error;
  if (fs::exists(exact, error))
    return exact;
  // A style put into the folder by hand may end in ".CSS" or ".Css".
  for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
    const auto file = TryPathText(it->path().filename());
    if (file && IsStyleFile(*file) && file->substr(0, file->size() - 4) == name)
      return it->path();
  }
  return exact;
}

std::string StyleFolder::PathOf(const std::string& name) const {
  return PathText(FileOf(name));
}

void StyleFolder::Add(const std::vector<fs::path>& files, Prompts& prompts,
                      std::vector<std::string>& list) const {
  for (const fs::path& file : files) {
    std::error_code error;
    if (!fs::is_regular_file(file, error)) {
      prompts.Warning(Cp1251FromUtf8("Не вдалося знайти зазначений файл !"));
      return;
    }
    const std::string fileName = PathText(file.filename());
    const std::string extension = ExtensionOf(fileName);
    const std::string stem = fileName.substr(0, fileName.size() - extension.size());
    const fs::path target = folder_ / FsPath(stem + LowerCaseText(extension));
    if (fs::exists(target, error)) {
      // The question shows the name with the third character from its end made a "C", so
      // that "Blue.css" reads "Blue.Css".
      std::string shown = fileName;
      if (shown.size() >= 3)
        shown[shown.size() - 3] = 'C';
      if (prompts.AskYesNo(Cp1251FromUtf8("Стиль \" ") + shown +
                           Cp1251FromUtf8(" \" вже існує, бажаєте замінити його ?")))
        ReplaceFileBytes(target, ReadFileBytes(file));
      continue;
    }
    fs::create_directories(folder_, error);
    ReplaceFileBytes(target, ReadFileBytes(file));
    list.push_back(stem);
  }
}

bool StyleFolder::Rename(const std::string& from, const std::string& to) const {
  const fs::path source = FileOf(from);
  const fs::path target = folder_ / FsPath(to + ".css");
  std::error_code error;
  if (source == target)
    return true;
  if (fs::exists(target, error) || error)
    return false;
  fs::rename(source, target, error);
  return !error;
}

void StyleFolder::Remove(const std::string& name) const {
  const fs::path file = FileOf(name);
  std::error_code error;
  fs::remove(file, error);
  if (error)
    FailToDelete(file, error);
}

void StyleFolder::Clear() const {
  std::vector<fs::path> files;
  std::error_code error;
  for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
    const auto name = TryPathText(it->path().filename());
    if (name && IsStyleFile(*name))
      files.push_back(it->path());
  }
  std::optional<std::pair<fs::path, std::error_code>> firstFailure;
  for (const fs::path& file : files) {
    fs::remove(file, error);
    if (error && !firstFailure)
      firstFailure.emplace(file, error);
  }
  if (firstFailure)
    FailToDelete(firstFailure->first, firstFailure->second);
}

int SearchList(const std::vector<std::string>& list, int selected, const std::string& text,
               bool forward) {
  const int count = static_cast<int>(list.size());
  int i = selected < 0 ? 0 : (forward ? selected + 1 : selected - 1);
  for (; i >= 0 && i < count; i += forward ? 1 : -1) {
    if (list[static_cast<size_t>(i)] == text)
      return i;
  }
  return -1;
}

} // namespace quarbel
