#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quarbel {

// What the conversion makes besides the textbook's folder: nothing, a SCORM 1.2 package for a
// learning platform, or an EPUB 3 book for e-readers.
enum class TextbookPackage { None, Scorm, Epub };

// "None", "Scorm" and "Epub", as the settings file names them; the converter's --package takes
// them in any letter case.
const char* TextbookPackageName(TextbookPackage package);
std::optional<TextbookPackage> ParseTextbookPackage(std::string_view name);

// The package's file beside the textbook's folder: "/курс/Фізика" gives "/курс/Фізика.zip" or
// "/курс/Фізика.epub". Empty for no package.
std::filesystem::path PackageFileOf(const std::filesystem::path& textbookFolder,
                                    TextbookPackage package);

// The package's identity: a UUID made from the textbook's folder and the course title, so a
// package made again for the same place is the same package to a platform or a reader's
// library. "6e50c851-3db0-5d58-9af0-fce5302c5397".
std::string PackageUuid(const std::filesystem::path& textbookFolder, const std::string& title);

} // namespace quarbel
