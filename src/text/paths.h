#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Paths as the program's texts hold them (Windows-1251) and as the file system takes them.
namespace quarbel {

// The separator of folders in the paths the program shows, stores and splits.
inline constexpr char kPathSeparator = '/';

// The part of a path after its last separator (the whole text when there is none).
std::string_view FileNameOf(std::string_view path);

// The extension of a path's file name, from its last ".", dot included; "" when none.
std::string ExtensionOf(std::string_view path);

// The file-system path of a Windows-1251 path text. Always possible.
std::filesystem::path FsPath(std::string_view path1251);

// The Windows-1251 text of a file-system path; nothing when the path holds a character
// that Windows-1251 cannot hold (or bytes that are not UTF-8).
std::optional<std::string> TryPathText(const std::filesystem::path& path);

// As TryPathText, but a path that does not fit is refused with an Error that names it.
std::string PathText(const std::filesystem::path& path);

// A path for a message: characters that do not fit Windows-1251 shown as "?".
std::string PathForMessage(const std::filesystem::path& path);

// The program folder: the folder of the running executable.
std::filesystem::path ExecutableFolder();

} // namespace quarbel
