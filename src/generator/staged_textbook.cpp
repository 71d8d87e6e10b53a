#include "generator/staged_textbook.h"

#include "text/cp1251.h"
#include "text/error.h"
#include "text/file_bytes.h"
#include "text/paths.h"

#include <cerrno>
#include <csignal>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace quarbel {
namespace fs = std::filesystem;

namespace {

constexpr const char* kListHeader = "Quarbel Vorizareda textbook files 1";

[[noreturn]] void Fail(const char* utf8, const fs::path& path, int code) {
  throw Error(Cp1251FromUtf8(utf8) + " \"" + PathForMessage(path) + "\": " + SystemErrorText(code));
}

// "book" of "/a/book/" and of "/a/./book".
fs::path Normalised(const fs::path& folder) {
  fs::path out = fs::absolute(folder).lexically_normal();
  if (!out.has_filename() && out.has_parent_path() && out != out.root_path())
    out = out.parent_path();
  return out;
}

std::string StagingPrefix(const fs::path& target) {
  return "." + target.filename().string() + ".quarbel-";
}

// Staging folders of conversions whose process no longer runs.
void RemoveAbandoned(const fs::path& parent, const std::string& prefix) {
  std::error_code error;
  for (fs::directory_iterator it(parent, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.rfind(prefix, 0) != 0)
      continue;
    const std::string rest = name.substr(prefix.size());
    const long pid = std::strtol(rest.c_str(), nullptr, 10);
    if (pid <= 0 || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)) {
      std::error_code ignored;
      fs::remove_all(it->path(), ignored);
    }
  }
}

fs::path MakeStaging(const fs::path& parent, const std::string& prefix) {
  static int counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate =
        parent / (prefix + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::error_code error;
    if (fs::create_directory(candidate, error))
      return candidate;
    if (error)
      return {};
  }
  return {};
}

std::set<fs::path> ReadFileList(const fs::path& target) {
  std::set<fs::path> files;
  std::ifstream in(target / StagedTextbook::kFileList, std::ios::binary);
  std::string line;
  if (!std::getline(in, line) || line != kListHeader)
    return files; // no list, or not ours: nothing in the folder counts as the textbook's
  while (std::getline(in, line)) {
    const fs::path relative = fs::path(line).lexically_normal();
    // Only names inside the textbook count, whatever the list says.
    if (!line.empty() && relative.is_relative() && *relative.begin() != "..")
      files.insert(relative);
  }
  return files;
}

void WriteFileList(const fs::path& folder, const std::set<fs::path>& files) {
  std::string text = std::string(kListHeader) + "\n";
  for (const fs::path& file : files)
    text += file.string() + "\n";
  ReplaceFileBytes(folder / StagedTextbook::kFileList, text);
}

void StagedFiles(const fs::path& root, const fs::path& relative, std::vector<fs::path>& out) {
  for (const auto& entry : fs::directory_iterator(root / relative)) {
    const fs::path name = relative / entry.path().filename();
    if (fs::is_directory(entry.symlink_status()))
      StagedFiles(root, name, out);
    else
      out.push_back(name);
  }
}

// Moves a file by rename; across file systems (a chosen folder that is a link to another
// disk) through a copy renamed into place.
void Move(const fs::path& from, const fs::path& to) {
  if (::rename(from.c_str(), to.c_str()) == 0)
    return;
  if (errno != EXDEV)
    Fail("Не вдалося перемістити файл посібника до", to, errno);
  const fs::path temporary =
      to.parent_path() / (".quarbel-" + std::to_string(::getpid()) + "-" + to.filename().string());
  std::error_code error;
  fs::copy_file(from, temporary, fs::copy_options::overwrite_existing, error);
  if (error || ::rename(temporary.c_str(), to.c_str()) != 0) {
    const int code = error ? error.value() : errno;
    fs::remove(temporary, error);
    Fail("Не вдалося перемістити файл посібника до", to, code);
  }
  fs::remove(from, error);
}

} // namespace

StagedTextbook::StagedTextbook(fs::path target) : target_(Normalised(target)) {
  const std::string prefix = StagingPrefix(target_);
  const fs::path parent = target_.parent_path();
  RemoveAbandoned(parent, prefix);
  staging_ = MakeStaging(parent, prefix);
  if (staging_.empty()) {
    // A folder whose parent we may not write in: the staging folder goes inside it.
    std::error_code error;
    fs::create_directories(target_, error);
    if (error)
      Fail("Не вдалося створити папку", target_, error.value());
    RemoveAbandoned(target_, ".quarbel-staging-");
    staging_ = MakeStaging(target_, ".quarbel-staging-");
    if (staging_.empty())
      Fail("Не вдалося створити тимчасову папку в", target_, errno ? errno : EACCES);
  }
}

StagedTextbook::~StagedTextbook() {
  Discard();
}

void StagedTextbook::Discard() {
  if (staging_.empty())
    return;
  std::error_code ignored;
  fs::remove_all(staging_, ignored);
  staging_.clear();
}

void StagedTextbook::Commit(const std::set<fs::path>& copies) {
  std::error_code error;
  fs::create_directories(target_, error);
  if (error || !fs::is_directory(target_, error))
    Fail("Не вдалося створити папку", target_, error ? error.value() : ENOTDIR);

  const std::set<fs::path> earlier = ReadFileList(target_);
  std::vector<fs::path> staged;
  StagedFiles(staging_, {}, staged);
  std::set<fs::path> made;
  for (const fs::path& relative : staged) {
    const fs::path from = staging_ / relative;
    const fs::path to = target_ / relative;
    if (relative.has_parent_path()) {
      fs::create_directories(to.parent_path(), error);
      if (error || !fs::is_directory(to.parent_path(), error))
        Fail("Не вдалося створити папку", to.parent_path(), error ? error.value() : ENOTDIR);
    }
    const fs::file_status there = fs::symlink_status(to, error);
    if (fs::exists(there)) {
      if (fs::is_directory(there))
        Fail("Не вдалося записати файл", to, EISDIR);
      // The teacher's own file of that name stays; the textbook uses it as it always did.
      if (copies.count(relative) && !earlier.count(relative))
        continue;
    }
    Move(from, to);
    made.insert(relative);
  }
  for (const fs::path& relative : earlier) {
    if (made.count(relative))
      continue;
    const fs::path stale = target_ / relative;
    if (fs::is_regular_file(fs::symlink_status(stale, error)))
      fs::remove(stale, error);
  }
  WriteFileList(target_, made);
  Discard();
}

} // namespace quarbel
