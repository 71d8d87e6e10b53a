#include "wordproc/page_cache.h"

#include "text/error.h"
#include "text/file_bytes.h"
#include "text/sha256.h"
#include "text/text_case.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quarbel {
namespace {

namespace fs = std::filesystem;

const std::string_view kMagic = "quarbel-page 1\n";
const std::string_view kTrailer = "sha256 ";
const std::string_view kEntryExtension = ".page";
constexpr size_t kMaxParts = 100000;

// A part name as the word processor writes picture names: a plain file name.
bool PlainName(std::string_view name) {
  if (name.empty() || name == "." || name == ".." || name.size() > 255)
    return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
  });
}

// Reads a decimal number ending at `end` (a newline or a tab) from `at`.
std::optional<size_t> Number(std::string_view bytes, size_t& at, char end) {
  const size_t stop = bytes.find(end, at);
  if (stop == std::string_view::npos || stop == at || stop - at > 19)
    return std::nullopt;
  size_t value = 0;
  const auto [ptr, error] = std::from_chars(bytes.data() + at, bytes.data() + stop, value);
  if (error != std::errc() || ptr != bytes.data() + stop)
    return std::nullopt;
  at = stop + 1;
  return value;
}

std::atomic<unsigned> writeCounter{0};

} // namespace

std::string PageEntryBytes(const ConvertedPage& page) {
  std::string bytes(kMagic);
  bytes += std::to_string(page.files.size() + 1) + "\n";
  const auto part = [&](std::string_view name, std::string_view data) {
    bytes.append(name);
    bytes += "\t" + std::to_string(data.size()) + "\n";
    bytes.append(data);
  };
  part("", page.html);
  for (const auto& [name, data] : page.files)
    part(name, data);
  const std::string sum = Sha256Hex(bytes);
  bytes.append(kTrailer);
  bytes += sum + "\n";
  return bytes;
}

std::optional<ConvertedPage> PageFromEntryBytes(std::string_view bytes) {
  const size_t trailerSize = kTrailer.size() + 64 + 1;
  if (bytes.size() < kMagic.size() + trailerSize || bytes.substr(0, kMagic.size()) != kMagic)
    return std::nullopt;
  const std::string_view body = bytes.substr(0, bytes.size() - trailerSize);
  const std::string_view trailer = bytes.substr(body.size());
  if (trailer.substr(0, kTrailer.size()) != kTrailer || trailer.back() != '\n' ||
      trailer.substr(kTrailer.size(), 64) != Sha256Hex(body))
    return std::nullopt;

  size_t at = kMagic.size();
  const auto count = Number(body, at, '\n');
  if (!count || *count == 0 || *count > kMaxParts)
    return std::nullopt;
  ConvertedPage page;
  for (size_t i = 0; i < *count; ++i) {
    const size_t tab = body.find('\t', at);
    if (tab == std::string_view::npos)
      return std::nullopt;
    const std::string_view name = body.substr(at, tab - at);
    if (i == 0 ? !name.empty() : !PlainName(name))
      return std::nullopt;
    at = tab + 1;
    const auto size = Number(body, at, '\n');
    if (!size || *size > body.size() - at)
      return std::nullopt;
    const std::string_view data = body.substr(at, *size);
    at += *size;
    if (i == 0)
      page.html = data;
    else
      page.files.emplace_back(std::string(name), std::string(data));
  }
  if (at != body.size())
    return std::nullopt;
  return page;
}

fs::path PageCache::DefaultFolder() {
  if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache == '/')
    return fs::path(cache) / "quarbel-vorizareda" / "pages";
  if (const char* home = std::getenv("HOME"); home && *home)
    return fs::path(home) / ".cache" / "quarbel-vorizareda" / "pages";
  return fs::temp_directory_path() / ("quarbel-vorizareda-" + std::to_string(::getuid())) / "pages";
}

std::optional<std::string> PageCache::KeyOf(const fs::path& document, const std::string& version) {
  try {
    const std::string extension = LowerCaseText(document.extension().string());
    return Sha256Hex(version + "\n" + extension + "\n" + Sha256OfFile(document));
  } catch (const Error&) {
    return std::nullopt;
  }
}

fs::path PageCache::EntryOf(const std::string& key) const {
  return folder_ / (key + std::string(kEntryExtension));
}

std::optional<ConvertedPage> PageCache::Find(const std::string& key) const {
  const fs::path entry = EntryOf(key);
  std::error_code error;
  if (!fs::is_regular_file(entry, error))
    return std::nullopt;
  std::optional<ConvertedPage> page;
  try {
    page = PageFromEntryBytes(ReadFileBytes(entry));
  } catch (const Error&) {
  }
  if (!page) {
    fs::remove(entry, error); // damaged: the page is made again and kept afresh
    return std::nullopt;
  }
  ::utimensat(AT_FDCWD, entry.c_str(), nullptr, 0); // used now, for the eviction order
  return page;
}

void PageCache::Keep(const std::string& key, const ConvertedPage& page) const {
  std::error_code error;
  fs::create_directories(folder_, error);
  const fs::path temporary =
      folder_ / (key + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(++writeCounter));
  try {
    WriteFileBytes(temporary, PageEntryBytes(page));
    fs::rename(temporary, EntryOf(key), error);
  } catch (const Error&) {
  }
  fs::remove(temporary, error);
}

void PageCache::Trim() const {
  struct Entry {
    fs::file_time_type used;
    std::uint64_t size;
    fs::path path;
  };
  std::vector<Entry> entries;
  std::uint64_t total = 0;
  const auto staleBefore = fs::file_time_type::clock::now() - std::chrono::hours(1);
  std::error_code error;
  for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
    std::error_code fileError;
    const fs::path& path = it->path();
    const std::string name = path.filename().string();
    const auto time = fs::last_write_time(path, fileError);
    const auto size = fs::file_size(path, fileError);
    if (fileError)
      continue;
    if (name.find(".tmp-") != std::string::npos) {
      if (time < staleBefore) // a write that never finished
        fs::remove(path, fileError);
      continue;
    }
    if (path.extension() != kEntryExtension)
      continue;
    entries.push_back({time, size, path});
    total += size;
  }
  if (total <= limit_)
    return;
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.used < b.used; });
  for (const Entry& entry : entries) {
    if (total <= limit_)
      break;
    std::error_code removeError;
    if (fs::remove(entry.path, removeError) || !fs::exists(entry.path, removeError))
      total -= entry.size;
  }
}

} // namespace quarbel
