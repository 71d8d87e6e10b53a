#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quarbel::testing {

// One entry of a zip file as a reader finds it.
struct ZipEntry {
  std::string name;
  bool stored = false; // no compression
  int extraFields = 0; // in the local and the central header
  std::string bytes;
};

// Every entry of a zip file in its order; an unreadable archive or entry throws.
std::vector<ZipEntry> ReadZip(const std::filesystem::path& archive);

// The bytes of one entry, or "<no entry>".
std::string ZipEntryBytes(const std::vector<ZipEntry>& entries, const std::string& name);

// The output of a command with its standard error, and its exit code.
struct CommandResult {
  int code = -1;
  std::string output;
};
CommandResult RunShell(const std::string& command);

} // namespace quarbel::testing
