#include "settings/style_folder.h"

#include "settings/style_choice.h"
#include "text/cp1251.h"
#include "text/error.h"
#include "text/file_bytes.h"
#include "text/paths.h"
#include "text/text_case.h"

#include <algorithm>
#include <optional>
#include <system_error>
#include <utility>

namespace quarbel {
namespace fs = std::filesystem;
namespace {

bool IsStyleFile(const std::string& name1251) {
  return name1251.size() > 4 && LowerCaseText(ExtensionOf(name1251)) == ".css";
}

// A style sheet of the folder: its file and its name without the extension.
struct StyleFile {
  fs::path path;
  std::string name;
};

// The folder's ".css" files (any letter case) in the order the file system lists them; a
// name that Windows-1251 cannot hold is left out.
std::vector<StyleFile> StyleFiles(const fs::path& folder) {
  std::vector<StyleFile> files;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const auto name = TryPathText(it->path().filename());
    if (name && IsStyleFile(*name))
      files.push_back({it->path(), name->substr(0, name->size() - 4)});
  }
  return files;
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
  for (StyleFile& file : StyleFiles(folder_))
    names.push_back(std::move(file.name));
  if (!shipped_.empty()) {
    const size_t own = names.size();
    for (StyleFile& file : StyleFiles(shipped_)) {
      // The teacher's style of the same name is the one offered.
      if (std::find(names.begin(), names.begin() + static_cast<long>(own), file.name) ==
          names.begin() + static_cast<long>(own))
        names.push_back(std::move(file.name));
    }
  }
  return names;
}

namespace {

// The file of a style in one folder, whatever the letter case of its extension.
std::optional<fs::path> FindStyleFile(const fs::path& folder, const std::string& name) {
  const fs::path exact = folder / FsPath(name + ".css");
  std::error_code error;
  if (fs::exists(exact, error))
    return exact;
  // A style put into the folder by hand may end in ".CSS" or ".Css".
  for (const StyleFile& file : StyleFiles(folder)) {
    if (file.name == name)
      return file.path;
  }
  return std::nullopt;
}

} // namespace

bool StyleFolder::IsShipped(const std::string& name) const {
  return !shipped_.empty() && !FindStyleFile(folder_, name) && FindStyleFile(shipped_, name);
}

fs::path StyleFolder::FileOf(const std::string& name) const {
  if (const auto own = FindStyleFile(folder_, name))
    return *own;
  if (!shipped_.empty())
    if (const auto shipped = FindStyleFile(shipped_, name))
      return *shipped;
  return folder_ / FsPath(name + ".css");
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
  if (IsShipped(from))
    return false;
  const fs::path source = FileOf(from);
  // A name is a file name in the Styles folder, never a path out of it.
  if (to.empty() || to.find_first_of("/\\") != std::string::npos || to == "." || to == "..")
    return false;
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
  if (IsShipped(name))
    throw Error(Cp1251FromUtf8("Стиль \" ") + name +
                Cp1251FromUtf8(" \" входить до програми, його не можна видалити."));
  const fs::path file = FileOf(name);
  std::error_code error;
  fs::remove(file, error);
  if (error)
    FailToDelete(file, error);
}

void StyleFolder::Clear() const {
  std::optional<std::pair<fs::path, std::error_code>> firstFailure;
  for (const StyleFile& file : StyleFiles(folder_)) {
    std::error_code error;
    fs::remove(file.path, error);
    if (error && !firstFailure)
      firstFailure.emplace(file.path, error);
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
