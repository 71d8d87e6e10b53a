#include "support/zip_reading.h"

#include <array>
#include <cstdio>
#include <stdexcept>
#include <sys/wait.h>
#include <zip.h>

namespace quarbel::testing {

std::vector<ZipEntry> ReadZip(const std::filesystem::path& archive) {
  std::vector<ZipEntry> entries;
  int code = 0;
  zip_t* zip = zip_open(archive.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
  if (!zip)
    throw std::runtime_error(archive.string() + ": libzip error " + std::to_string(code));
  const zip_int64_t count = zip_get_num_entries(zip, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_stat_t stat;
    zip_stat_index(zip, static_cast<zip_uint64_t>(i), 0, &stat);
    ZipEntry entry;
    entry.name = stat.name;
    entry.stored = stat.comp_method == ZIP_CM_STORE;
    entry.extraFields =
        zip_file_extra_fields_count(zip, static_cast<zip_uint64_t>(i), ZIP_FL_LOCAL) +
        zip_file_extra_fields_count(zip, static_cast<zip_uint64_t>(i), ZIP_FL_CENTRAL);
    zip_file_t* file = zip_fopen_index(zip, static_cast<zip_uint64_t>(i), 0);
    entry.bytes.resize(stat.size);
    const bool read = file && zip_fread(file, entry.bytes.data(), stat.size) ==
                                  static_cast<zip_int64_t>(stat.size);
    if (file)
      zip_fclose(file);
    if (!read) {
      zip_discard(zip);
      throw std::runtime_error(archive.string() + ": cannot read " + entry.name);
    }
    entries.push_back(std::move(entry));
  }
  zip_discard(zip);
  return entries;
}

std::string ZipEntryBytes(const std::vector<ZipEntry>& entries, const std::string& name) {
  for (const ZipEntry& entry : entries)
    if (entry.name == name)
      return entry.bytes;
  return "<no entry>";
}

CommandResult RunShell(const std::string& command) {
  CommandResult result;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (!pipe)
    return result;
  std::array<char, 4096> buffer;
  size_t read;
  while ((read = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    result.output.append(buffer.data(), read);
  const int status = ::pclose(pipe);
  result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

} // namespace quarbel::testing
