#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

namespace quarbel {

// The folder a textbook is written into. It remembers what the folder held before, so that a
// failed conversion can take away exactly what it made and nothing the user had there.
class TextbookFolder {
public:
  explicit TextbookFolder(std::filesystem::path folder);

  const std::filesystem::path& path() const { return folder_; }
  std::filesystem::path operator/(std::string_view relative) const;

  // Creates the folder itself and its subfolder "img".
  void Prepare();
  void CreateFolder(std::string_view relative);

  // Writes a text file (replacing it) in the chosen encoding, from Windows-1251 text.
  void WriteText(std::string_view relative, std::string_view text1251,
                 const std::string& encoding) const;
  std::string ReadText(std::string_view relative, const std::string& encoding) const;
  void WriteBytes(std::string_view relative, std::string_view bytes) const;
  // Copies a file in unless the target exists; failures are ignored, as for every copy.
  void CopyIfAbsent(const std::filesystem::path& source, std::string_view relative) const;

  // Removes what was made since this object was created: files and folders in the folder,
  // "img" and "other" that were not there; the folder itself when it was new or empty.
  void RemoveWhatWasMade() const;

private:
  std::filesystem::path folder_;
  bool wasEmpty_ = true;                   // new or empty: the whole folder is the textbook's
  bool canClean_ = true;                   // what it held could be listed
  std::set<std::filesystem::path> before_; // entries of the folder, img/ and other/
};

} // namespace quarbel
