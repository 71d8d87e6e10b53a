#include "generator/package/package_kind.h"

#include "text/sha256.h"
#include "text/text_case.h"

#include <string>

namespace quarbel {

const char* TextbookPackageName(TextbookPackage package) {
  switch (package) {
  case TextbookPackage::Scorm: return "Scorm";
  case TextbookPackage::Epub: return "Epub";
  default: return "None";
  }
}

std::optional<TextbookPackage> ParseTextbookPackage(std::string_view name) {
  const std::string lower = LowerCaseText(std::string(name));
  if (lower == "none")
    return TextbookPackage::None;
  if (lower == "scorm")
    return TextbookPackage::Scorm;
  if (lower == "epub")
    return TextbookPackage::Epub;
  return std::nullopt;
}

std::filesystem::path PackageFileOf(const std::filesystem::path& textbookFolder,
                                    TextbookPackage package) {
  if (package == TextbookPackage::None)
    return {};
  std::filesystem::path folder = textbookFolder.lexically_normal();
  if (!folder.has_filename() && folder.has_parent_path())
    folder = folder.parent_path();
  return folder.parent_path() /
         (folder.filename().string() + (package == TextbookPackage::Scorm ? ".zip" : ".epub"));
}

std::string PackageUuid(const std::filesystem::path& textbookFolder, const std::string& title) {
  std::string hex = Sha256Hex(
      std::filesystem::absolute(textbookFolder).lexically_normal().string() + "\n" + title);
  hex[12] = '5'; // the version of a name-based UUID
  hex[16] = "89ab"[std::stoi(hex.substr(16, 1), nullptr, 16) & 3]; // its variant
  return hex.substr(0, 8) + "-" + hex.substr(8, 4) + "-" + hex.substr(12, 4) + "-" +
         hex.substr(16, 4) + "-" + hex.substr(20, 12);
}

} // namespace quarbel
