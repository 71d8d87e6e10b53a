#pragma once

#include <filesystem>
#include <set>
#include <string>

namespace quarbel {

// A conversion as a transaction. The textbook is written into a staging folder beside the
// chosen folder and moved into place only when it is complete, so a failed or killed
// conversion leaves the chosen folder exactly as it was.
//
// Moving into place keeps the teacher's files: a copy of a teacher's document never replaces
// a file of the same name that an earlier conversion did not make. What an earlier conversion
// made is known from the list it left in the textbook (kFileList); those files are replaced,
// and the ones the new textbook no longer has are removed. Files are moved by rename, which
// replaces a symbolic link at a textbook name and never writes through it.
class StagedTextbook {
public:
  // The name of the list of a textbook's own files, inside the textbook.
  static constexpr const char* kFileList = ".quarbel-vorizareda-files";

  // Makes the staging folder (and takes away staging folders that killed conversions left).
  explicit StagedTextbook(std::filesystem::path target);
  // Removes the staging folder unless Commit succeeded.
  ~StagedTextbook();
  StagedTextbook(const StagedTextbook&) = delete;
  StagedTextbook& operator=(const StagedTextbook&) = delete;

  const std::filesystem::path& path() const { return staging_; }
  const std::filesystem::path& target() const { return target_; }

  // Moves the textbook into the chosen folder. `copies` are the staged files (relative) that
  // copy a teacher's file. Throws Error; what was already moved stays, the rest is discarded.
  void Commit(const std::set<std::filesystem::path>& copies);

  // Removes the staging folder; the chosen folder is not touched.
  void Discard();

private:
  std::filesystem::path target_;
  std::filesystem::path staging_;
};

} // namespace quarbel
