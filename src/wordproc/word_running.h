#pragma once

#include <filesystem>

namespace quarbel {

// True when a running process is Microsoft Word ("winword.exe", letter case ignored), as it
// can only run here under a Windows emulator: the name of a process is its command name or
// the file name of its first argument, with "/" or "\" as separators. Reads the process
// list at `processes`; false when it cannot be read.
bool IsWordRunning(const std::filesystem::path& processes = "/proc");

} // namespace quarbel
