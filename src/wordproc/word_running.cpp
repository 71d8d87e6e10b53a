#include "wordproc/word_running.h"

#include "text/text_case.h"

#include <fstream>
#include <iterator>

namespace quarbel {
namespace {

std::string ReadSmallFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string text;
  std::getline(in, text, '\0');
  return text;
}

bool IsWordName(std::string name) {
  while (!name.empty() && (name.back() == '\n' || name.back() == '\r'))
    name.pop_back();
  const size_t slash = name.find_last_of("/\\");
  if (slash != std::string::npos)
    name.erase(0, slash + 1);
  return LowerCaseText(name) == "winword.exe";
}

} // namespace

bool IsWordRunning(const std::filesystem::path& processes) {
  std::error_code error;
  std::filesystem::directory_iterator it(processes, error);
  if (error)
    return false;
  for (const auto& entry : it) {
    const std::string name = entry.path().filename().string();
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos)
      continue;
    // The first argument holds the whole name; the command name may be cut at 15 bytes.
    if (IsWordName(ReadSmallFile(entry.path() / "cmdline")) ||
        IsWordName(ReadSmallFile(entry.path() / "comm")))
      return true;
  }
  return false;
}

} // namespace quarbel
