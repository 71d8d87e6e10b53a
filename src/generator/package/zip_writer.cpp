#include "generator/package/zip_writer.h"

#include "text/cp1251.h"
#include "text/error.h"
#include "text/file_bytes.h"
#include "text/paths.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <zip.h>

namespace quarbel {
namespace fs = std::filesystem;

namespace {

std::string LibzipReason(zip_error_t* error) {
  const int system = zip_error_code_system(error);
  if (zip_error_system_type(error) == ZIP_ET_SYS && system != 0)
    return SystemErrorText(system);
  return Cp1251FromUtf8Lossy(zip_error_strerror(error));
}

// Temporary files that killed conversions left beside the package: the process that named
// itself in the file's name no longer runs.
void RemoveAbandoned(const fs::path& target) {
  const std::string prefix = "." + target.filename().string() + ".quarbel-";
  std::error_code error;
  for (fs::directory_iterator it(target.parent_path(), error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.rfind(prefix, 0) != 0 || !name.ends_with(".part"))
      continue;
    const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
    if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
      std::error_code ignored;
      fs::remove(it->path(), ignored);
    }
  }
}

} // namespace

ZipWriter::ZipWriter(fs::path target) : target_(std::move(target)) {
  RemoveAbandoned(target_);
  static int counter = 0;
  temporary_ = target_.parent_path() /
               ("." + target_.filename().string() + ".quarbel-" + std::to_string(::getpid()) + "-" +
                std::to_string(++counter) + ".part");
  int code = 0;
  archive_ = zip_open(temporary_.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (!archive_) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const std::string reason = LibzipReason(&error);
    zip_error_fini(&error);
    Fail(reason);
  }
}

ZipWriter::~ZipWriter() {
  if (archive_)
    zip_discard(archive_);
  if (!committed_) {
    std::error_code ignored;
    fs::remove(temporary_, ignored);
  }
}

void ZipWriter::Fail(const std::string& reason1251) const {
  throw Error(Cp1251FromUtf8("Не вдалося записати пакет \"") + PathForMessage(target_) +
              "\": " + reason1251);
}

void ZipWriter::Added(long long index, const std::string& name, bool stored) {
  if (index < 0)
    Fail(Cp1251FromUtf8Lossy(name) + " - " + LibzipReason(zip_get_error(archive_)));
  const auto entry = static_cast<zip_uint64_t>(index);
  if (zip_set_file_compression(archive_, entry, stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 9) != 0)
    Fail(LibzipReason(zip_get_error(archive_)));
  // No extra fields: readers that check the first entry of an EPUB want it bare.
  zip_file_extra_field_delete(archive_, entry, ZIP_EXTRA_FIELD_ALL, ZIP_FL_LOCAL | ZIP_FL_CENTRAL);
}

void ZipWriter::AddBytes(const std::string& name, std::string bytes, bool stored) {
  buffers_.push_back(std::move(bytes));
  const std::string& kept = buffers_.back();
  zip_source_t* source = zip_source_buffer(archive_, kept.data(), kept.size(), 0);
  if (!source)
    Fail(LibzipReason(zip_get_error(archive_)));
  const zip_int64_t index =
      zip_file_add(archive_, name.c_str(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
  if (index < 0)
    zip_source_free(source);
  Added(index, name, stored);
}

void ZipWriter::AddFile(const std::string& name, const fs::path& file) {
  // The file is read only when the package is written; a file that cannot be read is named now.
  std::error_code error;
  const int unreadable = !fs::is_regular_file(file, error)   ? ENOENT
                         : ::access(file.c_str(), R_OK) != 0 ? errno
                                                             : 0;
  if (unreadable != 0)
    throw Error(Cp1251FromUtf8("Не вдалося прочитати файл \"") + PathForMessage(file) +
                "\": " + SystemErrorText(unreadable));
  zip_source_t* source = zip_source_file(archive_, file.c_str(), 0, -1);
  if (!source)
    throw Error(Cp1251FromUtf8("Не вдалося прочитати файл \"") + PathForMessage(file) +
                "\": " + LibzipReason(zip_get_error(archive_)));
  const zip_int64_t index =
      zip_file_add(archive_, name.c_str(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
  if (index < 0)
    zip_source_free(source);
  Added(index, name, false);
}

void ZipWriter::Finish() {
  if (zip_close(archive_) != 0) {
    const std::string reason = LibzipReason(zip_get_error(archive_));
    Fail(reason); // the destructor discards the archive and its temporary file
  }
  archive_ = nullptr;
  buffers_.clear();
  finished_ = true;
}

void ZipWriter::Commit() {
  if (!finished_)
    Finish();
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0)
    Fail(SystemErrorText(errno));
  committed_ = true;
}

} // namespace quarbel
