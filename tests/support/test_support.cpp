#include "support/test_support.h"

#include "text/file_bytes.h"

#include "text/cp1251.h"
#include "text/error.h"

#include <fstream>
#include <random>
#include <stdexcept>

namespace quarbel::testing {

std::string W(std::string_view utf8) {
  return Cp1251FromUtf8(utf8);
}

std::string U(std::string_view text1251) {
  return Utf8FromCp1251(text1251);
}

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return U(e.text());
  }
  return "<no error>";
}

TempDir::TempDir() {
  std::random_device random;
  for (;;) {
    path_ = std::filesystem::temp_directory_path() /
            ("quarbel-test-" + std::to_string(random()) + std::to_string(random()));
    if (std::filesystem::create_directory(path_))
      break;
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out)
    throw std::runtime_error("cannot write test file " + path.string());
}

std::map<std::string, std::string> FolderContents(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    if (entry.is_regular_file())
      files[std::filesystem::relative(entry.path(), folder).string()] = ReadFileBytes(entry.path());
  return files;
}

} // namespace quarbel::testing
