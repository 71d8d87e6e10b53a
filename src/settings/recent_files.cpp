#include "settings/recent_files.h"

#include <algorithm>

namespace quarbel {
namespace {

const char* const kSection = "RecentStructures";

std::string KeyOf(size_t index) {
  return "File" + std::to_string(index + 1);
}

} // namespace

void RememberRecentFile(std::vector<std::string>& recent, const std::string& path) {
  if (path.empty())
    return;
  recent.erase(std::remove(recent.begin(), recent.end(), path), recent.end());
  recent.insert(recent.begin(), path);
  if (recent.size() > kRecentFileCount)
    recent.resize(kRecentFileCount);
}

std::vector<std::string> ReadRecentFiles(const IniFile& ini) {
  std::vector<std::string> recent;
  for (size_t i = 0; i < kRecentFileCount; ++i) {
    const std::string path = ini.ReadString(kSection, KeyOf(i));
    if (!path.empty() && std::find(recent.begin(), recent.end(), path) == recent.end())
      recent.push_back(path);
  }
  return recent;
}

void WriteRecentFiles(IniFile& ini, const std::vector<std::string>& recent) {
  for (size_t i = 0; i < kRecentFileCount; ++i)
    ini.Write(kSection, KeyOf(i), i < recent.size() ? recent[i] : std::string());
}

} // namespace quarbel
