#pragma once

#include <deque>
#include <filesystem>
#include <string>

struct zip;

namespace quarbel {

// A zip file made beside its target and put in place only when it is whole. Entries are
// compressed (deflate) unless stored is asked for; names are UTF-8 and flagged so. Nothing is
// read or compressed until Finish, which writes the archive into a temporary file beside the
// target; Commit renames it over the target. Destroying the writer before Commit removes
// whatever it wrote, so a failure never leaves a partial package nor touches an older one.
// Failures throw Error naming the package and the reason.
class ZipWriter {
public:
  explicit ZipWriter(std::filesystem::path target);
  ~ZipWriter();
  ZipWriter(const ZipWriter&) = delete;
  ZipWriter& operator=(const ZipWriter&) = delete;

  const std::filesystem::path& target() const { return target_; }

  // Entries in the order they are added.
  void AddBytes(const std::string& name, std::string bytes, bool stored = false);
  void AddFile(const std::string& name, const std::filesystem::path& source);

  void Finish();
  void Commit();

private:
  [[noreturn]] void Fail(const std::string& reason1251) const;
  void Added(long long index, const std::string& name, bool stored);

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  zip* archive_ = nullptr;
  std::deque<std::string> buffers_; // what AddBytes keeps alive until Finish
  bool finished_ = false;
  bool committed_ = false;
};

} // namespace quarbel
