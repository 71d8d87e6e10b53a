#pragma once

#include "settings/ini_file.h"

#include <string>
#include <vector>

namespace quarbel {

// The structure files opened or saved last, newest first, as Windows-1251 paths.
inline constexpr size_t kRecentFileCount = 5;

// `path` put first; an earlier mention of it goes and the list keeps kRecentFileCount.
void RememberRecentFile(std::vector<std::string>& recent, const std::string& path);

// The list kept in the section "RecentStructures" ("File1" … "File5"); empty values are
// skipped, and so are repeats.
std::vector<std::string> ReadRecentFiles(const IniFile& ini);
void WriteRecentFiles(IniFile& ini, const std::vector<std::string>& recent);

} // namespace quarbel
