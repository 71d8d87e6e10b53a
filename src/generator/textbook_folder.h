#pragma once

#include "text/output_encoding.h"

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

namespace quarbel {

// The folder a textbook's files are written into. Names inside it are Windows-1251 text, as
// every text of the program, and reach the file system through the same conversion as every
// other path. A conversion writes into a staging folder (see StagedTextbook) that becomes
// the textbook only when it is complete.
class TextbookFolder {
public:
  explicit TextbookFolder(std::filesystem::path folder);

  const std::filesystem::path& path() const { return folder_; }
  // The file system path of a name inside the folder ("other/Ґанок.pdf" in Windows-1251).
  std::filesystem::path operator/(std::string_view relative1251) const;

  // Creates the folder itself and its subfolder "img".
  void Prepare();
  void CreateFolder(std::string_view relative);

  // Writes a text file (replacing it) in the chosen encoding, from Windows-1251 text.
  void WriteText(std::string_view relative, std::string_view text1251,
                 OutputEncoding encoding) const;
  std::string ReadText(std::string_view relative, OutputEncoding encoding) const;
  void WriteBytes(std::string_view relative, std::string_view bytes) const;
  // Copies a file in unless the target exists. A source that does not exist is no error (the
  // course may name a document that is gone); a copy that fails or comes out short is.
  void CopyIfAbsent(const std::filesystem::path& source, std::string_view relative);

  // The files that are copies of the teacher's files (relative file system paths): they never
  // replace a file of the teacher's when the textbook is put in place.
  const std::set<std::filesystem::path>& copies() const { return copies_; }

private:
  std::filesystem::path folder_;
  std::set<std::filesystem::path> copies_;
};

} // namespace quarbel
